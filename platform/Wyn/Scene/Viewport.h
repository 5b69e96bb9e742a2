#pragma once

#include "Wyn/Objects/BBox.h"
#include "Wyn/Scene/DrawItem.h"

#include "ZkGePoint2d.h"

namespace Wyn::Scene {

// Where view coordinates land on an image of a given size: a centre, a zoom
// in pixels per unit, and y turned downwards as image rows count.
class Viewport {
public:
    Viewport(int width, int height, const ZkGePoint2d& center, double pixelsPerUnit);

    // The viewport that shows `viewBounds` whole and centred, leaving
    // `margin` (a fraction of the smaller image side) free on every side. An
    // empty box is shown at one pixel per unit about the origin; a box without
    // width or height is fitted by its other extent.
    static Viewport fit(const Objects::BBox& viewBounds, int width, int height,
                        double margin = 0.05);

    int width() const { return m_width; }
    int height() const { return m_height; }
    const ZkGePoint2d& center() const { return m_center; }
    double pixelsPerUnit() const { return m_pixelsPerUnit; }

    // Image position (x right, y down) of a point in view coordinates.
    ZkGePoint2d toImage(const ZkGePoint3d& viewPoint) const;
    // Image position of a point of a draw item, screen-sized or not.
    ZkGePoint2d toImage(const DrawItem& item, const ZkGePoint3d& point) const;
    // View coordinates (z = 0) of an image position.
    ZkGePoint3d toView(const ZkGePoint2d& imagePoint) const;

private:
    int m_width;
    int m_height;
    ZkGePoint2d m_center;
    double m_pixelsPerUnit;
};

} // namespace Wyn::Scene
