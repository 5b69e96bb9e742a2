#include "Geometry/selection/WorkPlaneSelectionFilter.h"

#include "Geometry/selection/WorkGeometrySelectionPromotion.h"
#include "Geometry/selection/WorkPlaneExtentLineSelection.h"
#include "Geometry/selection/WorkPlaneExtentPointSelection.h"
#include "Geometry/selection/WorkPlaneSelection.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

WorkPlaneSelectionFilter& WorkPlaneSelectionFilter::get() {
    static WorkPlaneSelectionFilter filter;
    return filter;
}

StrongRef<Selection> WorkPlaneSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                        const SelectionFilterContext*) const {
    if (auto* edge = ::Kv::queryInterface<WorkPlaneExtentLineSelection>(candidate.get()))
        if (const StrongRef<WorkPlane> plane = edge->workPlane())
            return promoted<WorkPlaneSelection>(*edge, plane);
    if (auto* corner = ::Kv::queryInterface<WorkPlaneExtentPointSelection>(candidate.get()))
        if (const StrongRef<WorkPlane> plane = corner->workPlane())
            return promoted<WorkPlaneSelection>(*corner, plane);
    const bool passes =
        ::Kv::queryInterface<WorkPlaneSelection>(candidate.get()) && candidate->isValid();
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* WorkPlaneSelectionFilter::onSelectionCategory() const {
    return &SelectionCategory::workGeometryCategory();
}

void* WorkPlaneSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
