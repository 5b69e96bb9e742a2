#pragma once

#include "Kv/Selection/SelectionFilterFinder.h"

namespace Kv::Geometry {

// "WorkPoint": the work point filter.
class WorkPointFilterFinder : public SelectionFilterFinder {
protected:
    SelectionFilter* onFind(const UniqueString& name) const override;
};

} // namespace Kv::Geometry
