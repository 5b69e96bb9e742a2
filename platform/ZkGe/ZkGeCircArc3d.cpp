#include "ZkGeCircArc3d.h"

#include "ZkGeArcAngles.h"

#include <cmath>
#include <limits>

ZkGeCircArc3d::ZkGeCircArc3d()
    : m_normal(ZkGeVector3d::kZAxis)
    , m_refVec(ZkGeVector3d::kXAxis)
    , m_endAng(ZkGeArcAngles::kTwoPi) {}

ZkGeCircArc3d::ZkGeCircArc3d(const ZkGePoint3d& start, const ZkGePoint3d& mid,
                             const ZkGePoint3d& end)
    : m_center(start)
    , m_normal(ZkGeVector3d::kZAxis)
    , m_refVec(ZkGeVector3d::kXAxis)
    , m_radius(0.0)
    , m_endAng(ZkGeArcAngles::kTwoPi) {
    set(start, mid, end);
}

ZkGeCircArc3d& ZkGeCircArc3d::set(const ZkGePoint3d& center, const ZkGeVector3d& normal,
                                  double radius) {
    return set(center, normal, normal.perpVector(), radius, 0.0, ZkGeArcAngles::kTwoPi);
}

ZkGeCircArc3d& ZkGeCircArc3d::set(const ZkGePoint3d& center, const ZkGeVector3d& normal,
                                  const ZkGeVector3d& refVec, double radius, double startAng,
                                  double endAng) {
    m_center = center;
    setRadius(radius);
    setAxes(normal, refVec);
    return setAngles(startAng, endAng);
}

bool ZkGeCircArc3d::set(const ZkGePoint3d& start, const ZkGePoint3d& mid, const ZkGePoint3d& end,
                        const ZkGeTol& tol) {
    if (start.isEqualTo(mid, tol) || mid.isEqualTo(end, tol) || start.isEqualTo(end, tol))
        return false;
    // The circumcenter, measured from end.
    const ZkGeVector3d a = start - end;
    const ZkGeVector3d b = mid - end;
    const ZkGeVector3d w = a.crossProduct(b);
    if (w.length() <= tol.equalVector() * a.length() * b.length())
        return false;
    const ZkGePoint3d center =
        end + (b * a.lengthSqrd() - a * b.lengthSqrd()).crossProduct(w) / (2.0 * w.lengthSqrd());
    // Three points met in turn along a counter-clockwise arc (less than a
    // turn) make a counter-clockwise triangle, so its normal is the arc's.
    const ZkGeVector3d normal = (mid - start).crossProduct(end - start).normal();
    const ZkGeVector3d toStart = start - center;
    m_center = center;
    m_radius = toStart.length();
    m_normal = normal;
    m_refVec = toStart / m_radius;
    m_startAng = 0.0;
    m_endAng = angleOf(end - center);
    return true;
}

ZkGeCircArc3d& ZkGeCircArc3d::setCenter(const ZkGePoint3d& center) {
    m_center = center;
    return *this;
}

ZkGeCircArc3d& ZkGeCircArc3d::setRadius(double radius) {
    m_radius = std::abs(radius);
    return *this;
}

ZkGeCircArc3d& ZkGeCircArc3d::setAxes(const ZkGeVector3d& normal, const ZkGeVector3d& refVec) {
    m_normal = normal.isZeroLength() ? ZkGeVector3d::kZAxis : normal.normal();
    // Axes that are already perpendicular (to a few ulps) are kept bit for bit, so a
    // stored arc reads back exactly as it was written.
    const double dot = refVec.dotProduct(m_normal);
    const bool perpendicular =
        std::abs(dot) <= 8 * std::numeric_limits<double>::epsilon() * refVec.length();
    ZkGeVector3d ref = perpendicular ? refVec : refVec - m_normal * dot;
    if (ref.isZeroLength())
        ref = m_normal.perpVector();
    m_refVec = ref.normal();
    return *this;
}

ZkGeCircArc3d& ZkGeCircArc3d::setAngles(double startAng, double endAng) {
    m_startAng = startAng;
    m_endAng = ZkGeArcAngles::sweptEnd(startAng, endAng);
    return *this;
}

bool ZkGeCircArc3d::isFullCircle() const {
    return ZkGeArcAngles::isFullTurn(m_startAng, m_endAng);
}

double ZkGeCircArc3d::angleOf(const ZkGeVector3d& v) const {
    return ZkGeArcAngles::fromComponents(v.dotProduct(perpVec()), v.dotProduct(m_refVec));
}

std::unique_ptr<ZkGeEntity3d> ZkGeCircArc3d::copy() const {
    return std::make_unique<ZkGeCircArc3d>(*this);
}

ZkGeCircArc3d& ZkGeCircArc3d::transformBy(const ZkGeMatrix3d& m) {
    // Rebuilding the axes and radius below rounds them; a move keeps them.
    if (m.isTranslation()) {
        m_center.transformBy(m);
        return *this;
    }
    // The images of the two radii at angles 0 and pi/2. Their cross product
    // keeps the turning sense of the image, which under a mirror is the
    // opposite of the transformed normal.
    ZkGeVector3d x = m_refVec;
    ZkGeVector3d y = perpVec();
    x.transformBy(m);
    y.transformBy(m);
    const ZkGeVector3d cross = x.crossProduct(y);
    m_center.transformBy(m);
    m_radius *= std::sqrt(cross.length());
    setAxes(cross, x);
    return *this;
}

bool ZkGeCircArc3d::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& arc = static_cast<const ZkGeCircArc3d&>(other);
    return m_center.isEqualTo(arc.m_center, tol) &&
           std::abs(m_radius - arc.m_radius) <= tol.equalPoint() &&
           m_normal.isEqualTo(arc.m_normal, tol) && m_refVec.isEqualTo(arc.m_refVec, tol) &&
           std::abs(m_startAng - arc.m_startAng) <= tol.equalVector() &&
           std::abs(m_endAng - arc.m_endAng) <= tol.equalVector();
}

ZkGePoint3d ZkGeCircArc3d::evalPoint(double param) const {
    return m_center + (m_refVec * std::cos(param) + perpVec() * std::sin(param)) * m_radius;
}

ZkGePoint3d ZkGeCircArc3d::evalPoint(double param, int numDeriv,
                                     std::vector<ZkGeVector3d>& derivatives) const {
    // Each derivative turns the radius vector a further quarter turn.
    const ZkGeVector3d x = m_refVec * m_radius;
    const ZkGeVector3d y = perpVec() * m_radius;
    const double c = std::cos(param);
    const double s = std::sin(param);
    const ZkGeVector3d cycle[4] = {x * c + y * s, y * c - x * s, -(x * c + y * s), x * s - y * c};
    derivatives.resize(numDeriv > 0 ? numDeriv : 0);
    for (int k = 0; k < numDeriv; ++k)
        derivatives[k] = cycle[(k + 1) % 4];
    return m_center + cycle[0];
}

ZkGePoint3d ZkGeCircArc3d::closestPointTo(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    return evalPoint(paramOf(point, tol));
}

double ZkGeCircArc3d::paramOf(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    const ZkGeVector3d offset = point - m_center;
    const ZkGeVector3d inPlane = offset - m_normal * offset.dotProduct(m_normal);
    if (inPlane.length() <= tol.equalPoint())
        return m_startAng;
    return ZkGeArcAngles::clampToArc(angleOf(inPlane), m_startAng, m_endAng);
}

double ZkGeCircArc3d::length(double fromParam, double toParam, double) const {
    return m_radius * std::abs(toParam - fromParam);
}

void ZkGeCircArc3d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                                   std::unique_ptr<ZkGeCurve3d>& piece2) const {
    piece1.reset();
    piece2.reset();
    if (param > m_startAng) {
        auto before = std::make_unique<ZkGeCircArc3d>(*this);
        if (param < m_endAng)
            before->m_endAng = param;
        piece1 = std::move(before);
    }
    if (param < m_endAng) {
        auto after = std::make_unique<ZkGeCircArc3d>(*this);
        if (param > m_startAng)
            after->m_startAng = param;
        piece2 = std::move(after);
    }
}

bool ZkGeCircArc3d::isClosed(const ZkGeTol& tol) const {
    return isFullCircle() || ZkGeCurve3d::isClosed(tol);
}

bool ZkGeCircArc3d::isPeriodic(double& period) const {
    period = isFullCircle() ? ZkGeArcAngles::kTwoPi : 0.0;
    return period != 0.0;
}

bool ZkGeCircArc3d::isDegenerate(const ZkGeTol& tol) const {
    return m_radius <= tol.equalPoint() || length() <= tol.equalPoint();
}

ZkGeBoundBlock3d ZkGeCircArc3d::boundBlock() const {
    // Coordinate i is center_i + r (ref_i cos t + perp_i sin t), which peaks
    // at t = atan2(perp_i, ref_i) and bottoms out half a turn later; those
    // extremes count when they lie on the arc.
    ZkGeBoundBlock3d box(startPoint(), endPoint());
    const ZkGeVector3d perp = perpVec();
    for (int i = 0; i < 3; ++i) {
        if (m_refVec[i] == 0.0 && perp[i] == 0.0)
            continue;
        const double peak = std::atan2(perp[i], m_refVec[i]);
        for (const double angle : {peak, peak + M_PI}) {
            double param;
            if (ZkGeArcAngles::findInArc(angle, m_startAng, m_endAng, param))
                box.extend(evalPoint(param));
        }
    }
    return box;
}
