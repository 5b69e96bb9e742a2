#include "Wyn/Objects/QuadraticSegment.h"

#include <algorithm>
#include <cmath>

namespace Wyn::Objects {
namespace {

ZkGePoint2d mid(const ZkGePoint2d& a, const ZkGePoint2d& b) {
    return ZkGePoint2d((a.x + b.x) * 0.5, (a.y + b.y) * 0.5);
}

// The quadratic sharing the cubic's ends whose control point matches the
// cubic's end tangents on average. Its largest distance from the cubic is at
// most sqrt(3)/36 times |P3 - 3 P2 + 3 P1 - P0|, which bounds the recursion.
void approximate(const ZkGePoint2d& p0, const ZkGePoint2d& p1, const ZkGePoint2d& p2,
                 const ZkGePoint2d& p3, double tolerance, int depth,
                 std::vector<QuadraticSegment>& out) {
    const ZkGeVector2d third = (p3 - p0) + (p1 - p2) * 3.0;
    const double error = std::sqrt(3.0) / 36.0 * third.length();
    if (error <= tolerance || depth >= 12) {
        const ZkGePoint2d control((3.0 * (p1.x + p2.x) - p0.x - p3.x) / 4.0,
                                  (3.0 * (p1.y + p2.y) - p0.y - p3.y) / 4.0);
        out.emplace_back(p0, control, p3);
        return;
    }
    // de Casteljau at the middle
    const ZkGePoint2d a = mid(p0, p1), b = mid(p1, p2), c = mid(p2, p3);
    const ZkGePoint2d d = mid(a, b), e = mid(b, c);
    const ZkGePoint2d m = mid(d, e);
    approximate(p0, a, d, m, tolerance, depth + 1, out);
    approximate(m, e, c, p3, tolerance, depth + 1, out);
}

void widen(double a, double b, double c, double& lo, double& hi) {
    lo = std::min(a, c);
    hi = std::max(a, c);
    const double denominator = a - 2.0 * b + c;
    if (denominator == 0.0)
        return;
    const double t = (a - b) / denominator;
    if (t > 0.0 && t < 1.0) {
        const double u = 1.0 - t;
        const double v = u * u * a + 2.0 * u * t * b + t * t * c;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
}

} // namespace

ZkGePoint2d QuadraticSegment::evalPoint(double t) const {
    const double u = 1.0 - t;
    const ZkGePoint2d& p0 = m_points[0];
    const ZkGePoint2d& p1 = m_points[1];
    const ZkGePoint2d& p2 = m_points[2];
    return ZkGePoint2d(u * u * p0.x + 2.0 * u * t * p1.x + t * t * p2.x,
                       u * u * p0.y + 2.0 * u * t * p1.y + t * t * p2.y);
}

void QuadraticSegment::extremes(ZkGePoint2d& minPoint, ZkGePoint2d& maxPoint) const {
    widen(m_points[0].x, m_points[1].x, m_points[2].x, minPoint.x, maxPoint.x);
    widen(m_points[0].y, m_points[1].y, m_points[2].y, minPoint.y, maxPoint.y);
}

std::vector<QuadraticSegment> QuadraticSegment::fromCubic(const ZkGePoint2d& p0,
                                                          const ZkGePoint2d& p1,
                                                          const ZkGePoint2d& p2,
                                                          const ZkGePoint2d& p3, double tolerance) {
    std::vector<QuadraticSegment> pieces;
    approximate(p0, p1, p2, p3, std::max(tolerance, 1e-12), 0, pieces);
    return pieces;
}

} // namespace Wyn::Objects
