#include "Geometry/selection/WorkPlaneFilterFinder.h"

#include "Geometry/selection/WorkPlaneSelectionFilter.h"

namespace Kv::Geometry {

SelectionFilter* WorkPlaneFilterFinder::onFind(const UniqueString& name) const {
    static const UniqueString plane("WorkPlane");
    return name == plane ? &WorkPlaneSelectionFilter::get() : nullptr;
}

} // namespace Kv::Geometry
