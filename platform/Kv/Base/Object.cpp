#include "Kv/Base/Object.h"

namespace Kv {

void* Object::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : nullptr;
}

} // namespace Kv
