#include "Geometry/sketch3d/Sketches.h"

#include "Geometry/selection/SketchesSelection.h"
#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/AssetMigrator.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Scene/NodeChange.h"

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

Sketches::Sketches(Entity* component)
    : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

Sketches::Sketches(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

Sketches::~Sketches() {
    doUninitializeMigrationHelpers();
}

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

void Sketches::onPostCreation(int kind) {
    CommonBaseGroupEntity::onPostCreation(kind);
    connectScene();
}

void Sketches::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

void Sketches::onPreDeletion(int kind) {
    disconnectScene();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

void Sketches::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void Sketches::onCreateScene(Scene::NodeChange& change) {
    m_groupNode = change.createGroupNode(this);
    INodeSource::onCreateScene(change);
}

void Sketches::createChildNodes(Scene::NodeChange& change) {
    for (const StrongRef<Entity>& child : children())
        if (auto* sketch = ::Kv::queryInterface<Sketch>(child.get()))
            if (Wyn::Graphics::ARenderNode* node = sketch->createScene())
                change.addChild(node);
}

void Sketches::releaseScene() {
    INodeSource::releaseScene();
    m_groupNode = nullptr;
}

bool Sketches::isVisible(CommonData::IComponentTraversalContext*) {
    return m_visible;
}

void Sketches::isVisible(bool visible) {
    {
        EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
        m_visible = visible;
    }
    for (const StrongRef<Entity>& child : children())
        if (::Kv::queryInterface<Sketch>(child.get())) {
            EntityChange touch(child.get(), kTransactDo, kChangeAppearance, 3, nullptr, true);
        }
}

bool Sketches::toggleVisibility(const ObjectPath&) {
    isVisible(!m_visible);
    return true;
}

Request* Sketches::onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                         const ObjectPath& target, bool isCut, bool isClone,
                                         bool isReorder) {
    auto* sink = ::Kv::queryInterface<DataModel::IPasteSink>(parentEntity());
    return sink ? sink->onProvidePasteRequest(pasted, target, isCut, isClone, isReorder) : nullptr;
}

bool Sketches::onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool,
                          bool) {
    return !Managed::ManagedEntity::pastesIntoItself(pasted, target);
}

bool Sketches::onProvideNominalHitInfo(const LogicalSelection*, const ZkGeMatrix3d& transform,
                                       ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const {
    point = ZkGePoint3d::kOrigin;
    pointTransform = transform;
    return true;
}

StrongRef<LogicalSelection> Sketches::onCreateLogicalSelection(const ObjectPath& path) {
    ObjectPath picked = path;
    if (isFinalLogicalSelectionSource(picked))
        picked.pop_to(this);
    return SketchesSelection::make(picked, StrongRef<Sketches>(this));
}

bool Sketches::getOnk(Onk& key) {
    key.setName(L"Sketches");
    return true;
}

IScriptableObject* Sketches::getChildObject(const Onk& key, const ObjectPath&) {
    for (const StrongRef<Entity>& child : children())
        if (auto* sketch = ::Kv::queryInterface<Sketch>(child.get());
            sketch && sketch->userName() == key.representation())
            return static_cast<IScriptableObject*>(sketch);
    return nullptr;
}

void* Sketches::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    if (id == IVisibilityToggle::interfaceId())
        return static_cast<IVisibilityToggle*>(this);
    if (id == IPasteSink::interfaceId())
        return static_cast<IPasteSink*>(this);
    if (id == ILogicalSelectionSource::interfaceId())
        return static_cast<ILogicalSelectionSource*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Sketches::onToString() const {
    return (boost::wformat(L"Sketches (base %1%)") % CommonBaseGroupEntity::onToString()).str();
}

} // namespace Kv::Geometry
