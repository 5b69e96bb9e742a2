#include "Geometry/selection/SketchSelectionFilter.h"

#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/selection/SketchSelection.h"

namespace Kv::Geometry {

SketchSelectionFilter& SketchSelectionFilter::get() {
    static SketchSelectionFilter filter;
    return filter;
}

StrongRef<Selection> SketchSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                     const SelectionFilterContext*) const {
    const bool passes =
        ::Kv::queryInterface<SketchSelection>(candidate.get()) && candidate->isValid();
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* SketchSelectionFilter::onSelectionCategory() const {
    return &g_sketchSelectionCategory;
}

void* SketchSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
