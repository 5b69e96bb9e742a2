#include "Geometry/selection/WorkAxisFilterFinder.h"

#include "Geometry/selection/WorkAxisSelectionFilter.h"

namespace Kv::Geometry {

SelectionFilter* WorkAxisFilterFinder::onFind(const UniqueString& name) const {
    static const UniqueString axis("WorkAxis");
    return name == axis ? &WorkAxisSelectionFilter::get() : nullptr;
}

} // namespace Kv::Geometry
