#pragma once

#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Scene/DrawItem.h"
#include "Wyn/Scene/View.h"

#include <vector>

namespace Wyn::Scene {

// What a view of a scene shows: the visible nodes' geometry resolved to
// colours, line weights and view coordinates, in drawing order (by depth
// priority, then in tree order). The renderer paints it; picking can measure
// against it.
class DrawList {
public:
    // With `withHidden`, hidden nodes are listed too, marked hidden.
    DrawList(const Graphics::ARenderNode& root, const View& view, bool withHidden = false);

    const std::vector<DrawItem>& items() const { return m_items; }
    // The box of everything in view coordinates; screen-sized items count
    // with their anchor only, since their size in view units depends on the
    // zoom the box is used to choose.
    const Objects::BBox& viewBounds() const { return m_bounds; }

private:
    std::vector<DrawItem> m_items;
    Objects::BBox m_bounds;
};

} // namespace Wyn::Scene
