#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv::Geometry {

// Accepts picked sketch texts and nothing else.
class TextSelectionFilter : public SwitchableSelectionFilter {
public:
    static TextSelectionFilter& get();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::TextSelectionFilter")

protected:
    TextSelectionFilter() = default;

    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    SelectionCategory* onSelectionCategory() const override;
};

} // namespace Kv::Geometry
