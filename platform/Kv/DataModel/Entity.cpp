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

struct Entity::SideBlock {
    bool isEmpty() const { return observers.empty() && migratingVersions.empty() && !client; }

    std::vector<IEntityObserver*> observers;
    std::vector<std::pair<const EntityMetaType*, uint32_t>> migratingVersions;
    PassiveRef<Entity> client;
    IEntityObserver* clientObserver = nullptr;
};

Entity::Entity(Entity* parent)
    : Entity(segmentOf(parent)) {
    m_parent = parent;
}

Entity::Entity(Segment* segment)
    : m_flags(kCreating)
    , m_segment(segment)
    , m_id(0) {
    if (!m_segment)
        throw std::invalid_argument("a new entity needs a segment");
    m_id = m_segment->newEntityId();
    m_segment->registerEntity(this);
}

Entity::Entity(Segment* segment, uint64_t id)
    : m_flags(0)
    , m_segment(segment)
    , m_id(id) {
    if (!m_segment)
        throw std::invalid_argument("a loaded entity needs a segment");
    if (m_id == 0)
        throw std::invalid_argument("entity id 0 is reserved for the null reference");
    m_segment->registerEntity(this);
}

Entity::~Entity() {
    for (IEntityObserver* observer : observers())
        observer->onEntityDestroyed(*this);
    m_segment->unregisterEntity(this);
}

Asset* Entity::asset() const {
    return m_segment->asset();
}

Entity::SideBlock& Entity::sideBlock() {
    if (!m_side)
        m_side = std::make_unique<SideBlock>();
    return *m_side;
}

void Entity::releaseSideBlockIfEmpty() {
    if (m_side && m_side->isEmpty())
        m_side.reset();
}

std::vector<IEntityObserver*> Entity::observers() const {
    return m_side ? m_side->observers : std::vector<IEntityObserver*>();
}

uint32_t Entity::migratingVersion(const EntityMetaType* metaType) const {
    if (m_side)
        for (const auto& [type, version] : m_side->migratingVersions)
            if (type == metaType)
                return version;
    return metaType->version();
}

void Entity::migratingVersion(const EntityMetaType* metaType, uint32_t version) {
    auto& versions = sideBlock().migratingVersions;
    for (auto& [type, held] : versions)
        if (type == metaType) {
            held = version;
            return;
        }
    versions.emplace_back(metaType, version);
}

uint32_t Entity::version() const {
    return migratingVersion(metaType());
}

void Entity::postCreation(int kind) {
    if (Entity* parent = parentEntity())
        parent->onChildCreated(this, kind);
    if (Transaction* transaction = asset() ? asset()->currentTransaction() : nullptr)
        transaction->recordCreation(this);
    onPostCreation(kind);
    setFlag(kCreating, false);
}

void Entity::subscribe(IEntityObserver* observer) {
    auto& held = sideBlock().observers;
    if (std::find(held.begin(), held.end(), observer) == held.end())
        held.push_back(observer);
}

void Entity::unsubscribe(IEntityObserver* observer) {
    if (!m_side)
        return;
    auto& held = m_side->observers;
    held.erase(std::remove(held.begin(), held.end(), observer), held.end());
    releaseSideBlockIfEmpty();
}

Entity* Entity::boundClient() const {
    return m_side ? m_side->client.getTarget() : nullptr;
}

IEntityObserver* Entity::boundClientObserver() const {
    return m_side ? m_side->clientObserver : nullptr;
}

void Entity::bindClient(Entity* client, IEntityObserver* observer) {
    if (!client && !m_side)
        return;
    SideBlock& side = sideBlock();
    side.client = PassiveRef<Entity>(client);
    side.clientObserver = client ? observer : nullptr;
    releaseSideBlockIfEmpty();
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
    for (IEntityObserver* observer : observers())
        observer->onEntityPreChange(*this, change);
}

void Entity::notifyPostChange(const EntityChange& change) {
    onPostChange(change);
    for (IEntityObserver* observer : observers())
        observer->onEntityPostChange(*this, change);
}

void Entity::runPreDeletion(int kind) {
    setFlag(kDestroying, true);
    for (IEntityObserver* observer : observers())
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
