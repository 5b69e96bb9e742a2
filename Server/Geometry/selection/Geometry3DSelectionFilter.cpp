#include "Geometry/selection/Geometry3DSelectionFilter.h"

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

Geometry3DSelectionFilter& Geometry3DSelectionFilter::get() {
    static Geometry3DSelectionFilter filter;
    return filter;
}

StrongRef<Selection> Geometry3DSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                         const SelectionFilterContext*) const {
    return StrongRef<Selection>(::Kv::queryInterface<Geometry3DSelection>(candidate.get()));
}

void* Geometry3DSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
