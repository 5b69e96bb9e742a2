#include "Geometry/math/Curve3DCurvatureEvaluator.h"

#include "Geometry/curves3d/Curve3D.h"
#include "ZkGeCurve3d.h"

#include <vector>

namespace Kv::Geometry {

Curve3DCurvatureEvaluator::Curve3DCurvatureEvaluator(const StrongRef<Curve3D>& curve)
    : m_curve(curve) {}

bool Curve3DCurvatureEvaluator::evaluate(double t, ZkGePoint3d& point, ZkGeVector3d& firstDeriv,
                                         ZkGeVector3d& secondDeriv) const {
    const Curve3D* curve = m_curve.getTarget();
    if (!curve)
        return false;
    std::vector<ZkGeVector3d> derivatives;
    point = curve->curve().evalPoint(t, 2, derivatives);
    if (derivatives.size() < 2)
        return false;
    firstDeriv = derivatives[0];
    secondDeriv = derivatives[1];
    return true;
}

bool Curve3DCurvatureEvaluator::evaluateCurvature(double t, ZkGePoint3d& point,
                                                  ZkGeVector3d& tangent,
                                                  ZkGeVector3d& curvature) const {
    ZkGeVector3d secondDeriv;
    return evaluate(t, point, tangent, secondDeriv) &&
           curvatureVector(tangent, secondDeriv, curvature);
}

bool Curve3DCurvatureEvaluator::paramRange(double& t0, double& t1) const {
    const Curve3D* curve = m_curve.getTarget();
    if (!curve)
        return false;
    const ZkGeInterval range = curve->curve().getInterval();
    t0 = range.lowerBound();
    t1 = range.upperBound();
    return true;
}

bool Curve3DCurvatureEvaluator::periodic() const {
    const Curve3D* curve = m_curve.getTarget();
    double period;
    return curve && curve->curve().isPeriodic(period);
}

bool Curve3DCurvatureEvaluator::curveBoundingBox(ZkGeBoundBlock3d& box) const {
    const Curve3D* curve = m_curve.getTarget();
    if (!curve)
        return false;
    box = curve->curve().boundBlock();
    return true;
}

} // namespace Kv::Geometry
