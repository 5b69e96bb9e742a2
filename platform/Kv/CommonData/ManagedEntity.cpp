#include "Kv/CommonData/ManagedEntity.h"

#include "Kv/DataModel/IEntityObserver.h"

namespace Kv::Managed {

ManagedEntity::~ManagedEntity() {
    clientObject(nullptr);
}

void ManagedEntity::clientObject(Entity* client) {
    if (Entity* previous = m_client.getTarget(); previous && m_clientObserver)
        previous->unsubscribe(m_clientObserver);
    m_client = PassiveRef<Entity>(client);
    // Asked here rather than in the destructor, where the observer part of a
    // derived class is already gone.
    m_clientObserver = client ? dynamic_cast<IEntityObserver*>(this) : nullptr;
    if (client && m_clientObserver)
        client->subscribe(m_clientObserver);
}

void* ManagedEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Entity::queryInterface(id);
}

} // namespace Kv::Managed
