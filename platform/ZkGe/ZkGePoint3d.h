#pragma once

#include "ZkGeVector3d.h"

class ZkGePlane;

// A position in space.
class ZkGePoint3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr ZkGePoint3d() = default;
    constexpr ZkGePoint3d(double px, double py, double pz)
        : x(px)
        , y(py)
        , z(pz) {}

    static const ZkGePoint3d kOrigin;

    double distanceTo(const ZkGePoint3d& p) const { return (*this - p).length(); }
    bool isEqualTo(const ZkGePoint3d& p, const ZkGeTol& tol = ZkGeContext::gTol) const;
    ZkGePoint3d& transformBy(const ZkGeMatrix3d& m);
    // Turns counter-clockwise about the axis through wrtPoint (right-handed).
    ZkGePoint3d& rotateBy(double angle, const ZkGeVector3d& axis,
                          const ZkGePoint3d& wrtPoint = kOrigin);
    // Where the line through this point along projectDirection meets the
    // plane. A direction parallel to the plane meets it nowhere, and the point
    // comes back unchanged; plane.isOn(result) tells the cases apart.
    ZkGePoint3d project(const ZkGePlane& plane, const ZkGeVector3d& projectDirection,
                        const ZkGeTol& tol = ZkGeContext::gTol) const;
    // The foot of the perpendicular from this point on the plane.
    ZkGePoint3d orthoProject(const ZkGePlane& plane) const;
    ZkGeVector3d asVector() const { return ZkGeVector3d(x, y, z); }

    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }

    ZkGePoint3d operator+(const ZkGeVector3d& v) const {
        return ZkGePoint3d(x + v.x, y + v.y, z + v.z);
    }
    ZkGePoint3d operator-(const ZkGeVector3d& v) const {
        return ZkGePoint3d(x - v.x, y - v.y, z - v.z);
    }
    ZkGeVector3d operator-(const ZkGePoint3d& p) const {
        return ZkGeVector3d(x - p.x, y - p.y, z - p.z);
    }
    ZkGePoint3d& operator+=(const ZkGeVector3d& v) { return *this = *this + v; }
    ZkGePoint3d& operator-=(const ZkGeVector3d& v) { return *this = *this - v; }

    // Exact comparison, for round trips; geometry should use isEqualTo.
    bool operator==(const ZkGePoint3d& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const ZkGePoint3d& p) const { return !(*this == p); }
};
