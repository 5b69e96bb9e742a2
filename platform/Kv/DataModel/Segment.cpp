#include "Kv/DataModel/Segment.h"

#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MigrationHelper.h"

#include <stdexcept>

namespace Kv {

Segment::Segment(Asset* asset, uint32_t key, unsigned flags)
    : m_asset(asset)
    , m_key(key)
    , m_flags(flags) {}

Segment::~Segment() {
    m_helpers.clear();
    m_roots.clear();
}

uint64_t Segment::newEntityId() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nextId++;
}

namespace {

// Slots the table may have beyond two per live entity, so that a small
// segment never needs the map.
constexpr uint64_t kSpareSlots = 4096;

} // namespace

// An identifier that went to the map stays there: the table may grow past it
// later, so lookups that find a free slot also ask the map while it is not
// empty.
void Segment::registerEntity(Entity* entity) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const uint64_t id = entity->id();
    const bool taken = id < m_byId.size() ? m_byId[id] != nullptr : false;
    if (taken || (!m_farIds.empty() && m_farIds.count(id)))
        throw std::runtime_error("entity id " + std::to_string(id) +
                                 " is used twice in one segment");
    if (id >= m_byId.size() && id < 2 * (uint64_t(m_count) + 1) + kSpareSlots)
        m_byId.resize(id + 1); // the capacity grows geometrically
    if (id < m_byId.size())
        m_byId[id] = entity;
    else
        m_farIds.emplace(id, entity);
    ++m_count;
    if (id >= m_nextId)
        m_nextId = id + 1;
}

void Segment::unregisterEntity(Entity* entity) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const uint64_t id = entity->id();
    if (id < m_byId.size() && m_byId[id] == entity) {
        m_byId[id] = nullptr;
        --m_count;
        return;
    }
    auto it = m_farIds.find(id);
    if (it != m_farIds.end() && it->second == entity) {
        m_farIds.erase(it);
        --m_count;
    }
}

Entity* Segment::findEntity(uint64_t id) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id < m_byId.size() && m_byId[id])
        return m_byId[id];
    if (m_farIds.empty())
        return nullptr;
    auto it = m_farIds.find(id);
    return it == m_farIds.end() ? nullptr : it->second;
}

void Segment::reserveEntities(size_t count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_byId.reserve(count + 1); // identifiers start at 1
}

size_t Segment::entityCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_count;
}

size_t Segment::idTableSize() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_byId.size();
}

StrongRef<Entity> Segment::rootEntity(const UniqueString& rootId) const {
    for (const auto& [id, entity] : m_roots)
        if (id == rootId)
            return entity;
    return {};
}

void Segment::setRootEntity(const UniqueString& rootId, const StrongRef<Entity>& entity) {
    for (auto& [id, held] : m_roots)
        if (id == rootId) {
            held = entity;
            return;
        }
    m_roots.emplace_back(rootId, entity);
}

uint32_t Segment::persistedMetaTypeVersion(const EntityMetaType* metaType) const {
    auto it = m_persistedVersions.find(metaType->identifier());
    return it == m_persistedVersions.end() ? metaType->version() : it->second;
}

void Segment::setPersistedMetaTypeVersion(const std::string& identifier, uint32_t version) {
    m_persistedVersions[identifier] = version;
}

void Segment::registerMigrationHelper(Entity* entity, const EntityMetaType* metaType,
                                      MigrationHelper* helper) {
    m_helpers[{entity, metaType}].reset(helper);
}

MigrationHelper* Segment::unregisterMigrationHelper(Entity* entity,
                                                    const EntityMetaType* metaType) {
    auto it = m_helpers.find({entity, metaType});
    if (it == m_helpers.end())
        return nullptr;
    MigrationHelper* helper = it->second.release();
    m_helpers.erase(it);
    return helper;
}

MigrationHelper* Segment::migrationHelper(const Entity* entity,
                                          const EntityMetaType* metaType) const {
    auto it = m_helpers.find({entity, metaType});
    return it == m_helpers.end() ? nullptr : it->second.get();
}

} // namespace Kv
