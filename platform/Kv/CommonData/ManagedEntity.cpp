#include "Kv/CommonData/ManagedEntity.h"

#include "Kv/DataModel/IEntityObserver.h"

namespace Kv::Managed {

ManagedEntity::~ManagedEntity() {
    clientObject(nullptr);
}

void ManagedEntity::clientObject(Entity* client) {
    IEntityObserver* previousObserver = boundClientObserver();
    if (Entity* previous = boundClient(); previous && previousObserver)
        previous->unsubscribe(previousObserver);
    // Asked here rather than in the destructor, where the observer part of a
    // derived class is already gone.
    IEntityObserver* observer = client ? dynamic_cast<IEntityObserver*>(this) : nullptr;
    bindClient(client, observer);
    if (client && observer)
        client->subscribe(observer);
}

void* ManagedEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Entity::queryInterface(id);
}

} // namespace Kv::Managed
