#include "Kv/DataModel/Entity.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/DataModel/Transaction.h"

#include <algorithm>
#include <stdexcept>

namespace Kv {
namespace {

Segment* segmentOf(Entity* parent) {
    if (!parent || !parent->segment())
        throw std::invalid_argument("a new entity needs a parent in a segment");
    return parent->segment();
}

} // namespace

Entity::Entity(Entity* parent) : Entity(segmentOf(parent)) { m_parent = parent; }

Entity::Entity(Segment* segment) : m_segment(segment), m_id(0), m_flags(kCreating) {
    if (!m_segment)
        throw std::invalid_argument("a new entity needs a segment");
    m_id = m_segment->newEntityId();
    m_segment->registerEntity(this);
}

Entity::Entity(Segment* segment, uint64_t id) : m_segment(segment), m_id(id), m_flags(0) {
    if (!m_segment)
        throw std::invalid_argument("a loaded entity needs a segment");
    if (m_id == 0)
        throw std::invalid_argument("entity id 0 is reserved for the null reference");
    m_segment->registerEntity(this);
}

Entity::~Entity() {
    for (IEntityObserver* observer : std::vector<IEntityObserver*>(m_observers))
        observer->onEntityDestroyed(*this);
    m_segment->unregisterEntity(this);
}

Asset* Entity::asset() const { return m_segment->asset(); }

uint32_t Entity::migratingVersion(const EntityMetaType* metaType) const {
    for (const auto& [type, version] : m_migratingVersions)
        if (type == metaType)
            return version;
    return metaType->version();
}

void Entity::migratingVersion(const EntityMetaType* metaType, uint32_t version) {
    for (auto& [type, held] : m_migratingVersions)
        if (type == metaType) {
            held = version;
            return;
        }
    m_migratingVersions.emplace_back(metaType, version);
}

uint32_t Entity::version() const { return migratingVersion(metaType()); }

void Entity::postCreation(int kind) {
    if (Entity* parent = parentEntity())
        parent->onChildCreated(this, kind);
    if (Transaction* transaction = asset() ? asset()->currentTransaction() : nullptr)
        transaction->recordCreation(this);
    onPostCreation(kind);
    setFlag(kCreating, false);
}

void Entity::subscribe(IEntityObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Entity::unsubscribe(IEntityObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void* Entity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : RefCounted::queryInterface(id);
}

void* Entity::queryMTInterface(const EntityMetaType* metaType) {
    return metaType == this->metaType() || this->metaType()->isKindOf(metaType) ? this : nullptr;
}

void Entity::onPostCreation(int) {}
void Entity::onPreChange(const EntityChange&) {}
void Entity::onPostChange(const EntityChange&) {}
void Entity::onPreDeletion(int) {}

std::wstring Entity::onToString() const {
    return L"Entity " + std::to_wstring(m_id);
}

void Entity::notifyPreChange(const EntityChange& change) {
    onPreChange(change);
    for (IEntityObserver* observer : std::vector<IEntityObserver*>(m_observers))
        observer->onEntityPreChange(*this, change);
}

void Entity::notifyPostChange(const EntityChange& change) {
    onPostChange(change);
    for (IEntityObserver* observer : std::vector<IEntityObserver*>(m_observers))
        observer->onEntityPostChange(*this, change);
}

void Entity::runPreDeletion(int kind) {
    setFlag(kDestroying, true);
    for (IEntityObserver* observer : std::vector<IEntityObserver*>(m_observers))
        observer->onEntityPreDeletion(*this, kind);
    onPreDeletion(kind);
    setFlag(kDestroying, false);
}

void Entity::replayInsertChild(size_t, Entity*) {
    throw std::logic_error("entity " + std::to_string(m_id) + " has no children");
}

void Entity::replayRemoveChild(size_t, Entity*) {
    throw std::logic_error("entity " + std::to_string(m_id) + " has no children");
}

void Entity::onChildCreated(Entity*, int) {}

} // namespace Kv
