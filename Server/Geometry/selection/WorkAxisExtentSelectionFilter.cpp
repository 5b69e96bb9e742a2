#include "Geometry/selection/WorkAxisExtentSelectionFilter.h"

#include "Geometry/selection/WorkAxisExtentSelection.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

WorkAxisExtentSelectionFilter& WorkAxisExtentSelectionFilter::get() {
    static WorkAxisExtentSelectionFilter filter;
    return filter;
}

StrongRef<Selection> WorkAxisExtentSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                             const SelectionFilterContext*) const {
    const bool passes = ::Kv::queryInterface<WorkAxisExtentSelection>(candidate.get());
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* WorkAxisExtentSelectionFilter::onSelectionCategory() const {
    return &SelectionCategory::workGeometryCategory();
}

void* WorkAxisExtentSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
