#include "Kv/Selection/SelectionFilter.h"

namespace Kv {

void* SelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Object::queryInterface(id);
}

} // namespace Kv
