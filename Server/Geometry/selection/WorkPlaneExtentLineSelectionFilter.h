#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked edges of work planes.
class WorkPlaneExtentLineSelectionFilter : public SwitchableSelectionFilter {
public:
    static WorkPlaneExtentLineSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlaneExtentLineSelectionFilter")

protected:
    WorkPlaneExtentLineSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    // The host's work geometry category.
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
