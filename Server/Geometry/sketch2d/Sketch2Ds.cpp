#include "Geometry/sketch2d/Sketch2Ds.h"

#include "Geometry/sketch2d/Point2DCallback.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/NodeChange.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Sketch2Ds)

StrongRefCreator<Sketch2Ds> Sketch2Ds::make(IComponent* component) {
    Entity* owner = component ? component->componentEntity() : nullptr;
    if (!owner)
        return {};
    StrongRef<Sketch2Ds> sketches(new Sketch2Ds(owner));
    sketches->postCreation(kTransactDo);
    return StrongRefCreator<Sketch2Ds>(sketches);
}

Sketch2Ds::Sketch2Ds(Entity* component)
    : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

Sketch2Ds::Sketch2Ds(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void Sketch2Ds::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [](uint32_t, MemberSet&) { s_metaType().dataModelCallback(&g_point2DCallback); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<Sketch2D> Sketch2Ds::sketch2D(unsigned int index) const {
    return StrongRef<Sketch2D>(::Kv::queryInterface<Sketch2D>(child(index).get()));
}

void Sketch2Ds::onPostCreation(int kind) {
    CommonBaseGroupEntity::onPostCreation(kind);
    connectScene();
}

void Sketch2Ds::onPreDeletion(int kind) {
    disconnectScene();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

void Sketch2Ds::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

void Sketch2Ds::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void Sketch2Ds::onCreateScene(Scene::NodeChange& change) {
    m_groupNode = change.createGroupNode(this);
    INodeSource::onCreateScene(change);
}

void Sketch2Ds::createChildNodes(Scene::NodeChange& change) {
    for (const StrongRef<Entity>& child : children())
        if (auto* sketch = ::Kv::queryInterface<Sketch2D>(child.get()))
            if (Wyn::Graphics::ARenderNode* node = sketch->createScene())
                change.addChild(node);
}

void Sketch2Ds::releaseScene() {
    INodeSource::releaseScene();
    m_groupNode = nullptr;
}

bool Sketch2Ds::getOnk(Onk& key) {
    key.setName(L"Sketch2Ds");
    return true;
}

void* Sketch2Ds::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Sketch2Ds::onToString() const {
    return (boost::wformat(L"Sketch2Ds (base %1%)") % CommonBaseGroupEntity::onToString()).str();
}

} // namespace Kv::Geometry
