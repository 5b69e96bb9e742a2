#include "ZkGeEllipArc2d.h"

#include "ZkGeQuadrature.h"

#include <algorithm>
#include <cmath>
#include <utility>

ZkGeEllipArc2d::ZkGeEllipArc2d()
    : m_majorAxis(ZkGeVector2d::kXAxis)
    , m_endAng(ZkGeArcAngles::kTwoPi) {}

ZkGeEllipArc2d& ZkGeEllipArc2d::set(const ZkGePoint2d& center, const ZkGeVector2d& majorAxis,
                                    double majorRadius, double minorRadius, double startAng,
                                    double endAng) {
    m_center = center;
    m_majorAxis = majorAxis.isZeroLength() ? ZkGeVector2d::kXAxis : majorAxis.normal();
    m_majorRadius = std::abs(majorRadius);
    m_minorRadius = std::abs(minorRadius);
    setAngles(startAng, endAng);
    if (m_minorRadius > m_majorRadius) {
        // With t = s + pi/2: a cos t M + b sin t M' = b cos s M' + a sin s (-M),
        // and -M is M' turned a quarter further.
        std::swap(m_majorRadius, m_minorRadius);
        m_majorAxis = m_majorAxis.perpVector();
        m_startAng -= 0.5 * M_PI;
        m_endAng -= 0.5 * M_PI;
    }
    return *this;
}

ZkGeEllipArc2d& ZkGeEllipArc2d::setAngles(double startAng, double endAng) {
    m_startAng = startAng;
    m_endAng = ZkGeArcAngles::sweptEnd(startAng, endAng);
    return *this;
}

bool ZkGeEllipArc2d::isFullEllipse() const {
    return ZkGeArcAngles::isFullTurn(m_startAng, m_endAng);
}

std::unique_ptr<ZkGeCurve2d> ZkGeEllipArc2d::copy() const {
    return std::make_unique<ZkGeEllipArc2d>(*this);
}

bool ZkGeEllipArc2d::isEqualTo(const ZkGeCurve2d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& arc = static_cast<const ZkGeEllipArc2d&>(other);
    return m_center.isEqualTo(arc.m_center, tol) &&
           std::abs(m_majorRadius - arc.m_majorRadius) <= tol.equalPoint() &&
           std::abs(m_minorRadius - arc.m_minorRadius) <= tol.equalPoint() &&
           m_majorAxis.isEqualTo(arc.m_majorAxis, tol) &&
           std::abs(m_startAng - arc.m_startAng) <= tol.equalVector() &&
           std::abs(m_endAng - arc.m_endAng) <= tol.equalVector();
}

ZkGePoint2d ZkGeEllipArc2d::evalPoint(double param) const {
    return m_center + m_majorAxis * (m_majorRadius * std::cos(param)) +
           minorAxis() * (m_minorRadius * std::sin(param));
}

ZkGePoint2d ZkGeEllipArc2d::evalPoint(double param, int numDeriv,
                                      std::vector<ZkGeVector2d>& derivatives) const {
    // Each derivative shifts cos and sin a quarter turn.
    const ZkGeVector2d x = m_majorAxis * m_majorRadius;
    const ZkGeVector2d y = minorAxis() * m_minorRadius;
    const double c = std::cos(param);
    const double s = std::sin(param);
    const ZkGeVector2d cycle[4] = {x * c + y * s, y * c - x * s, -(x * c + y * s), x * s - y * c};
    derivatives.resize(numDeriv > 0 ? numDeriv : 0);
    for (int k = 0; k < numDeriv; ++k)
        derivatives[k] = cycle[(k + 1) % 4];
    return m_center + cycle[0];
}

double ZkGeEllipArc2d::length(double fromParam, double toParam, double tol) const {
    const double a = m_majorRadius;
    const double b = m_minorRadius;
    if (a == b)
        return a * std::abs(toParam - fromParam);
    const auto speed = [a, b](double t) {
        return std::hypot(a * std::sin(t), b * std::cos(t));
    };
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::abs(toParam - fromParam) / (0.5 * M_PI))));
    return std::abs(ZkGeQuadrature::integrate(speed, fromParam, toParam, tol, 2 * pieces));
}

bool ZkGeEllipArc2d::isClosed(const ZkGeTol& tol) const {
    return isFullEllipse() || ZkGeCurve2d::isClosed(tol);
}

ZkGeBoundBlock2d ZkGeEllipArc2d::boundBlock() const {
    // Coordinate i is center_i + a M_i cos t + b M'_i sin t, which peaks at
    // t = atan2(b M'_i, a M_i) and bottoms out half a turn later.
    ZkGeBoundBlock2d box(startPoint(), endPoint());
    const ZkGeVector2d minor = minorAxis();
    for (int i = 0; i < 2; ++i) {
        const double x = m_majorRadius * m_majorAxis[i];
        const double y = m_minorRadius * minor[i];
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
