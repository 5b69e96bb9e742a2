#pragma once

#include "ZkGeContext.h"

class ZkGeMatrix3d;

// A displacement or direction in space.
class ZkGeVector3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr ZkGeVector3d() = default;
    constexpr ZkGeVector3d(double vx, double vy, double vz)
        : x(vx)
        , y(vy)
        , z(vz) {}

    static const ZkGeVector3d kXAxis;
    static const ZkGeVector3d kYAxis;
    static const ZkGeVector3d kZAxis;

    double length() const;
    double lengthSqrd() const { return x * x + y * y + z * z; }
    // A unit copy; a zero vector has no direction and stays zero.
    ZkGeVector3d normal() const;
    ZkGeVector3d& normalize();
    double dotProduct(const ZkGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    ZkGeVector3d crossProduct(const ZkGeVector3d& v) const;
    // The unsigned angle to v, in [0, pi].
    double angleTo(const ZkGeVector3d& v) const;
    // The angle from this vector to v turning counter-clockwise when looking
    // down against reference, in [0, 2 pi).
    double angleTo(const ZkGeVector3d& v, const ZkGeVector3d& reference) const;
    // A unit vector perpendicular to this one, chosen the same way every time:
    // Y x n when n (the unit copy) lies within 1/64 of the z axis in x and y,
    // otherwise Z x n. Planes take their u axis from it. Zero stays zero.
    ZkGeVector3d perpVector() const;

    // Applies the linear part of m; directions do not move with translation.
    ZkGeVector3d& transformBy(const ZkGeMatrix3d& m);
    // Turns counter-clockwise about axis (right-handed) by angle radians.
    ZkGeVector3d& rotateBy(double angle, const ZkGeVector3d& axis);

    bool isZeroLength(const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isUnitLength(const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isEqualTo(const ZkGeVector3d& v, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // A zero-length vector has no direction: it is neither parallel nor
    // perpendicular to anything. Opposite vectors are parallel.
    bool isParallelTo(const ZkGeVector3d& v, const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isPerpendicularTo(const ZkGeVector3d& v, const ZkGeTol& tol = ZkGeContext::gTol) const;

    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }

    ZkGeVector3d operator-() const { return ZkGeVector3d(-x, -y, -z); }
    ZkGeVector3d operator+(const ZkGeVector3d& v) const {
        return ZkGeVector3d(x + v.x, y + v.y, z + v.z);
    }
    ZkGeVector3d operator-(const ZkGeVector3d& v) const {
        return ZkGeVector3d(x - v.x, y - v.y, z - v.z);
    }
    ZkGeVector3d operator*(double s) const { return ZkGeVector3d(x * s, y * s, z * s); }
    ZkGeVector3d operator/(double s) const { return ZkGeVector3d(x / s, y / s, z / s); }
    ZkGeVector3d& operator+=(const ZkGeVector3d& v) { return *this = *this + v; }
    ZkGeVector3d& operator-=(const ZkGeVector3d& v) { return *this = *this - v; }
    ZkGeVector3d& operator*=(double s) { return *this = *this * s; }
    ZkGeVector3d& operator/=(double s) { return *this = *this / s; }

    // Exact comparison, for round trips; geometry should use isEqualTo.
    bool operator==(const ZkGeVector3d& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const ZkGeVector3d& v) const { return !(*this == v); }
};

inline ZkGeVector3d operator*(double s, const ZkGeVector3d& v) {
    return v * s;
}
