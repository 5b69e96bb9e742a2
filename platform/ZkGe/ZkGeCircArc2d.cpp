#include "ZkGeCircArc2d.h"

#include "ZkGeArcAngles.h"

#include <cmath>

ZkGeCircArc2d::ZkGeCircArc2d()
    : m_refVec(ZkGeVector2d::kXAxis)
    , m_endAng(ZkGeArcAngles::kTwoPi) {}

ZkGeCircArc2d::ZkGeCircArc2d(const ZkGePoint2d& start, const ZkGePoint2d& mid,
                             const ZkGePoint2d& end)
    : m_center(start)
    , m_radius(0.0)
    , m_refVec(ZkGeVector2d::kXAxis)
    , m_endAng(ZkGeArcAngles::kTwoPi) {
    set(start, mid, end);
}

ZkGeCircArc2d& ZkGeCircArc2d::set(const ZkGePoint2d& center, double radius, double startAng,
                                  double endAng, const ZkGeVector2d& refVec) {
    m_center = center;
    setRadius(radius);
    setRefVec(refVec);
    return setAngles(startAng, endAng);
}

bool ZkGeCircArc2d::set(const ZkGePoint2d& start, const ZkGePoint2d& mid, const ZkGePoint2d& end,
                        const ZkGeTol& tol) {
    if (start.isEqualTo(mid, tol) || mid.isEqualTo(end, tol) || start.isEqualTo(end, tol))
        return false;
    // The circumcenter, measured from end.
    const ZkGeVector2d a = start - end;
    const ZkGeVector2d b = mid - end;
    const double cross = a.crossProduct(b);
    if (std::abs(cross) <= tol.equalVector() * a.length() * b.length())
        return false;
    const double aa = a.lengthSqrd();
    const double bb = b.lengthSqrd();
    const ZkGePoint2d center =
        end + ZkGeVector2d(b.y * aa - a.y * bb, a.x * bb - b.x * aa) / (2.0 * cross);
    // (start - end) x (mid - end) has the turning sense of the triangle,
    // which is that of the arc met in that order.
    const ZkGePoint2d& first = cross > 0.0 ? start : end;
    const ZkGePoint2d& last = cross > 0.0 ? end : start;
    m_center = center;
    m_radius = (first - center).length();
    m_refVec = (first - center) / m_radius;
    m_startAng = 0.0;
    m_endAng = angleOf(last - center);
    return true;
}

ZkGeCircArc2d& ZkGeCircArc2d::setCenter(const ZkGePoint2d& center) {
    m_center = center;
    return *this;
}

ZkGeCircArc2d& ZkGeCircArc2d::setRadius(double radius) {
    m_radius = std::abs(radius);
    return *this;
}

ZkGeCircArc2d& ZkGeCircArc2d::setRefVec(const ZkGeVector2d& refVec) {
    m_refVec = refVec.isZeroLength() ? ZkGeVector2d::kXAxis : refVec.normal();
    return *this;
}

ZkGeCircArc2d& ZkGeCircArc2d::setAngles(double startAng, double endAng) {
    m_startAng = startAng;
    m_endAng = ZkGeArcAngles::sweptEnd(startAng, endAng);
    return *this;
}

bool ZkGeCircArc2d::isFullCircle() const {
    return ZkGeArcAngles::isFullTurn(m_startAng, m_endAng);
}

double ZkGeCircArc2d::angleOf(const ZkGeVector2d& v) const {
    return ZkGeArcAngles::fromComponents(m_refVec.crossProduct(v), m_refVec.dotProduct(v));
}

std::unique_ptr<ZkGeCurve2d> ZkGeCircArc2d::copy() const {
    return std::make_unique<ZkGeCircArc2d>(*this);
}

bool ZkGeCircArc2d::isEqualTo(const ZkGeCurve2d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& arc = static_cast<const ZkGeCircArc2d&>(other);
    return m_center.isEqualTo(arc.m_center, tol) &&
           std::abs(m_radius - arc.m_radius) <= tol.equalPoint() &&
           m_refVec.isEqualTo(arc.m_refVec, tol) &&
           std::abs(m_startAng - arc.m_startAng) <= tol.equalVector() &&
           std::abs(m_endAng - arc.m_endAng) <= tol.equalVector();
}

ZkGePoint2d ZkGeCircArc2d::evalPoint(double param) const {
    return m_center + ZkGeVector2d(m_refVec).rotateBy(param) * m_radius;
}

ZkGePoint2d ZkGeCircArc2d::evalPoint(double param, int numDeriv,
                                     std::vector<ZkGeVector2d>& derivatives) const {
    // Each derivative turns the radius vector a further quarter turn.
    const ZkGeVector2d radial = ZkGeVector2d(m_refVec).rotateBy(param) * m_radius;
    derivatives.resize(numDeriv > 0 ? numDeriv : 0);
    ZkGeVector2d d = radial;
    for (int k = 0; k < numDeriv; ++k) {
        d = d.perpVector();
        derivatives[k] = d;
    }
    return m_center + radial;
}

double ZkGeCircArc2d::paramOf(const ZkGePoint2d& point, const ZkGeTol& tol) const {
    const ZkGeVector2d offset = point - m_center;
    if (offset.length() <= tol.equalPoint())
        return m_startAng;
    return ZkGeArcAngles::clampToArc(angleOf(offset), m_startAng, m_endAng);
}

double ZkGeCircArc2d::length(double fromParam, double toParam, double) const {
    return m_radius * std::abs(toParam - fromParam);
}

bool ZkGeCircArc2d::isClosed(const ZkGeTol& tol) const {
    return isFullCircle() || ZkGeCurve2d::isClosed(tol);
}

ZkGeBoundBlock2d ZkGeCircArc2d::boundBlock() const {
    // Each axis extreme is where the radius points along that axis.
    ZkGeBoundBlock2d box(startPoint(), endPoint());
    for (const ZkGeVector2d& axis : {ZkGeVector2d::kXAxis, ZkGeVector2d::kYAxis}) {
        for (const double sign : {1.0, -1.0}) {
            double param;
            if (ZkGeArcAngles::findInArc(angleOf(axis * sign), m_startAng, m_endAng, param))
                box.extend(evalPoint(param));
        }
    }
    return box;
}
