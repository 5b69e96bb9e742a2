#include "Wyn/Scene/Renderer.h"

#include "Wyn/Scene/DrawList.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <stdexcept>

namespace Wyn::Scene {
namespace {

enum class Format { Png, Svg, Pdf };

Format formatOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    std::string ext;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "png")
        return Format::Png;
    if (ext == "svg")
        return Format::Svg;
    if (ext == "pdf")
        return Format::Pdf;
    throw std::invalid_argument("cannot render to '" + path +
                                "': the file name must end in .svg, .png or .pdf");
}

void checkSize(int width, int height) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("cannot render a " + std::to_string(width) + " by " +
                                    std::to_string(height) + " pixel view");
}

void checkSurface(cairo_surface_t* surface, const std::string& path) {
    const cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write '" + path + "': " + cairo_status_to_string(status));
}

// Paints a draw list onto a cairo context; keeps the images it has read.
class Painter {
public:
    Painter(cairo_t* cr, const Viewport& viewport)
        : m_cr(cr)
        , m_viewport(viewport) {}

    void paint(const DrawList& list, const Objects::Color& background) {
        cairo_set_source_rgba(m_cr, background.red, background.green, background.blue,
                              background.alpha);
        cairo_set_operator(m_cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(m_cr);
        cairo_set_operator(m_cr, CAIRO_OPERATOR_OVER);
        cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
        for (const DrawItem& item : list.items())
            if (!item.hidden)
                paint(item);
    }

private:
    void moveTo(const DrawItem& item, const ZkGePoint3d& p) {
        const ZkGePoint2d s = m_viewport.toImage(item, p);
        cairo_move_to(m_cr, s.x, s.y);
    }
    void lineTo(const DrawItem& item, const ZkGePoint3d& p) {
        const ZkGePoint2d s = m_viewport.toImage(item, p);
        cairo_line_to(m_cr, s.x, s.y);
    }

    void paint(const DrawItem& item) {
        const Objects::Color& c = item.color;
        cairo_set_source_rgba(m_cr, c.red, c.green, c.blue, c.alpha);
        cairo_set_line_width(m_cr, std::max(item.lineWidth, 0.1));
        // Round caps would close the gaps of a dash pattern; a pattern with
        // dots needs them, since a dot is a dash of no length.
        const bool dots =
            std::find(item.dashes.begin(), item.dashes.end(), 0.0) != item.dashes.end();
        cairo_set_line_cap(m_cr, item.dashes.empty() || dots ? CAIRO_LINE_CAP_ROUND
                                                             : CAIRO_LINE_CAP_BUTT);
        if (item.dashes.empty())
            cairo_set_dash(m_cr, nullptr, 0, 0.0);
        else
            cairo_set_dash(m_cr, item.dashes.data(), static_cast<int>(item.dashes.size()), 0.0);
        cairo_new_path(m_cr);
        switch (item.kind) {
        case DrawItem::Kind::Points:
            for (const auto& path : item.paths) {
                const ZkGePoint2d s = m_viewport.toImage(item, path.front());
                cairo_new_sub_path(m_cr);
                cairo_arc(m_cr, s.x, s.y, std::max(item.lineWidth, 1.0), 0.0, 2.0 * M_PI);
            }
            cairo_fill(m_cr);
            break;
        case DrawItem::Kind::Lines:
            for (const auto& path : item.paths) {
                moveTo(item, path.front());
                for (size_t i = 1; i < path.size(); ++i)
                    lineTo(item, path[i]);
            }
            cairo_stroke(m_cr);
            break;
        case DrawItem::Kind::Triangles:
        case DrawItem::Kind::Fill:
            for (const auto& path : item.paths) {
                moveTo(item, path.front());
                for (size_t i = 1; i < path.size(); ++i)
                    lineTo(item, path[i]);
                cairo_close_path(m_cr);
            }
            cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
            cairo_fill(m_cr);
            break;
        case DrawItem::Kind::Image:
            paintImage(item);
            break;
        }
    }

    // Marker images are drawn upright over the box their quad covers on
    // screen, whatever the quad's texture coordinates say.
    void paintImage(const DrawItem& item) {
        double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
        for (const auto& path : item.paths)
            for (const ZkGePoint3d& p : path) {
                const ZkGePoint2d s = m_viewport.toImage(item, p);
                x0 = std::min(x0, s.x);
                y0 = std::min(y0, s.y);
                x1 = std::max(x1, s.x);
                y1 = std::max(y1, s.y);
            }
        const Objects::Image& image = this->image(item.imagePath);
        if (image.isEmpty() || x1 - x0 <= 0.0 || y1 - y0 <= 0.0)
            return;
        auto* pixels = const_cast<uint32_t*>(image.data()); // cairo only reads a source
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32, image.width(),
            image.height(), image.stride());
        cairo_save(m_cr);
        cairo_translate(m_cr, x0, y0);
        cairo_scale(m_cr, (x1 - x0) / image.width(), (y1 - y0) / image.height());
        cairo_set_source_surface(m_cr, surface, 0.0, 0.0);
        cairo_pattern_set_filter(cairo_get_source(m_cr), CAIRO_FILTER_GOOD);
        cairo_paint_with_alpha(m_cr, item.color.alpha);
        cairo_restore(m_cr);
        cairo_surface_destroy(surface);
    }

    const Objects::Image& image(const std::string& path) {
        auto it = m_images.find(path);
        if (it == m_images.end())
            it = m_images.emplace(path, Objects::Image::load(path)).first;
        return it->second;
    }

    cairo_t* m_cr;
    const Viewport& m_viewport;
    std::map<std::string, Objects::Image> m_images;
};

void paintOnto(cairo_surface_t* surface, const DrawList& list, const Viewport& viewport,
               const Objects::Color& background) {
    cairo_t* cr = cairo_create(surface);
    try {
        Painter(cr, viewport).paint(list, background);
    } catch (...) {
        cairo_destroy(cr);
        throw;
    }
    cairo_destroy(cr);
}

} // namespace

Viewport Renderer::viewport(const DrawList& list, int width, int height) const {
    checkSize(width, height);
    if (m_frame)
        return Viewport::fit(*m_frame, width, height, 0.0);
    return Viewport::fit(list.viewBounds(), width, height, m_margin);
}

Viewport Renderer::viewport(const Graphics::ARenderNode& root, const View& view, int width,
                            int height) const {
    return viewport(DrawList(root, view), width, height);
}

Objects::Image Renderer::renderImage(const Graphics::ARenderNode& root, const View& view, int width,
                                     int height) const {
    checkSize(width, height);
    const DrawList list(root, view);
    const Viewport port = viewport(list, width, height);
    Objects::Image image(width, height);
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(image.data()),
                                            CAIRO_FORMAT_ARGB32, width, height, image.stride());
    try {
        paintOnto(surface, list, port, m_background);
    } catch (...) {
        cairo_surface_destroy(surface);
        throw;
    }
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return image;
}

void Renderer::render(const Graphics::ARenderNode& root, const View& view, int width, int height,
                      const std::string& path) const {
    const Format format = formatOf(path);
    checkSize(width, height);
    if (format == Format::Png) {
        renderImage(root, view, width, height).save(path);
        return;
    }
    const DrawList list(root, view);
    const Viewport port = viewport(list, width, height);
    cairo_surface_t* surface = format == Format::Svg
                                   ? cairo_svg_surface_create(path.c_str(), width, height)
                                   : cairo_pdf_surface_create(path.c_str(), width, height);
    try {
        checkSurface(surface, path);
        paintOnto(surface, list, port, m_background);
        cairo_surface_finish(surface);
        checkSurface(surface, path);
    } catch (...) {
        cairo_surface_destroy(surface);
        throw;
    }
    cairo_surface_destroy(surface);
}

} // namespace Wyn::Scene
