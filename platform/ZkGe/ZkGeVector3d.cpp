#include "ZkGeVector3d.h"

#include "ZkGeMatrix3d.h"

#include <cmath>
#include <limits>

const ZkGeVector3d ZkGeVector3d::kXAxis(1.0, 0.0, 0.0);
const ZkGeVector3d ZkGeVector3d::kYAxis(0.0, 1.0, 0.0);
const ZkGeVector3d ZkGeVector3d::kZAxis(0.0, 0.0, 1.0);

double ZkGeVector3d::length() const {
    return std::sqrt(lengthSqrd());
}

ZkGeVector3d ZkGeVector3d::normal() const {
    return ZkGeVector3d(*this).normalize();
}

// A vector that is unit length to the last bits is left alone: dividing by a
// length of 1 - ulp would change it again, and stored directions must read
// back and re-normalise to exactly what was written.
ZkGeVector3d& ZkGeVector3d::normalize() {
    const double lenSq = lengthSqrd();
    if (std::abs(lenSq - 1.0) <= 4 * std::numeric_limits<double>::epsilon())
        return *this;
    if (lenSq > 0.0)
        *this /= std::sqrt(lenSq);
    return *this;
}

ZkGeVector3d ZkGeVector3d::crossProduct(const ZkGeVector3d& v) const {
    return ZkGeVector3d(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

double ZkGeVector3d::angleTo(const ZkGeVector3d& v) const {
    // atan2 keeps full precision near 0 and pi, where acos of the dot loses it.
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double ZkGeVector3d::angleTo(const ZkGeVector3d& v, const ZkGeVector3d& reference) const {
    const double angle = angleTo(v);
    if (angle > 0.0 && crossProduct(v).dotProduct(reference) < 0.0)
        return 2.0 * M_PI - angle;
    return angle;
}

ZkGeVector3d ZkGeVector3d::perpVector() const {
    const ZkGeVector3d n = normal();
    constexpr double nearAxis = 1.0 / 64.0;
    const ZkGeVector3d& helper =
        std::abs(n.x) < nearAxis && std::abs(n.y) < nearAxis ? kYAxis : kZAxis;
    return helper.crossProduct(n).normalize();
}

ZkGeVector3d& ZkGeVector3d::transformBy(const ZkGeMatrix3d& m) {
    const auto& e = m.entry;
    return *this = ZkGeVector3d(e[0][0] * x + e[0][1] * y + e[0][2] * z,
                                e[1][0] * x + e[1][1] * y + e[1][2] * z,
                                e[2][0] * x + e[2][1] * y + e[2][2] * z);
}

ZkGeVector3d& ZkGeVector3d::rotateBy(double angle, const ZkGeVector3d& axis) {
    return transformBy(ZkGeMatrix3d::rotation(angle, axis));
}

bool ZkGeVector3d::isZeroLength(const ZkGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool ZkGeVector3d::isUnitLength(const ZkGeTol& tol) const {
    return std::abs(length() - 1.0) <= tol.equalVector();
}

bool ZkGeVector3d::isEqualTo(const ZkGeVector3d& v, const ZkGeTol& tol) const {
    return (*this - v).length() <= tol.equalVector();
}

bool ZkGeVector3d::isParallelTo(const ZkGeVector3d& v, const ZkGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return normal().crossProduct(v.normal()).length() <= tol.equalVector();
}

bool ZkGeVector3d::isPerpendicularTo(const ZkGeVector3d& v, const ZkGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return std::abs(normal().dotProduct(v.normal())) <= tol.equalVector();
}
