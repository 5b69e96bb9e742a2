#include "Geometry/selection/SketchPointSelectionFilter.h"

#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/selection/SketchPointSelection.h"

namespace Kv::Geometry {

SketchPointSelectionFilter& SketchPointSelectionFilter::get() {
    static SketchPointSelectionFilter filter;
    return filter;
}

StrongRef<Selection> SketchPointSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                          const SelectionFilterContext*) const {
    const bool passes =
        ::Kv::queryInterface<SketchPointSelection>(candidate.get()) && candidate->isValid();
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* SketchPointSelectionFilter::onSelectionCategory() const {
    return &g_sketchPointSelectionCategory;
}

void* SketchPointSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
