#include "Kv/Selection/SelectionCategory.h"

#include "Kv/Base/StringTable.h"

namespace Kv {

SelectionCategory& SelectionCategory::workGeometryCategory() {
    static SelectionCategory category(
        StringTable::getLocalizedString(L"Kv", "WorkGeometrySelectionCategory", L"Work Geometry"));
    return category;
}

} // namespace Kv
