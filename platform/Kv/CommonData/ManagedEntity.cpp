#include "Kv/CommonData/ManagedEntity.h"

#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/DataModel/ObjectPath.h"

namespace Kv::Managed {

bool ManagedEntity::pastesIntoItself(const std::vector<ObjectPath>& pasted,
                                     const ObjectPath& target) {
    for (const ObjectPath& path : pasted) {
        if (path == target)
            return true;
        const auto& elements = path.elements();
        for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
            if (!::Kv::queryInterface<ManagedEntity>(it->get()))
                continue;
            if (target.contains(it->get()))
                return true;
            break;
        }
    }
    return false;
}

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
