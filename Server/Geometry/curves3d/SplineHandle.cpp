#include "Geometry/curves3d/SplineHandle.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/Attribute.h"

#include <cmath>
#include <vector>

namespace Kv::Geometry {
namespace {

// Handles are drawn behind the curves they shape.
constexpr int kDepthPriority = 3;

Color inferenceColor() {
    return Scene::EnvironmentManager::getEnvManager()
        .activeEnvironment()
        ->sketchInferenceColor()
        .toColor();
}

void applyColor(Scene::NodeChange& node, const Color& color) {
    node.occludedEffect("", color, 1.0, 0.4, false, 0);
}

} // namespace

StrongRef<Point3D> SplineHandle::fitPoint(const CurveUses* uses,
                                          const std::function<int(const Spline3D&)>& indexOf) {
    if (!uses)
        return {};
    for (const PassiveRef<Curve3D>& use : uses->curves()) {
        auto* spline = ::Kv::queryInterface<Spline3D>(use.getTarget());
        if (!spline)
            continue;
        const int index = indexOf(*spline);
        return index < 0 ? StrongRef<Point3D>() : spline->fitPoint(index);
    }
    return {};
}

void SplineHandle::removeIfNoUse(Entity& handle, const CurveUses* uses) {
    if (uses && uses->geometriesCount() > 0)
        return;
    Entity* parent = handle.parentEntity();
    if (!parent || parent->isDestroying() || parent->isScheduledForDeletion())
        return;
    if (auto* group = ::Kv::queryInterface<CommonData::CommonBaseGroupEntity>(parent))
        group->removeChild(StrongRef<Entity>(&handle));
}

void SplineHandle::updateSplines(const CurveUses* uses) {
    if (!uses)
        return;
    // A refit may change the list; the copy keeps the walk safe.
    const std::vector<PassiveRef<Curve3D>> curves = uses->curves();
    for (const PassiveRef<Curve3D>& curve : curves)
        if (auto* spline = ::Kv::queryInterface<Spline3D>(curve.getTarget()))
            spline->updateCurve();
}

void SplineHandle::realizeAppearance(const Curve3D& handle, Wyn::Graphics::ARenderNode* node,
                                     Scene::NodeChange& realized) {
    if (node) {
        Scene::NodeChange curve(node);
        applyColor(curve, handle.useEnvironmentColors() ? inferenceColor() : handle.lineColor());
        const double thickness = handle.lineThickness();
        if (std::fabs(thickness - 1.0) > 0.0001)
            curve.lineStyle(thickness, false, 0);
        curve.depthPriority(kDepthPriority, false, 0);
    }
    if (handle.isVisible())
        realized.removeAttribute(static_cast<int>(Wyn::Graphics::AttributeType::Visibility));
    else
        realized.visibility(false, false, 0);
}

void SplineHandle::recolor(Wyn::Graphics::ARenderNode* node) {
    if (!node)
        return;
    Scene::NodeChange curve(node);
    applyColor(curve, inferenceColor());
}

} // namespace Kv::Geometry
