#pragma once

#include "Wyn/Objects/Curve2d.h"

#include <array>

namespace Wyn::Objects {

// A quadratic Bezier piece of an outline: P0 and P2 on the curve, P1 the
// control point between them.
class QuadraticSegment : public Curve2d {
public:
    QuadraticSegment(const ZkGePoint2d& p0, const ZkGePoint2d& p1, const ZkGePoint2d& p2)
        : m_points{p0, p1, p2} {}

    Kind kind() const override { return Kind::QuadraticSegment; }
    ZkGePoint2d startPoint() const override { return m_points[0]; }
    ZkGePoint2d endPoint() const override { return m_points[2]; }
    ZkGePoint2d evalPoint(double t) const override;
    // P0, P1 or P2.
    const ZkGePoint2d& controlPoint(int i) const { return m_points.at(static_cast<size_t>(i)); }

    // The tight box of the curve: its ends and the extremes between them.
    void extremes(ZkGePoint2d& minPoint, ZkGePoint2d& maxPoint) const;

    // Quadratic pieces that follow the cubic Bezier P0..P3 within `tolerance`
    // (same units as the points). Fonts with cubic outlines reach the text
    // node through this, so that every outline is lines and quadratics.
    static std::vector<QuadraticSegment> fromCubic(const ZkGePoint2d& p0, const ZkGePoint2d& p1,
                                                   const ZkGePoint2d& p2, const ZkGePoint2d& p3,
                                                   double tolerance);

private:
    std::array<ZkGePoint2d, 3> m_points;
};

} // namespace Wyn::Objects
