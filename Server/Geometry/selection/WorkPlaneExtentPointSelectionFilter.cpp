#include "Geometry/selection/WorkPlaneExtentPointSelectionFilter.h"

#include "Geometry/selection/WorkPlaneExtentPointSelection.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

WorkPlaneExtentPointSelectionFilter& WorkPlaneExtentPointSelectionFilter::get() {
    static WorkPlaneExtentPointSelectionFilter filter;
    return filter;
}

StrongRef<Selection>
WorkPlaneExtentPointSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                              const SelectionFilterContext*) const {
    const bool passes = ::Kv::queryInterface<WorkPlaneExtentPointSelection>(candidate.get());
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* WorkPlaneExtentPointSelectionFilter::onSelectionCategory() const {
    return &SelectionCategory::workGeometryCategory();
}

void* WorkPlaneExtentPointSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
