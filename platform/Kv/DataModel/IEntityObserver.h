#pragma once

namespace Kv {

class Entity;
class EntityChange;

// Told about changes to the entities it subscribed to.
class IEntityObserver {
public:
    virtual void onEntityPreChange(Entity&, const EntityChange&) {}
    virtual void onEntityPostChange(Entity&, const EntityChange&) {}
    // The entity is about to be removed from the model.
    virtual void onEntityPreDeletion(Entity&, int /*kind*/) {}
    // The entity object is being destroyed; the observer must forget it.
    virtual void onEntityDestroyed(Entity&) {}

protected:
    ~IEntityObserver() = default;
};

} // namespace Kv
