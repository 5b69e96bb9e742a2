#pragma once

#include "ZkGeLinearEnt3d.h"

// A bounded straight segment between two points. direction() is the full
// vector from start to end, so the parameter runs from 0 at the start to 1 at
// the end. Start and end may coincide: see isDegenerate().
class ZkGeLineSeg3d : public ZkGeLinearEnt3d {
public:
    using ZkGeLinearEnt3d::length;

    ZkGeLineSeg3d(); // from the origin to (1, 0, 0)
    ZkGeLineSeg3d(const ZkGePoint3d& start, const ZkGePoint3d& end)
        : m_start(start)
        , m_end(end) {}

    ZkGeLineSeg3d& set(const ZkGePoint3d& start, const ZkGePoint3d& end);
    ZkGePoint3d startPoint() const { return m_start; }
    ZkGePoint3d endPoint() const { return m_end; }
    ZkGePoint3d midPoint() const { return m_start + (m_end - m_start) * 0.5; }
    double length() const { return m_start.distanceTo(m_end); }
    // A segment whose ends coincide has no direction: it is parallel to
    // nothing and behaves as its start point.
    bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const override {
        return m_start.isEqualTo(m_end, tol);
    }

    ZkGe::EntityId type() const override { return ZkGe::kLineSeg3d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kLineSeg3d || ZkGeLinearEnt3d::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    ZkGeLineSeg3d& transformBy(const ZkGeMatrix3d& m) override;
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGePoint3d pointOnLine() const override { return m_start; }
    ZkGeVector3d direction() const override { return m_end - m_start; }
    ZkGeInterval interval() const override { return ZkGeInterval(0.0, 1.0); }
    // The ends themselves at 0 and 1, free of rounding in start + 1 * (end - start).
    ZkGePoint3d evalPoint(double param) const override;
    using ZkGeLinearEnt3d::evalPoint;
    ZkGeBoundBlock3d boundBlock() const override { return ZkGeBoundBlock3d(m_start, m_end); }
    // Two segments meeting at the point at param; each is parameterised 0 to 1 again.
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                        std::unique_ptr<ZkGeCurve3d>& piece2) const override;

    bool operator==(const ZkGeLineSeg3d& s) const {
        return m_start == s.m_start && m_end == s.m_end;
    }
    bool operator!=(const ZkGeLineSeg3d& s) const { return !(*this == s); }

private:
    ZkGePoint3d m_start;
    ZkGePoint3d m_end;
};
