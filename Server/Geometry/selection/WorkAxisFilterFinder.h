#pragma once

#include "Kv/Selection/SelectionFilterFinder.h"

namespace Kv::Geometry {

// "WorkAxis": the work axis filter.
class WorkAxisFilterFinder : public SelectionFilterFinder {
protected:
    SelectionFilter* onFind(const UniqueString& name) const override;
};

} // namespace Kv::Geometry
