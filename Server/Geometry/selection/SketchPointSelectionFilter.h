#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked sketch points that still live in their document.
class SketchPointSelectionFilter : public SwitchableSelectionFilter {
public:
    static SketchPointSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchPointSelectionFilter")

protected:
    SketchPointSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
