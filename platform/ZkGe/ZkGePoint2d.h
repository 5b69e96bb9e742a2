#pragma once

#include "ZkGeVector2d.h"

// A position in the plane.
class ZkGePoint2d {
public:
    double x = 0.0;
    double y = 0.0;

    constexpr ZkGePoint2d() = default;
    constexpr ZkGePoint2d(double px, double py)
        : x(px)
        , y(py) {}

    static const ZkGePoint2d kOrigin;

    double distanceTo(const ZkGePoint2d& p) const { return (*this - p).length(); }
    bool isEqualTo(const ZkGePoint2d& p, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // Turns counter-clockwise by angle radians about wrtPoint.
    ZkGePoint2d& rotateBy(double angle, const ZkGePoint2d& wrtPoint = kOrigin);
    ZkGeVector2d asVector() const { return ZkGeVector2d(x, y); }

    double operator[](int i) const { return i == 0 ? x : y; }
    double& operator[](int i) { return i == 0 ? x : y; }

    ZkGePoint2d operator+(const ZkGeVector2d& v) const { return ZkGePoint2d(x + v.x, y + v.y); }
    ZkGePoint2d operator-(const ZkGeVector2d& v) const { return ZkGePoint2d(x - v.x, y - v.y); }
    ZkGeVector2d operator-(const ZkGePoint2d& p) const { return ZkGeVector2d(x - p.x, y - p.y); }
    ZkGePoint2d& operator+=(const ZkGeVector2d& v) { return *this = *this + v; }
    ZkGePoint2d& operator-=(const ZkGeVector2d& v) { return *this = *this - v; }

    // Exact comparison, for round trips; geometry should use isEqualTo.
    bool operator==(const ZkGePoint2d& p) const { return x == p.x && y == p.y; }
    bool operator!=(const ZkGePoint2d& p) const { return !(*this == p); }
};
