#pragma once

#include "Kv/DataModel/Entity.h"

#include <vector>

namespace Kv {
class ObjectPath;
}

namespace Kv::Managed {

// An entity with an owner in the model: the group it is a child of, or the
// entity that holds it.
class ManagedEntity : public Entity {
public:
    Entity* parent() const { return parentEntity(); }

    // The object the host serves this entity's common data to (a feature built
    // on a sketch, say); null when none. It is a binding of the running
    // session, neither saved nor undone. An entity that is an IEntityObserver
    // watches its client and so hears when the client is about to be deleted.
    Entity* clientObject() const { return boundClient(); }
    void clientObject(Entity* client);

    // Whether pasting any of `pasted` onto `target` would put something into
    // itself: a path that is the target, or whose deepest managed entity lies
    // on the target's path.
    static bool pastesIntoItself(const std::vector<ObjectPath>& pasted, const ObjectPath& target);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Managed::ManagedEntity")

protected:
    using Entity::Entity;
    ~ManagedEntity() override;
};

} // namespace Kv::Managed
