#include "Wyn/Scene/Viewport.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Wyn::Scene {
namespace {

constexpr double kFlat = 1e-12;

} // namespace

Viewport::Viewport(int width, int height, const ZkGePoint2d& center, double pixelsPerUnit)
    : m_width(width)
    , m_height(height)
    , m_center(center)
    , m_pixelsPerUnit(pixelsPerUnit) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("a view of " + std::to_string(width) + " by " +
                                    std::to_string(height) + " pixels has nothing to show");
    if (!(pixelsPerUnit > 0.0))
        throw std::invalid_argument("a view needs a positive zoom");
}

Viewport Viewport::fit(const Objects::BBox& viewBounds, int width, int height, double margin) {
    if (viewBounds.isEmpty())
        return Viewport(width, height, ZkGePoint2d(0, 0), 1.0);
    const ZkGePoint3d& lo = viewBounds.minPoint();
    const ZkGePoint3d& hi = viewBounds.maxPoint();
    const ZkGePoint2d center((lo.x + hi.x) * 0.5, (lo.y + hi.y) * 0.5);
    const double free = 2.0 * margin * std::min(width, height);
    const double usableWidth = std::max(1.0, width - free);
    const double usableHeight = std::max(1.0, height - free);
    const double dx = hi.x - lo.x;
    const double dy = hi.y - lo.y;
    double zoom = 1.0;
    if (dx > kFlat && dy > kFlat)
        zoom = std::min(usableWidth / dx, usableHeight / dy);
    else if (dx > kFlat)
        zoom = usableWidth / dx;
    else if (dy > kFlat)
        zoom = usableHeight / dy;
    return Viewport(width, height, center, zoom);
}

ZkGePoint2d Viewport::toImage(const ZkGePoint3d& p) const {
    return ZkGePoint2d(m_width * 0.5 + (p.x - m_center.x) * m_pixelsPerUnit,
                       m_height * 0.5 - (p.y - m_center.y) * m_pixelsPerUnit);
}

ZkGePoint2d Viewport::toImage(const DrawItem& item, const ZkGePoint3d& p) const {
    if (!item.screenSized)
        return toImage(p);
    const ZkGePoint2d anchor = toImage(item.anchor);
    return ZkGePoint2d(anchor.x + p.x, anchor.y - p.y);
}

ZkGePoint3d Viewport::toView(const ZkGePoint2d& p) const {
    return ZkGePoint3d(m_center.x + (p.x - m_width * 0.5) / m_pixelsPerUnit,
                       m_center.y - (p.y - m_height * 0.5) / m_pixelsPerUnit, 0.0);
}

} // namespace Wyn::Scene
