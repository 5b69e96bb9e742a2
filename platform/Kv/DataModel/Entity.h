#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/RefCounted.h"
#include "Kv/Base/StrongRef.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Kv {

class Asset;
class EntityChange;
class EntityMetaType;
class IEntityObserver;
class Segment;

// A persistent object of a document. It lives in one segment under a 64-bit
// identifier; its persisted data is described by its meta type's member set.
//
// Entity classes derive from Entity through single, non-virtual inheritance
// of their first base, so that member offsets taken from the Entity subobject
// are the same in every instance.
class Entity : public RefCounted {
public:
    uint64_t id() const { return m_id; }
    Segment* segment() const { return m_segment; }
    Asset* asset() const;
    EntityMetaType* metaType() const { return onMetaType(); }
    // The entity that owns this one (its group, or the entity holding it).
    Entity* parentEntity() const { return m_parent.getTarget(); }

    bool isCreating() const { return m_flags & kCreating; }
    bool isDestroying() const { return m_flags & kDestroying; }
    bool isScheduledForDeletion() const { return m_flags & kScheduledForDeletion; }
    void scheduleForDeletion(bool scheduled) { setFlag(kScheduledForDeletion, scheduled); }
    bool isMigrating() const { return m_flags & kMigrating; }
    void markMigrating() { setFlag(kMigrating, true); }
    void clearMigrating() { setFlag(kMigrating, false); }

    // The schema version this entity's data of `metaType` has: the persisted
    // version while it is being migrated, the current one otherwise.
    uint32_t migratingVersion(const EntityMetaType* metaType) const;
    void migratingVersion(const EntityMetaType* metaType, uint32_t version);

    // Finishes creation: files the entity with its parent group, records the
    // creation in the open transaction and runs onPostCreation.
    void postCreation(int kind);

    void subscribe(IEntityObserver* observer);
    void unsubscribe(IEntityObserver* observer);

    std::wstring toString() const { return onToString(); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Entity")

    // The object holding `metaType`'s persisted fields: the entity itself, or
    // whatever a class answers for data it reads only while migrating.
    virtual void* queryMTInterface(const EntityMetaType* metaType);

protected:
    // Creating constructor: a new entity in the parent's segment.
    explicit Entity(Entity* parent);
    // Creating constructor for entities without a parent (segment roots).
    explicit Entity(Segment* segment);
    // Load constructor: the entity `id` of a segment being read.
    Entity(Segment* segment, uint64_t id);
    ~Entity() override;

    virtual EntityMetaType* onMetaType() const = 0;
    virtual void onPostCreation(int kind);
    virtual void onPreChange(const EntityChange& change);
    virtual void onPostChange(const EntityChange& change);
    virtual void onPreDeletion(int kind);
    virtual std::wstring onToString() const;

public:
    // Host entry points behind the hooks (used by changes, groups, loading).
    void notifyPreChange(const EntityChange& change);
    void notifyPostChange(const EntityChange& change);
    void runPreDeletion(int kind);
    void setDestroying(bool destroying) { setFlag(kDestroying, destroying); }
    void setParentEntity(Entity* parent) { m_parent = parent; }
    // Group hooks behind undo and redo: put `child` back at `index`, or take
    // it out again, without running any creation or deletion bookkeeping.
    virtual void replayInsertChild(size_t index, Entity* child);
    virtual void replayRemoveChild(size_t index, Entity* child);
    // Called by postCreation on the parent of a new entity.
    virtual void onChildCreated(Entity* child, int kind);
    // Called by the host after every persisted member of a loaded or migrated
    // entity has been read.
    virtual void onPostMigrate() {}
    // The schema version of this entity's most derived class's data: the
    // persisted one while migrating, the current one otherwise.
    virtual uint32_t version() const;
    // Migration helpers of classes that keep old data aside while converting.
    virtual void doInitializeMigrationHelpers() {}
    virtual void doUninitializeMigrationHelpers() {}

protected:
    // The session binding of a managed entity's client object, kept with the
    // entity's other rarely used state (see ManagedEntity::clientObject).
    Entity* boundClient() const;
    IEntityObserver* boundClientObserver() const;
    void bindClient(Entity* client, IEntityObserver* observer);

private:
    enum Flag : uint8_t {
        kCreating = 1,
        kDestroying = 2,
        kScheduledForDeletion = 4,
        kMigrating = 8,
    };
    void setFlag(Flag flag, bool on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }

    friend class EntityChange;

    // What few entities have: observers, schema versions while migrating and
    // a client binding. Made on first use and let go once empty again.
    struct SideBlock;
    SideBlock& sideBlock();
    void releaseSideBlockIfEmpty();
    // A copy of the observers, which may unsubscribe while being told.
    std::vector<IEntityObserver*> observers() const;

    // The two small members come first, where they share the last word of
    // RefCounted with its reference count.
    uint16_t m_recordingChanges = 0; // open recorded changes on this entity
    uint8_t m_flags;
    Segment* m_segment;
    uint64_t m_id;
    PassiveRef<Entity> m_parent;
    std::unique_ptr<SideBlock> m_side;
};

} // namespace Kv
