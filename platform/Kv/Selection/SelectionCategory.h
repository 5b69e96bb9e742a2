#pragma once

#include <string>

namespace Kv {

// A heading under which the host lists switchable selection filters. Add-ins
// make theirs while they load; the host owns the one for work geometry, which
// every add-in with construction geometry shares.
class SelectionCategory {
public:
    explicit SelectionCategory(std::wstring name)
        : m_name(std::move(name)) {}
    SelectionCategory(const SelectionCategory&) = delete;
    SelectionCategory& operator=(const SelectionCategory&) = delete;

    // The name the user sees.
    const std::wstring& name() const { return m_name; }

    // The shared work geometry category, named from the host's string table
    // "Kv" (key "WorkGeometrySelectionCategory") when first asked for.
    static SelectionCategory& workGeometryCategory();

private:
    std::wstring m_name;
};

} // namespace Kv
