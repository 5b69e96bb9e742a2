#include "Geometry/sketch3d/Sketches.h"

#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/AssetMigrator.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Segment.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Sketches)

StrongRefCreator<Sketches> Sketches::make(IComponent* component) {
    Entity* owner = component ? component->componentEntity() : nullptr;
    if (!owner)
        return {};
    StrongRef<Sketches> sketches(new Sketches(owner));
    sketches->postCreation(kTransactDo);
    return StrongRefCreator<Sketches>(sketches);
}

Sketches::Sketches(Entity* component) : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

Sketches::Sketches(Segment* segment, uint64_t id) : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

Sketches::~Sketches() { doUninitializeMigrationHelpers(); }

void Sketches::initializeMemberSet(uint32_t version, MemberSet& memberSet) {
    // Version 0 persisted nothing of its own; 1 added the mark, 2 the switch.
    if (version >= 1 && version <= 2)
        registerMember(memberSet, "highWaterMark", m_highWaterMark);
    if (version == 2)
        registerMember(memberSet, "visible", m_visible);
}

void Sketches::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    m_migrationHelper = nullptr;
    s_metaType().beginMigrationIfNeeded(this, [this] { createMigrationHelper(); });
}

void Sketches::createMigrationHelper() {
    if (m_migrationHelper)
        return;
    m_migrationHelper = new MigrationHelper(segment());
    segment()->registerMigrationHelper(this, &s_metaType(), m_migrationHelper);
}

void Sketches::deleteMigrationHelper() {
    if (!m_migrationHelper)
        return;
    delete segment()->unregisterMigrationHelper(this, &s_metaType());
    m_migrationHelper = nullptr;
}

void Sketches::doInitializeMigrationHelpers() {
    CommonBaseGroupEntity::doInitializeMigrationHelpers();
    createMigrationHelper();
}

void Sketches::doUninitializeMigrationHelpers() {
    deleteMigrationHelper();
    CommonBaseGroupEntity::doUninitializeMigrationHelpers();
}

void Sketches::onPostMigrate() {
    CommonBaseGroupEntity::onPostMigrate();
    uint32_t persisted = version();
    if (persisted >= s_metaType().version())
        return;
    if (postMigrate(persisted) == kMigrationDone)
        deleteMigrationHelper();
    version(s_metaType().version());
}

EMigrationStatus Sketches::postMigrate(uint32_t oldVersion) {
    if (oldVersion != 0)
        return kMigrationDone;
    // Numbering needs the collection's sketches as loaded, so it waits for the
    // whole asset; the helper stays registered until the migrator is done.
    if (AssetMigrator* migrator = asset()->assetMigrator(MigrateSketchesHighWaterMark::kName))
        migrator->addEntity(this);
    return kMigrationDeferred;
}

StrongRef<Sketch> Sketches::sketch(unsigned int index) const {
    return StrongRef<Sketch>(::Kv::queryInterface<Sketch>(child(index).get()));
}

unsigned int Sketches::getNextID() {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    return ++m_highWaterMark;
}

bool Sketches::getOnk(Onk& key) {
    key.setName(L"Sketches");
    return true;
}

void* Sketches::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Sketches::onToString() const {
    return (boost::wformat(L"Sketches (base %1%)") % CommonBaseGroupEntity::onToString()).str();
}

} // namespace Kv::Geometry
