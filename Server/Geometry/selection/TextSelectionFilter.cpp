#include "Geometry/selection/TextSelectionFilter.h"

#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/selection/TextSelection.h"

namespace Kv::Geometry {

TextSelectionFilter& TextSelectionFilter::get() {
    static TextSelectionFilter filter;
    return filter;
}

StrongRef<Selection> TextSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                   const SelectionFilterContext*) const {
    return StrongRef<Selection>(::Kv::queryInterface<TextSelection>(candidate.get()));
}

SelectionCategory* TextSelectionFilter::onSelectionCategory() const {
    return &g_textSelectionCategory;
}

void* TextSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
