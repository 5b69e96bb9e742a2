#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Base/UniqueString.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Kv {

class Asset;
class Entity;
class EntityMetaType;
class MigrationHelper;

// A storage unit of a document: it hands out entity identifiers, indexes its
// live entities by identifier, and keeps its named root entities, the schema
// versions it was saved with and the migration helpers of a load.
//
// Identifiers are handed out one after another, so the index is a table with
// a slot per identifier. An identifier far beyond the number of entities (a
// hand-made or damaged file) goes to a small map instead: no identifier can
// make the table outgrow a few slots per entity.
class Segment {
public:
    enum Flags : unsigned { kTransient = 1, kStandalone = 2 };

    Segment(Asset* asset, uint32_t key, unsigned flags = 0);
    ~Segment();
    Segment(const Segment&) = delete;
    Segment& operator=(const Segment&) = delete;

    Asset* asset() const { return m_asset; }
    // The segment's number within its asset, persisted with references.
    uint32_t key() const { return m_key; }
    bool isTransient() const { return m_flags & kTransient; }
    bool isStandalone() const { return m_flags & kStandalone; }

    // Identifiers: never reused within a segment.
    uint64_t newEntityId();
    uint64_t highestEntityId() const { return m_nextId - 1; }
    void registerEntity(Entity* entity);
    void unregisterEntity(Entity* entity);
    Entity* findEntity(uint64_t id) const;
    size_t entityCount() const;
    // Makes room for `count` entities in all, so that loading that many does
    // not rebuild the index on the way.
    void reserveEntities(size_t count);
    // Slots in the identifier table: it grows with the number of entities,
    // never with the size of an identifier.
    size_t idTableSize() const;

    // Root entities by name ("SketchesRoot", ...), owned by the segment.
    StrongRef<Entity> rootEntity(const UniqueString& rootId) const;
    void setRootEntity(const UniqueString& rootId, const StrongRef<Entity>& entity);
    const std::vector<std::pair<UniqueString, StrongRef<Entity>>>& rootEntities() const {
        return m_roots;
    }
    void clearRootEntities() { m_roots.clear(); }

    // The schema version of `metaType` this segment's data was saved with;
    // the current version when the segment was not loaded or never held it.
    uint32_t persistedMetaTypeVersion(const EntityMetaType* metaType) const;
    void setPersistedMetaTypeVersion(const std::string& identifier, uint32_t version);
    const std::map<std::string, uint32_t>& persistedMetaTypeVersions() const {
        return m_persistedVersions;
    }

    // Migration helpers, owned by the segment once registered.
    void registerMigrationHelper(Entity* entity, const EntityMetaType* metaType,
                                 MigrationHelper* helper);
    // Hands the helper back to the caller, who deletes it.
    MigrationHelper* unregisterMigrationHelper(Entity* entity, const EntityMetaType* metaType);
    MigrationHelper* migrationHelper(const Entity* entity, const EntityMetaType* metaType) const;
    size_t migrationHelperCount() const { return m_helpers.size(); }

private:
    Asset* m_asset;
    uint32_t m_key;
    unsigned m_flags;
    uint64_t m_nextId = 1;
    mutable std::mutex m_mutex;
    std::vector<Entity*> m_byId;                    // slot per identifier, null when free
    std::unordered_map<uint64_t, Entity*> m_farIds; // identifiers beyond the table
    size_t m_count = 0;
    std::vector<std::pair<UniqueString, StrongRef<Entity>>> m_roots;
    std::map<std::string, uint32_t> m_persistedVersions;
    std::map<std::pair<const Entity*, const EntityMetaType*>, std::unique_ptr<MigrationHelper>>
        m_helpers;
};

} // namespace Kv
