#include "Kv/CommonData/ManagedEntity.h"

namespace Kv::Managed {

void* ManagedEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Entity::queryInterface(id);
}

} // namespace Kv::Managed
