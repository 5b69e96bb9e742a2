#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked work axes that still live in their document, and turns a
// pick of an axis end into a pick of the whole axis.
class WorkAxisSelectionFilter : public SwitchableSelectionFilter {
public:
    static WorkAxisSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkAxisSelectionFilter")

protected:
    WorkAxisSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    // The host's work geometry category.
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
