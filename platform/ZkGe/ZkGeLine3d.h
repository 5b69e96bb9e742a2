#pragma once

#include "ZkGeLinearEnt3d.h"

// An infinite straight line: a point on it and a unit direction. The
// parameter is the signed distance from that point.
class ZkGeLine3d : public ZkGeLinearEnt3d {
public:
    ZkGeLine3d(); // the x axis
    // The direction is stored normalised.
    ZkGeLine3d(const ZkGePoint3d& point, const ZkGeVector3d& direction) { set(point, direction); }

    static const ZkGeLine3d kXAxis;
    static const ZkGeLine3d kYAxis;
    static const ZkGeLine3d kZAxis;

    ZkGeLine3d& set(const ZkGePoint3d& point, const ZkGeVector3d& direction);

    ZkGe::EntityId type() const override { return ZkGe::kLine3d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kLine3d || ZkGeLinearEnt3d::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    ZkGeLine3d& transformBy(const ZkGeMatrix3d& m) override;
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGePoint3d pointOnLine() const override { return m_point; }
    ZkGeVector3d direction() const override { return m_direction; }
    ZkGeInterval interval() const override { return ZkGeInterval(); }
    // Two rays from the point at param: piece1 runs back along -direction(),
    // so its parameter grows away from the split as well.
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                        std::unique_ptr<ZkGeCurve3d>& piece2) const override;

    bool operator==(const ZkGeLine3d& l) const {
        return m_point == l.m_point && m_direction == l.m_direction;
    }
    bool operator!=(const ZkGeLine3d& l) const { return !(*this == l); }

private:
    ZkGePoint3d m_point;
    ZkGeVector3d m_direction;
};
