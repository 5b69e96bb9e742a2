#pragma once

#include "Kv/DataModel/Entity.h"

namespace Kv::Managed {

// An entity with an owner in the model: the group it is a child of, or the
// entity that holds it.
class ManagedEntity : public Entity {
public:
    Entity* parent() const { return parentEntity(); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Managed::ManagedEntity")

protected:
    using Entity::Entity;
};

} // namespace Kv::Managed
