#pragma once

#include "Kv/Selection/SelectionFilterFinder.h"

namespace Kv::Geometry {

// "SketchPoint": the sketch point filter.
class SketchPointFilterFinder : public SelectionFilterFinder {
protected:
    SelectionFilter* onFind(const UniqueString& name) const override;
};

} // namespace Kv::Geometry
