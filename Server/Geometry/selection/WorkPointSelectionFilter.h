#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked work points that still live in their document.
class WorkPointSelectionFilter : public SwitchableSelectionFilter {
public:
    static WorkPointSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPointSelectionFilter")

protected:
    WorkPointSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    // The host's work geometry category.
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
