#include "Geometry/selection/WorkPlaneExtentLineSelectionFilter.h"

#include "Geometry/selection/WorkPlaneExtentLineSelection.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

WorkPlaneExtentLineSelectionFilter& WorkPlaneExtentLineSelectionFilter::get() {
    static WorkPlaneExtentLineSelectionFilter filter;
    return filter;
}

StrongRef<Selection>
WorkPlaneExtentLineSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                             const SelectionFilterContext*) const {
    const bool passes = ::Kv::queryInterface<WorkPlaneExtentLineSelection>(candidate.get());
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* WorkPlaneExtentLineSelectionFilter::onSelectionCategory() const {
    return &SelectionCategory::workGeometryCategory();
}

void* WorkPlaneExtentLineSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
