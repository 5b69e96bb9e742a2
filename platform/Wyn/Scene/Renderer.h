#pragma once

#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/Color.h"
#include "Wyn/Objects/Image.h"
#include "Wyn/Scene/View.h"
#include "Wyn/Scene/Viewport.h"

#include <optional>
#include <string>

namespace Wyn::Scene {

class DrawList;

// Draws a scene from a view with cairo: visible nodes only, lower depth
// priorities first, in their colours and line weights; screen-sized nodes
// (point markers) at their pixel size, their images painted on; text as
// filled outlines. The scene is fitted to the image unless a frame is set.
class Renderer {
public:
    Renderer() = default;

    const Objects::Color& background() const { return m_background; }
    void background(const Objects::Color& color) { m_background = color; }
    // Free border as a fraction of the smaller image side when fitting.
    double margin() const { return m_margin; }
    void margin(double margin) { m_margin = margin; }
    // Shows exactly this box of view coordinates (centred, aspect kept)
    // instead of fitting the scene, so that successive drawings line up.
    void frame(const Objects::BBox& viewBox) { m_frame = viewBox; }
    void fitToScene() { m_frame.reset(); }

    // Draws into `path`; the format follows the extension: .svg, .png or .pdf
    // (any letter case). Throws std::invalid_argument for another extension
    // or a size below one pixel, and std::runtime_error naming the file when
    // it cannot be written or an image a node names cannot be read.
    void render(const Graphics::ARenderNode& root, const View& view, int width, int height,
                const std::string& path) const;
    // Draws into an image in memory.
    Objects::Image renderImage(const Graphics::ARenderNode& root, const View& view, int width,
                               int height) const;
    // Where the scene's view coordinates land for an image of that size.
    Viewport viewport(const Graphics::ARenderNode& root, const View& view, int width,
                      int height) const;

private:
    Viewport viewport(const DrawList& list, int width, int height) const;

    Objects::Color m_background{1.0f, 1.0f, 1.0f, 1.0f};
    double m_margin = 0.05;
    std::optional<Objects::BBox> m_frame;
};

} // namespace Wyn::Scene
