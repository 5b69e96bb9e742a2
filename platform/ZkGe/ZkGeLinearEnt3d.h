#pragma once

#include "ZkGeCurve3d.h"

// Base of the straight entities: lines, rays and segments, each
// pointOnLine() + t * direction() for t in interval().
class ZkGeLinearEnt3d : public ZkGeCurve3d {
public:
    using ZkGeCurve3d::distanceTo;
    using ZkGeCurve3d::length;

    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kLinearEnt3d || ZkGeCurve3d::isKindOf(id);
    }

    virtual ZkGePoint3d pointOnLine() const = 0;
    virtual ZkGeVector3d direction() const = 0;
    virtual ZkGeInterval interval() const = 0;

    ZkGeInterval getInterval() const override { return interval(); }
    ZkGePoint3d evalPoint(double param) const override {
        return pointOnLine() + direction() * param;
    }
    ZkGePoint3d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector3d>& derivatives) const override;
    // The parameter of the foot of the perpendicular from point on the
    // carrying line, possibly outside interval().
    double lineParamOf(const ZkGePoint3d& point) const;
    // lineParamOf clamped to interval().
    double paramOf(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    ZkGePoint3d closestPointTo(const ZkGePoint3d& point,
                               const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // When the line runs along `direction` it projects to a single point, and
    // every point of it is equally near: the answer is then closestPointTo.
    ZkGePoint3d projClosestPointTo(const ZkGePoint3d& point, const ZkGeVector3d& direction,
                                   const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // Exact between two straight entities; other curves do the searching.
    double distanceTo(const ZkGeCurve3d& other,
                      const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    // A straight entity never closes, even a segment shrunk to a point.
    bool isClosed(const ZkGeTol& = ZkGeContext::gTol) const override { return false; }
    // A zero direction: only a segment with coinciding ends has one, as lines
    // and rays store theirs normalised.
    bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const override {
        return direction().isZeroLength(tol);
    }
    // Unbounded entities get infinite sides, but only along the axes they
    // run along: the x axis has the box (-inf, 0, 0) to (inf, 0, 0).
    ZkGeBoundBlock3d boundBlock() const override;

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
