#include "Geometry/selection/WorkPointSelectionFilter.h"

#include "Geometry/selection/WorkPointSelection.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

WorkPointSelectionFilter& WorkPointSelectionFilter::get() {
    static WorkPointSelectionFilter filter;
    return filter;
}

StrongRef<Selection> WorkPointSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                        const SelectionFilterContext*) const {
    const bool passes =
        ::Kv::queryInterface<WorkPointSelection>(candidate.get()) && candidate->isValid();
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* WorkPointSelectionFilter::onSelectionCategory() const {
    return &SelectionCategory::workGeometryCategory();
}

void* WorkPointSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
