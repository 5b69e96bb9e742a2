#include "Geometry/selection/WorkAxisSelectionFilter.h"

#include "Geometry/selection/WorkAxisExtentSelection.h"
#include "Geometry/selection/WorkAxisSelection.h"
#include "Geometry/selection/WorkGeometrySelectionPromotion.h"
#include "Kv/Selection/SelectionCategory.h"

namespace Kv::Geometry {

WorkAxisSelectionFilter& WorkAxisSelectionFilter::get() {
    static WorkAxisSelectionFilter filter;
    return filter;
}

StrongRef<Selection> WorkAxisSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                       const SelectionFilterContext*) const {
    if (auto* end = ::Kv::queryInterface<WorkAxisExtentSelection>(candidate.get()))
        if (const StrongRef<WorkAxis> axis = end->workAxis())
            return promoted<WorkAxisSelection>(*end, axis);
    const bool passes =
        ::Kv::queryInterface<WorkAxisSelection>(candidate.get()) && candidate->isValid();
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* WorkAxisSelectionFilter::onSelectionCategory() const {
    return &SelectionCategory::workGeometryCategory();
}

void* WorkAxisSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
