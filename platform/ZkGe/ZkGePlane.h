#pragma once

#include "ZkGeLinearEnt3d.h"
#include "ZkGePlanarEnt.h"

// An infinite plane: a point on it (its origin) and a unit normal. Distances
// are signed positive on the side the normal points to.
class ZkGePlane : public ZkGePlanarEnt {
public:
    ZkGePlane(); // the xy plane
    // The normal is stored normalised.
    ZkGePlane(const ZkGePoint3d& origin, const ZkGeVector3d& normal) { set(origin, normal); }
    ZkGePlane(double a, double b, double c, double d) { set(a, b, c, d); }
    ZkGePlane(const ZkGePoint3d& p1, const ZkGePoint3d& p2, const ZkGePoint3d& p3) {
        set(p1, p2, p3);
    }

    static const ZkGePlane kXYPlane; // normal +z
    static const ZkGePlane kYZPlane; // normal +x
    static const ZkGePlane kZXPlane; // normal +y

    ZkGePlane& set(const ZkGePoint3d& origin, const ZkGeVector3d& normal);
    // The plane a x + b y + c z + d = 0; its origin is the point nearest the
    // world origin. (a, b, c) must not be zero.
    ZkGePlane& set(double a, double b, double c, double d);
    // Through three points not on one line, with p1 as origin; the normal
    // sees p1, p2, p3 counter-clockwise.
    ZkGePlane& set(const ZkGePoint3d& p1, const ZkGePoint3d& p2, const ZkGePoint3d& p3);
    // Normalised so that (a, b, c) is the unit normal.
    void getCoefficients(double& a, double& b, double& c, double& d) const;

    double signedDistanceTo(const ZkGePoint3d& point) const {
        return m_normal.dotProduct(point - m_origin);
    }
    // Where the entity crosses the plane. False when it runs parallel to the
    // plane (lying in it included) or when a segment or ray stops short of it.
    bool intersectWith(const ZkGeLinearEnt3d& linear, ZkGePoint3d& point,
                       const ZkGeTol& tol = ZkGeContext::gTol) const;

    ZkGe::EntityId type() const override { return ZkGe::kPlane; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kPlane || ZkGePlanarEnt::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    // Points on the positive side stay on the positive side, mirrors included.
    ZkGePlane& transformBy(const ZkGeMatrix3d& m) override;
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGeVector3d normal() const override { return m_normal; }
    ZkGePoint3d pointOnPlane() const override { return m_origin; }
    bool isOn(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double distanceTo(const ZkGePoint3d& point) const override;
    ZkGePoint3d closestPointTo(const ZkGePoint3d& point) const override;

    bool operator==(const ZkGePlane& p) const {
        return m_origin == p.m_origin && m_normal == p.m_normal;
    }
    bool operator!=(const ZkGePlane& p) const { return !(*this == p); }

private:
    ZkGePoint3d m_origin;
    ZkGeVector3d m_normal;
};
