#pragma once

#include "ZkGeLinearEnt3d.h"

// A half-line from a start point along a unit direction. The parameter is
// the distance from the start and is never negative on the ray.
class ZkGeRay3d : public ZkGeLinearEnt3d {
public:
    ZkGeRay3d(); // from the origin along +x
    // The direction is stored normalised.
    ZkGeRay3d(const ZkGePoint3d& start, const ZkGeVector3d& direction) { set(start, direction); }

    ZkGeRay3d& set(const ZkGePoint3d& start, const ZkGeVector3d& direction);

    ZkGe::EntityId type() const override { return ZkGe::kRay3d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kRay3d || ZkGeLinearEnt3d::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    ZkGeRay3d& transformBy(const ZkGeMatrix3d& m) override;
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGePoint3d pointOnLine() const override { return m_start; }
    ZkGeVector3d direction() const override { return m_direction; }
    ZkGeInterval interval() const override;
    // A segment from the start to the point at param, then a ray on from it.
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                        std::unique_ptr<ZkGeCurve3d>& piece2) const override;

    bool operator==(const ZkGeRay3d& r) const {
        return m_start == r.m_start && m_direction == r.m_direction;
    }
    bool operator!=(const ZkGeRay3d& r) const { return !(*this == r); }

private:
    ZkGePoint3d m_start;
    ZkGeVector3d m_direction;
};
