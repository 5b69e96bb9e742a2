#include "Geometry/selection/WorkPointFilterFinder.h"

#include "Geometry/selection/WorkPointSelectionFilter.h"

namespace Kv::Geometry {

SelectionFilter* WorkPointFilterFinder::onFind(const UniqueString& name) const {
    static const UniqueString point("WorkPoint");
    return name == point ? &WorkPointSelectionFilter::get() : nullptr;
}

} // namespace Kv::Geometry
