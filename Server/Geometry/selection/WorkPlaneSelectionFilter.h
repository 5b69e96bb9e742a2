#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked work planes that still live in their document, and turns a
// pick of a corner or an edge into a pick of the whole plane.
class WorkPlaneSelectionFilter : public SwitchableSelectionFilter {
public:
    static WorkPlaneSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlaneSelectionFilter")

protected:
    WorkPlaneSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    // The host's work geometry category.
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
