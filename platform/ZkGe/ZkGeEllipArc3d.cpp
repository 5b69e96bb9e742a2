#include "ZkGeEllipArc3d.h"

#include "ZkGeCircArc3d.h"
#include "ZkGeParamSearch.h"
#include "ZkGeQuadrature.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Samples per full turn for the nearest-point search. An ellipse has at most
// four points where the distance to a given point is stationary, so valleys
// are never narrower than a fraction of a turn.
constexpr int kSearchSamples = 64;

} // namespace

ZkGeEllipArc3d::ZkGeEllipArc3d()
    : m_majorAxis(ZkGeVector3d::kXAxis)
    , m_minorAxis(ZkGeVector3d::kYAxis)
    , m_endAng(ZkGeArcAngles::kTwoPi) {}

ZkGeEllipArc3d::ZkGeEllipArc3d(const ZkGeCircArc3d& arc)
    : m_center(arc.center())
    , m_majorAxis(arc.refVec())
    , m_minorAxis(arc.normal().crossProduct(arc.refVec()))
    , m_majorRadius(arc.radius())
    , m_minorRadius(arc.radius())
    , m_startAng(arc.startAng())
    , m_endAng(arc.endAng()) {}

ZkGeEllipArc3d& ZkGeEllipArc3d::set(const ZkGePoint3d& center, const ZkGeVector3d& majorAxis,
                                    const ZkGeVector3d& minorAxis, double majorRadius,
                                    double minorRadius, double startAng, double endAng) {
    m_center = center;
    setAngles(startAng, endAng);
    return setAxesRadii(majorAxis, minorAxis, majorRadius, minorRadius);
}

ZkGeEllipArc3d& ZkGeEllipArc3d::setCenter(const ZkGePoint3d& center) {
    m_center = center;
    return *this;
}

ZkGeEllipArc3d& ZkGeEllipArc3d::setAxes(const ZkGeVector3d& majorAxis,
                                        const ZkGeVector3d& minorAxis) {
    m_majorAxis = majorAxis.isZeroLength() ? ZkGeVector3d::kXAxis : majorAxis.normal();
    // Axes that are already perpendicular (to a few ulps) are kept bit for bit, so a
    // stored ellipse reads back exactly as it was written.
    const double dot = minorAxis.dotProduct(m_majorAxis);
    const bool perpendicular =
        std::abs(dot) <= 8 * std::numeric_limits<double>::epsilon() * minorAxis.length();
    ZkGeVector3d minor = perpendicular ? minorAxis : minorAxis - m_majorAxis * dot;
    if (minor.isZeroLength())
        minor = m_majorAxis.crossProduct(m_majorAxis.perpVector());
    m_minorAxis = minor.normal();
    return *this;
}

ZkGeEllipArc3d& ZkGeEllipArc3d::setAxesRadii(const ZkGeVector3d& majorAxis,
                                             const ZkGeVector3d& minorAxis, double majorRadius,
                                             double minorRadius) {
    setAxes(majorAxis, minorAxis);
    m_majorRadius = std::abs(majorRadius);
    m_minorRadius = std::abs(minorRadius);
    orderRadii();
    return *this;
}

ZkGeEllipArc3d& ZkGeEllipArc3d::setAngles(double startAng, double endAng) {
    m_startAng = startAng;
    m_endAng = ZkGeArcAngles::sweptEnd(startAng, endAng);
    return *this;
}

bool ZkGeEllipArc3d::isFullEllipse() const {
    return ZkGeArcAngles::isFullTurn(m_startAng, m_endAng);
}

void ZkGeEllipArc3d::orderRadii() {
    if (m_minorRadius <= m_majorRadius)
        return;
    // With t = s + pi/2: a cos t M + b sin t N = b cos s N + a sin s (-M).
    std::swap(m_majorRadius, m_minorRadius);
    const ZkGeVector3d major = m_minorAxis;
    m_minorAxis = -m_majorAxis;
    m_majorAxis = major;
    m_startAng -= 0.5 * M_PI;
    m_endAng -= 0.5 * M_PI;
}

std::unique_ptr<ZkGeEntity3d> ZkGeEllipArc3d::copy() const {
    return std::make_unique<ZkGeEllipArc3d>(*this);
}

ZkGeEllipArc3d& ZkGeEllipArc3d::transformBy(const ZkGeMatrix3d& m) {
    // Rebuilding the axes and radii below rounds them; a move keeps them.
    if (m.isTranslation()) {
        m_center.transformBy(m);
        return *this;
    }
    // The image is center' + cos t U + sin t V with U, V the images of the
    // two semi-axes, conjugate but in general not perpendicular. Writing
    // t = s + shift turns them into cos(shift) U + sin(shift) V and
    // -sin(shift) U + cos(shift) V, which are perpendicular, the first the
    // longer, for tan(2 shift) = 2 U.V / (U.U - V.V).
    ZkGeVector3d u = m_majorAxis * m_majorRadius;
    ZkGeVector3d v = m_minorAxis * m_minorRadius;
    u.transformBy(m);
    v.transformBy(m);
    m_center.transformBy(m);
    const double uv = u.dotProduct(v);
    const double spread = u.lengthSqrd() - v.lengthSqrd();
    const double scale = u.lengthSqrd() + v.lengthSqrd();
    // Axes that stay perpendicular and ordered keep their angles, which also
    // keeps rounding from spinning the axes of a circle.
    constexpr double kNoise = 1e-14;
    double shift = 0.0;
    if (std::abs(uv) > kNoise * scale || spread < -kNoise * scale)
        shift = 0.5 * std::atan2(2.0 * uv, spread);
    const double c = std::cos(shift);
    const double s = std::sin(shift);
    const ZkGeVector3d major = u * c + v * s;
    const ZkGeVector3d minor = v * c - u * s;
    m_majorRadius = major.length();
    m_minorRadius = minor.length();
    // The minor image is perpendicular by construction; setAxes only
    // normalises, or stands in a direction when the transform flattened it.
    setAxes(major, minor);
    m_startAng -= shift;
    m_endAng -= shift;
    return *this;
}

bool ZkGeEllipArc3d::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& arc = static_cast<const ZkGeEllipArc3d&>(other);
    return m_center.isEqualTo(arc.m_center, tol) &&
           std::abs(m_majorRadius - arc.m_majorRadius) <= tol.equalPoint() &&
           std::abs(m_minorRadius - arc.m_minorRadius) <= tol.equalPoint() &&
           m_majorAxis.isEqualTo(arc.m_majorAxis, tol) &&
           m_minorAxis.isEqualTo(arc.m_minorAxis, tol) &&
           std::abs(m_startAng - arc.m_startAng) <= tol.equalVector() &&
           std::abs(m_endAng - arc.m_endAng) <= tol.equalVector();
}

ZkGePoint3d ZkGeEllipArc3d::evalPoint(double param) const {
    return m_center + m_majorAxis * (m_majorRadius * std::cos(param)) +
           m_minorAxis * (m_minorRadius * std::sin(param));
}

ZkGePoint3d ZkGeEllipArc3d::evalPoint(double param, int numDeriv,
                                      std::vector<ZkGeVector3d>& derivatives) const {
    // Each derivative shifts cos and sin a quarter turn, as on a circle.
    const ZkGeVector3d x = m_majorAxis * m_majorRadius;
    const ZkGeVector3d y = m_minorAxis * m_minorRadius;
    const double c = std::cos(param);
    const double s = std::sin(param);
    const ZkGeVector3d cycle[4] = {x * c + y * s, y * c - x * s, -(x * c + y * s), x * s - y * c};
    derivatives.resize(numDeriv > 0 ? numDeriv : 0);
    for (int k = 0; k < numDeriv; ++k)
        derivatives[k] = cycle[(k + 1) % 4];
    return m_center + cycle[0];
}

ZkGePoint3d ZkGeEllipArc3d::closestPointTo(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    return evalPoint(paramOf(point, tol));
}

double ZkGeEllipArc3d::paramOf(const ZkGePoint3d& point, const ZkGeTol&) const {
    // The part of the offset along the normal adds the same to every
    // distance, so the search runs in the plane's own coordinates, where
    // the ellipse is (a cos t, b sin t).
    const ZkGeVector3d offset = point - m_center;
    const double px = offset.dotProduct(m_majorAxis);
    const double py = offset.dotProduct(m_minorAxis);
    const double a = m_majorRadius;
    const double b = m_minorRadius;
    const auto f = [&](double t) {
        const double c = std::cos(t);
        const double s = std::sin(t);
        const ZkGeVector2d gap(a * c - px, b * s - py);
        return ZkGeParamSearch::halfSquaredDistance(gap, ZkGeVector2d(-a * s, b * c),
                                                    ZkGeVector2d(-a * c, -b * s));
    };
    const double sweep = m_endAng - m_startAng;
    const int samples =
        std::max(8, static_cast<int>(std::ceil(kSearchSamples * sweep / ZkGeArcAngles::kTwoPi)));
    return ZkGeParamSearch::minimize(f, m_startAng, m_endAng, samples);
}

double ZkGeEllipArc3d::length(double fromParam, double toParam, double tol) const {
    const double a = m_majorRadius;
    const double b = m_minorRadius;
    if (a == b)
        return a * std::abs(toParam - fromParam);
    const auto speed = [a, b](double t) {
        return std::hypot(a * std::sin(t), b * std::cos(t));
    };
    // Pieces of a quarter turn: the speed is smooth, but on a flat ellipse
    // it dips sharply near the ends of the major axis.
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::abs(toParam - fromParam) / (0.5 * M_PI))));
    return std::abs(ZkGeQuadrature::integrate(speed, fromParam, toParam, tol, 2 * pieces));
}

void ZkGeEllipArc3d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                                    std::unique_ptr<ZkGeCurve3d>& piece2) const {
    piece1.reset();
    piece2.reset();
    if (param > m_startAng) {
        auto before = std::make_unique<ZkGeEllipArc3d>(*this);
        if (param < m_endAng)
            before->m_endAng = param;
        piece1 = std::move(before);
    }
    if (param < m_endAng) {
        auto after = std::make_unique<ZkGeEllipArc3d>(*this);
        if (param > m_startAng)
            after->m_startAng = param;
        piece2 = std::move(after);
    }
}

bool ZkGeEllipArc3d::isClosed(const ZkGeTol& tol) const {
    return isFullEllipse() || ZkGeCurve3d::isClosed(tol);
}

bool ZkGeEllipArc3d::isPeriodic(double& period) const {
    period = isFullEllipse() ? ZkGeArcAngles::kTwoPi : 0.0;
    return period != 0.0;
}

bool ZkGeEllipArc3d::isDegenerate(const ZkGeTol& tol) const {
    return m_minorRadius <= tol.equalPoint() || length() <= tol.equalPoint();
}

ZkGeBoundBlock3d ZkGeEllipArc3d::boundBlock() const {
    // Coordinate i is center_i + a M_i cos t + b N_i sin t, which peaks at
    // t = atan2(b N_i, a M_i) and bottoms out half a turn later.
    ZkGeBoundBlock3d box(startPoint(), endPoint());
    for (int i = 0; i < 3; ++i) {
        const double x = m_majorRadius * m_majorAxis[i];
        const double y = m_minorRadius * m_minorAxis[i];
        if (x == 0.0 && y == 0.0)
            continue;
        const double peak = std::atan2(y, x);
        for (const double angle : {peak, peak + M_PI}) {
            double param;
            if (ZkGeArcAngles::findInArc(angle, m_startAng, m_endAng, param))
                box.extend(evalPoint(param));
        }
    }
    return box;
}
