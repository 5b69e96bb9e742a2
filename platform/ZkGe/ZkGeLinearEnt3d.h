#pragma once

#include "ZkGeEntity3d.h"
#include "ZkGeInterval.h"

// Base of the straight entities: lines, rays and segments. Each is
// pointOnLine() + t * direction() for t in interval(); the queries here
// respect that range, except paramOf, which works on the whole carrying line.
class ZkGeLinearEnt3d : public ZkGeEntity3d {
public:
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kLinearEnt3d || ZkGeEntity3d::isKindOf(id);
    }

    virtual ZkGePoint3d pointOnLine() const = 0;
    virtual ZkGeVector3d direction() const = 0;
    virtual ZkGeInterval interval() const = 0;

    ZkGePoint3d evalPoint(double param) const { return pointOnLine() + direction() * param; }
    // The parameter of the foot of the perpendicular from point on the
    // carrying line, possibly outside interval().
    double paramOf(const ZkGePoint3d& point) const;
    ZkGePoint3d closestPointTo(const ZkGePoint3d& point) const;
    double distanceTo(const ZkGePoint3d& point) const {
        return point.distanceTo(closestPointTo(point));
    }
    bool isOn(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const {
        return distanceTo(point) <= tol.equalPoint();
    }
    bool isParallelTo(const ZkGeLinearEnt3d& other, const ZkGeTol& tol = ZkGeContext::gTol) const {
        return direction().isParallelTo(other.direction(), tol);
    }
    // Whether both lie on the same infinite line, whatever their extents.
    bool isColinearTo(const ZkGeLinearEnt3d& other, const ZkGeTol& tol = ZkGeContext::gTol) const;

protected:
    ZkGeLinearEnt3d() = default;
    ZkGeLinearEnt3d(const ZkGeLinearEnt3d&) = default;
    ZkGeLinearEnt3d& operator=(const ZkGeLinearEnt3d&) = default;
};
