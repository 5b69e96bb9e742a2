#include "ZkGeVector2d.h"

#include <cmath>
#include <limits>

const ZkGeVector2d ZkGeVector2d::kXAxis(1.0, 0.0);
const ZkGeVector2d ZkGeVector2d::kYAxis(0.0, 1.0);

double ZkGeVector2d::length() const {
    return std::hypot(x, y);
}

ZkGeVector2d ZkGeVector2d::normal() const {
    return ZkGeVector2d(*this).normalize();
}

// A vector that is unit length to the last bits is left alone: dividing by a
// length of 1 - ulp would change it again, and stored directions must read
// back and re-normalise to exactly what was written.
ZkGeVector2d& ZkGeVector2d::normalize() {
    const double lenSq = lengthSqrd();
    if (std::abs(lenSq - 1.0) <= 4 * std::numeric_limits<double>::epsilon())
        return *this;
    if (lenSq > 0.0)
        *this /= std::sqrt(lenSq);
    return *this;
}

double ZkGeVector2d::angleTo(const ZkGeVector2d& v) const {
    // atan2 keeps full precision near 0 and pi, where acos of the dot loses it.
    return std::atan2(std::abs(crossProduct(v)), dotProduct(v));
}

ZkGeVector2d& ZkGeVector2d::rotateBy(double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return *this = ZkGeVector2d(c * x - s * y, s * x + c * y);
}

bool ZkGeVector2d::isZeroLength(const ZkGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool ZkGeVector2d::isUnitLength(const ZkGeTol& tol) const {
    return std::abs(length() - 1.0) <= tol.equalVector();
}

bool ZkGeVector2d::isEqualTo(const ZkGeVector2d& v, const ZkGeTol& tol) const {
    return (*this - v).length() <= tol.equalVector();
}

bool ZkGeVector2d::isParallelTo(const ZkGeVector2d& v, const ZkGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return std::abs(normal().crossProduct(v.normal())) <= tol.equalVector();
}

bool ZkGeVector2d::isPerpendicularTo(const ZkGeVector2d& v, const ZkGeTol& tol) const {
    if (isZeroLength(tol) || v.isZeroLength(tol))
        return false;
    return std::abs(normal().dotProduct(v.normal())) <= tol.equalVector();
}
