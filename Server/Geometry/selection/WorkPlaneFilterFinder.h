#pragma once

#include "Kv/Selection/SelectionFilterFinder.h"

namespace Kv::Geometry {

// "WorkPlane": the work plane filter.
class WorkPlaneFilterFinder : public SelectionFilterFinder {
protected:
    SelectionFilter* onFind(const UniqueString& name) const override;
};

} // namespace Kv::Geometry
