#include "Geometry/selection/SketchPointFilterFinder.h"

#include "Geometry/selection/SketchPointSelectionFilter.h"

namespace Kv::Geometry {

SelectionFilter* SketchPointFilterFinder::onFind(const UniqueString& name) const {
    static const UniqueString point("SketchPoint");
    return name == point ? &SketchPointSelectionFilter::get() : nullptr;
}

} // namespace Kv::Geometry
