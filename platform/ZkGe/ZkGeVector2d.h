#pragma once

#include "ZkGeContext.h"

// A displacement or direction in the plane.
class ZkGeVector2d {
public:
    double x = 0.0;
    double y = 0.0;

    constexpr ZkGeVector2d() = default;
    constexpr ZkGeVector2d(double vx, double vy)
        : x(vx)
        , y(vy) {}

    static const ZkGeVector2d kXAxis;
    static const ZkGeVector2d kYAxis;

    double length() const;
    double lengthSqrd() const { return x * x + y * y; }
    // A unit copy; a zero vector has no direction and stays zero.
    ZkGeVector2d normal() const;
    ZkGeVector2d& normalize();
    double dotProduct(const ZkGeVector2d& v) const { return x * v.x + y * v.y; }
    // z of the 3d cross product: positive when v lies counter-clockwise of this.
    double crossProduct(const ZkGeVector2d& v) const { return x * v.y - y * v.x; }
    // The unsigned angle to v, in [0, pi].
    double angleTo(const ZkGeVector2d& v) const;
    // This vector turned a quarter counter-clockwise, same length.
    ZkGeVector2d perpVector() const { return ZkGeVector2d(-y, x); }
    // Turns counter-clockwise by angle radians.
    ZkGeVector2d& rotateBy(double angle);

    bool isZeroLength(const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isUnitLength(const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isEqualTo(const ZkGeVector2d& v, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // A zero-length vector has no direction: it is neither parallel nor
    // perpendicular to anything. Opposite vectors are parallel.
    bool isParallelTo(const ZkGeVector2d& v, const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isPerpendicularTo(const ZkGeVector2d& v, const ZkGeTol& tol = ZkGeContext::gTol) const;

    double operator[](int i) const { return i == 0 ? x : y; }
    double& operator[](int i) { return i == 0 ? x : y; }

    ZkGeVector2d operator-() const { return ZkGeVector2d(-x, -y); }
    ZkGeVector2d operator+(const ZkGeVector2d& v) const { return ZkGeVector2d(x + v.x, y + v.y); }
    ZkGeVector2d operator-(const ZkGeVector2d& v) const { return ZkGeVector2d(x - v.x, y - v.y); }
    ZkGeVector2d operator*(double s) const { return ZkGeVector2d(x * s, y * s); }
    ZkGeVector2d operator/(double s) const { return ZkGeVector2d(x / s, y / s); }
    ZkGeVector2d& operator+=(const ZkGeVector2d& v) { return *this = *this + v; }
    ZkGeVector2d& operator-=(const ZkGeVector2d& v) { return *this = *this - v; }
    ZkGeVector2d& operator*=(double s) { return *this = *this * s; }
    ZkGeVector2d& operator/=(double s) { return *this = *this / s; }

    // Exact comparison, for round trips; geometry should use isEqualTo.
    bool operator==(const ZkGeVector2d& v) const { return x == v.x && y == v.y; }
    bool operator!=(const ZkGeVector2d& v) const { return !(*this == v); }
};

inline ZkGeVector2d operator*(double s, const ZkGeVector2d& v) {
    return v * s;
}
