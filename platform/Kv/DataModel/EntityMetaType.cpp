#include "Kv/DataModel/EntityMetaType.h"

#include "Kv/AddInMgr/AddIn.h"
#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Base/ScopedLock.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/MetaTypeMgr.h"
#include "Kv/DataModel/Segment.h"

namespace Kv {

EntityMetaType::EntityMetaType(const std::string& addInId, const std::string& identifier,
                               const std::string& name, uint32_t version,
                               const std::string& baseIdentifier, int kind)
    : MetaType(addInId, identifier, name, version)
    , m_baseIdentifier(baseIdentifier)
    , m_kind(kind)
    , m_abstract(kind == kAbstract) {
    m_current.setMetaType(this);
    MetaTypeMgr::get().registerMetaType(this);
}

EntityMetaType::~EntityMetaType() {
    MetaTypeMgr::get().unregisterMetaType(this);
}

EntityMetaType* EntityMetaType::baseMetaType() const {
    return m_baseIdentifier.empty() ? nullptr : MetaTypeMgr::get().find(m_baseIdentifier);
}

bool EntityMetaType::isKindOf(const EntityMetaType* other) const {
    for (const EntityMetaType* type = this; type; type = type->baseMetaType())
        if (type == other)
            return true;
    return false;
}

MemberSet& EntityMetaType::memberSet(uint32_t version) {
    if (version == kCurrentVersion || version == this->version())
        return m_current;
    std::lock_guard<std::mutex> lock(m_oldSetsMutex);
    auto& set = m_oldSets[version];
    if (!set) {
        set = std::make_unique<MemberSet>();
        set->setMetaType(this);
    }
    return *set;
}

MemberSet* EntityMetaType::migratingMemberSetIfNeeded(Entity* entity, uint32_t version) {
    MemberSet& set = memberSet(version);
    if (&set == &m_current)
        return &set;
    tbb::spin_rw_mutex::scoped_lock lock(set.mutex(), true);
    if (!set.initialized()) {
        initializeMemberSet(entity, version, set);
        if (!set.base()) {
            EntityMetaType* base = baseMetaType();
            set.setBase(base ? &base->memberSet() : nullptr);
        }
        set.markInitialized();
    }
    return &set;
}

void EntityMetaType::initializeMemberSet(Entity* entity, uint32_t, MemberSet& memberSet) {
    memberSet.initialize(entity, name());
}

std::string EntityMetaType::className() const {
    static const std::string suffix = "MetaType";
    const std::string& n = name();
    if (n.size() > suffix.size() && n.compare(n.size() - suffix.size(), suffix.size(), suffix) == 0)
        return n.substr(0, n.size() - suffix.size());
    return n;
}

void EntityMetaType::initializeCurrentMemberSet(
    Entity* entity, const std::function<void(uint32_t, MemberSet&)>& initOwn) {
    MemberSet& set = m_current;
    const bool locking = ScopedLock::isLockingOn();
    tbb::spin_rw_mutex::scoped_lock lock;
    if (locking)
        lock.acquire(set.mutex(), false);
    if (!set.initialized()) {
        if (locking)
            lock.upgrade_to_writer(); // may let another writer in first: test again
        if (!set.initialized()) {
            AddIn* addIn = AddInMgr::get().addIn(addInId());
            if (addIn && addIn->isCoreAddIn())
                m_kind = kCore;
            set.initialize(entity, className());
            if (initOwn)
                initOwn(version(), set);
            EntityMetaType* base = baseMetaType();
            set.setBase(base ? &base->memberSet() : nullptr);
            set.markInitialized();
        }
    }
    if (locking)
        lock.release();
}

bool EntityMetaType::mayMigrate(Entity* entity) const {
    Segment* segment = entity->segment();
    Asset* asset = segment->asset();
    return !entity->isCreating() && !segment->isTransient() && !segment->isStandalone() && asset &&
           asset->isMigrating() && !asset->isAssetMigrating();
}

bool EntityMetaType::beginMigrationIfNeeded(Entity* entity, std::nullptr_t) {
    return mayMigrate(entity) && beginMigrationIfNeeded(entity, std::function<void()>());
}

bool EntityMetaType::beginMigrationIfNeeded(Entity* entity,
                                            const std::function<void()>& createHelper) {
    if (!mayMigrate(entity))
        return false;
    Segment* segment = entity->segment();
    uint32_t persisted = segment->persistedMetaTypeVersion(this);
    if (persisted >= version())
        return false;
    entity->migratingVersion(this, persisted);
    if (createHelper)
        createHelper();
    migratingMemberSetIfNeeded(entity, persisted);
    entity->markMigrating();
    return true;
}

StrongRef<Entity> EntityMetaType::makeInstance(Segment*, uint64_t) {
    return {};
}

} // namespace Kv
