#include "Geometry/selection/SketchCurveFilterFinder.h"

#include "Geometry/selection/SketchCurveSelectionFilter.h"

namespace Kv::Geometry {

SelectionFilter* SketchCurveFilterFinder::onFind(const UniqueString& name) const {
    static const UniqueString any("AnySketchCurves");
    static const UniqueString linear("LinearSketchCurves");
    static const UniqueString circular("CircularSketchCurve");
    if (name == any)
        return &SketchCurveSelectionFilter::anyCurves();
    if (name == linear)
        return &SketchCurveSelectionFilter::lines();
    if (name == circular)
        return &SketchCurveSelectionFilter::circularCurves();
    return nullptr;
}

} // namespace Kv::Geometry
