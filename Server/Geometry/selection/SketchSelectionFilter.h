#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts selected sketches that still live in their document.
class SketchSelectionFilter : public SwitchableSelectionFilter {
public:
    static SketchSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchSelectionFilter")

protected:
    SketchSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
