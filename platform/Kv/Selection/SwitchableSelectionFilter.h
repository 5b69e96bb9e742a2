#pragma once

#include "Kv/Selection/SelectionFilter.h"

namespace Kv {

class SelectionCategory;

// A filter the user can switch off, listed under a selection category.
// Filters start switched on.
class SwitchableSelectionFilter : public SelectionFilter {
public:
    bool switchedOn() const { return m_switchedOn; }
    void switchedOn(bool on) { m_switchedOn = on; }
    // The category the filter is listed under; never null.
    SelectionCategory* selectionCategory() const { return onSelectionCategory(); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::SwitchableSelectionFilter")

protected:
    SwitchableSelectionFilter() = default;

    bool onIsEnabled() const override { return m_switchedOn; }
    virtual SelectionCategory* onSelectionCategory() const = 0;

private:
    bool m_switchedOn = true;
};

} // namespace Kv
