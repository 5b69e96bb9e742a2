#include "Kv/Selection/SwitchableSelectionFilter.h"

namespace Kv {

void* SwitchableSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SelectionFilter::queryInterface(id);
}

} // namespace Kv
