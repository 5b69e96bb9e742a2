#pragma once

#include "Geometry/math/CurvatureEvaluator.h"
#include "Kv/Base/PassiveRef.h"

namespace Kv::Geometry {

class Curve3D;

// Curvature analysis of a sketch curve, through its kernel curve. The
// evaluator only watches the curve: once the curve is gone every query
// fails, and the sampling, the maximum and the scale fall back as the base
// class describes.
class Curve3DCurvatureEvaluator : public CurvatureEvaluator {
public:
    explicit Curve3DCurvatureEvaluator(const StrongRef<Curve3D>& curve);

    // The kernel evalPoint at t with two derivatives.
    bool evaluate(double t, ZkGePoint3d& point, ZkGeVector3d& firstDeriv,
                  ZkGeVector3d& secondDeriv) const override;
    bool evaluateCurvature(double t, ZkGePoint3d& point, ZkGeVector3d& tangent,
                           ZkGeVector3d& curvature) const override;
    // The kernel interval of the curve.
    bool paramRange(double& t0, double& t1) const override;
    bool periodic() const override;
    // The kernel box of the curve.
    bool curveBoundingBox(ZkGeBoundBlock3d& box) const override;

private:
    PassiveRef<Curve3D> m_curve;
};

} // namespace Kv::Geometry
