#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked corners of work planes.
class WorkPlaneExtentPointSelectionFilter : public SwitchableSelectionFilter {
public:
    static WorkPlaneExtentPointSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlaneExtentPointSelectionFilter")

protected:
    WorkPlaneExtentPointSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    // The host's work geometry category.
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
