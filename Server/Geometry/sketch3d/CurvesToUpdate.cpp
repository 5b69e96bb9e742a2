#include "Geometry/sketch3d/CurvesToUpdate.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/sketch3d/CurveUses.h"

#include <algorithm>

namespace Kv::Geometry {

void CurvesToUpdate::add(const CurveUses* uses) {
    if (!uses)
        return;
    for (const PassiveRef<Curve3D>& curve : uses->curves())
        keep(curve.getTarget());
}

void CurvesToUpdate::editSplines(const CurveUses* uses,
                                 const std::function<bool(Spline3D&)>& edit) {
    if (!uses)
        return;
    const std::vector<PassiveRef<Curve3D>> curves = uses->curves();
    for (const PassiveRef<Curve3D>& curve : curves) {
        auto* spline = ::Kv::queryInterface<Spline3D>(curve.getTarget());
        if (spline && edit(*spline))
            keep(spline);
    }
}

void CurvesToUpdate::keep(Curve3D* curve) {
    if (curve && std::find(m_curves.begin(), m_curves.end(), curve) == m_curves.end())
        m_curves.emplace_back(curve);
}

void CurvesToUpdate::updateAll() {
    const std::vector<PassiveRef<Curve3D>> curves = std::move(m_curves);
    m_curves.clear();
    for (const PassiveRef<Curve3D>& curve : curves)
        if (curve)
            curve->updateCurve();
}

} // namespace Kv::Geometry
