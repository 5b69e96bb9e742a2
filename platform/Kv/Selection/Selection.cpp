#include "Kv/Selection/Selection.h"

namespace Kv {

void* Selection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : RefCounted::queryInterface(id);
}

} // namespace Kv
