#include "SceneTestEntities.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/ValueMetaType.h"
#include "Kv/DataModel/ZkGeValueMetaType.h"
#include "Kv/Scene/NodeChange.h"

#include <typeinfo>

namespace Kv::SceneTests {
namespace {

EntityMetaTypeOf<SceneGroup> g_sceneGroupMetaType("KvSceneTests", "KvSceneTests::SceneGroup",
                                                  "SceneGroupMetaType", 1,
                                                  "Kv::CommonData::CommonBaseGroupEntity",
                                                  EntityMetaType::kConcrete);
EntityMetaTypeOf<SceneLine> g_sceneLineMetaType("KvSceneTests", "KvSceneTests::SceneLine",
                                                "SceneLineMetaType", 1,
                                                "Kv::CommonData::CommonBaseGroupEntity",
                                                EntityMetaType::kConcrete);

} // namespace

std::vector<std::string>& hookLog() {
    static std::vector<std::string> entries;
    return entries;
}

std::function<void(const std::string&)>& hookAction() {
    static std::function<void(const std::string&)> action;
    return action;
}

// SceneEntity

void* SceneEntity::queryInterface(const UniqueString& id) {
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    return CommonBaseGroupEntity::queryInterface(id);
}

void SceneEntity::onPostCreation(int kind) {
    CommonBaseGroupEntity::onPostCreation(kind);
    connectScene();
}

void SceneEntity::onPreDeletion(int kind) {
    disconnectScene();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

void SceneEntity::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

void SceneEntity::log(const char* hook) const {
    const std::string entry = std::string(hook) + ":" + m_label;
    hookLog().push_back(entry);
    if (hookAction())
        hookAction()(entry);
}

// SceneGroup

EntityMetaType& SceneGroup::s_metaType() {
    return g_sceneGroupMetaType;
}

StrongRefCreator<SceneGroup> SceneGroup::make(Entity* parent, const std::string& label) {
    StrongRef<SceneGroup> group(new SceneGroup(parent));
    group->m_label = label;
    group->postCreation(kTransactDo);
    return StrongRefCreator<SceneGroup>(group);
}

SceneGroup::SceneGroup(Entity* parent)
    : SceneEntity(parent) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

SceneGroup::SceneGroup(Segment* segment, uint64_t id)
    : SceneEntity(segment, id) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

void SceneGroup::initializeMemberSet(uint32_t, MemberSet& ms) {
    ms.addNewMember("offset", &m_offset, typeid(m_offset).name(),
                    ZkGeValueMetaType::get<ZkGePoint3d>(), nullptr, nullptr);
    ms.addNewMember("shown", &m_shown, typeid(m_shown).name(), IntrinsicMetaType::get<bool>(),
                    nullptr, nullptr);
}

void SceneGroup::offset(const ZkGePoint3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3);
    m_offset = offset;
}

void SceneGroup::shown(bool shown) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3);
    m_shown = shown;
}

void SceneGroup::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_node = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void SceneGroup::onCreateScene(Scene::NodeChange& change) {
    log("create");
    m_node = change.createGroupNode(this);
    change.clientType(0x10000);
    INodeSource::onCreateScene(change);
}

void SceneGroup::realizeTransform(Scene::NodeChange& change) {
    log("transform");
    change.transform(ZkGeMatrix3d::translation(m_offset.asVector()));
}

void SceneGroup::realizeAppearance(Scene::NodeChange& change) {
    log("appearance");
    if (m_shown)
        change.removeAttribute(0);
    else
        change.visibility(false);
}

void SceneGroup::realizeChildNodes(Scene::NodeChange& change) {
    log("children");
    for (const StrongRef<Entity>& child : children())
        if (auto* source = ::Kv::queryInterface<INodeSource>(child.get()))
            if (Wyn::Graphics::ARenderNode* node = source->createScene())
                change.addChild(node);
}

void SceneGroup::releaseScene() {
    log("release");
    if (m_node) {
        Scene::NodeChange change(m_node);
        change.removeAllChildren();
        change.clearSource();
    }
    m_node.reset();
}

// SceneLine

EntityMetaType& SceneLine::s_metaType() {
    return g_sceneLineMetaType;
}

StrongRefCreator<SceneLine> SceneLine::make(Entity* parent, const std::string& label,
                                            const ZkGePoint3d& start, const ZkGePoint3d& end) {
    StrongRef<SceneLine> line(new SceneLine(parent));
    line->m_label = label;
    line->m_start = start;
    line->m_end = end;
    line->postCreation(kTransactDo);
    return StrongRefCreator<SceneLine>(line);
}

SceneLine::SceneLine(Entity* parent)
    : SceneEntity(parent) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

SceneLine::SceneLine(Segment* segment, uint64_t id)
    : SceneEntity(segment, id) {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& ms) { initializeMemberSet(version, ms); });
}

void SceneLine::initializeMemberSet(uint32_t, MemberSet& ms) {
    ms.addNewMember("start", &m_start, typeid(m_start).name(),
                    ZkGeValueMetaType::get<ZkGePoint3d>(), nullptr, nullptr);
    ms.addNewMember("end", &m_end, typeid(m_end).name(), ZkGeValueMetaType::get<ZkGePoint3d>(),
                    nullptr, nullptr);
    ms.addNewMember("color", &m_color, typeid(m_color).name(), ColorValueMetaType::get(), nullptr,
                    nullptr);
}

void SceneLine::ends(const ZkGePoint3d& start, const ZkGePoint3d& end) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3);
    m_start = start;
    m_end = end;
}

void SceneLine::color(const Color& color) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3);
    m_color = color;
}

void SceneLine::onCreateScene(Scene::NodeChange& change) {
    log("create");
    m_node = change.createPolyLineNode(this, m_start, m_end);
}

void SceneLine::realizeTransform(Scene::NodeChange&) {
    log("transform");
}

void SceneLine::realizeGeometry(Scene::NodeChange& change) {
    log("geometry");
    change.setPolyLine(m_start, m_end);
}

void SceneLine::realizeAppearance(Scene::NodeChange& change) {
    log("appearance");
    change.colorEffect(m_color);
    change.lineStyle(3.0);
}

void SceneLine::releaseScene() {
    log("release");
    if (m_node)
        Scene::NodeChange(m_node).clearSource();
    m_node.reset();
}

} // namespace Kv::SceneTests
