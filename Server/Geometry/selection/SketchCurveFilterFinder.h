#pragma once

#include "Kv/Selection/SelectionFilterFinder.h"

namespace Kv::Geometry {

// "AnySketchCurves", "LinearSketchCurves" and "CircularSketchCurve": the
// sketch curve filters for any curve, lines and circular arcs.
class SketchCurveFilterFinder : public SelectionFilterFinder {
protected:
    SelectionFilter* onFind(const UniqueString& name) const override;
};

} // namespace Kv::Geometry
