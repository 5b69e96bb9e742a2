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

void Segment::registerEntity(Entity* entity) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_entities.emplace(entity->id(), entity).second)
        throw std::runtime_error("entity id " + std::to_string(entity->id()) +
                                 " is used twice in one segment");
    if (entity->id() >= m_nextId)
        m_nextId = entity->id() + 1;
}

void Segment::unregisterEntity(Entity* entity) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_entities.find(entity->id());
    if (it != m_entities.end() && it->second == entity)
        m_entities.erase(it);
}

Entity* Segment::findEntity(uint64_t id) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_entities.find(id);
    return it == m_entities.end() ? nullptr : it->second;
}

void Segment::reserveEntities(size_t count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entities.reserve(count);
}

size_t Segment::entityCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entities.size();
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
