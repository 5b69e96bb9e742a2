#pragma once

#include "Kv/Selection/SelectionFilter.h"

namespace Kv::Geometry {

// Accepts every selection of 3D geometry (Geometry3DSelection and the
// selections derived from it) and nothing else.
class Geometry3DSelectionFilter : public SelectionFilter {
public:
    static Geometry3DSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry3DSelectionFilter")

protected:
    Geometry3DSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
};

} // namespace Kv::Geometry
