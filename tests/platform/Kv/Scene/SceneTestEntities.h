#pragma once

// Two entities drawn through the scene layer, for the scene tests: a group
// that places its children and a line. Every realise hook they implement
// writes "<hook>:<label>" to hookLog(), so tests can see what ran and when.

#include "Kv/Base/Color.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/EntityMetaTypeOf.h"
#include "Kv/Scene/INodeSource.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/PolyLineNode.h"

#include "ZkGePoint3d.h"

#include <functional>
#include <string>
#include <vector>

namespace Kv::SceneTests {

std::vector<std::string>& hookLog();
// Run with each entry right after a hook writes it, when set: a test's way to
// edit the model from inside a realisation.
std::function<void(const std::string& entry)>& hookAction();

// What both scene entities share: a label for the hook log, the node source
// interface, and the calls that connect them to the scene, keep them
// connected and let them go.
class SceneEntity : public CommonData::CommonBaseGroupEntity, public Scene::INodeSource {
public:
    const std::string& label() const { return m_label; }
    void* queryInterface(const UniqueString& id) override;

protected:
    using CommonBaseGroupEntity::CommonBaseGroupEntity;
    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    void onPostChange(const EntityChange& change) override;
    // Writes "<hook>:<label>" to hookLog() and runs hookAction().
    void log(const char* hook) const;

    std::string m_label;
};

class SceneGroup : public SceneEntity {
public:
    static EntityMetaType& s_metaType();
    static StrongRefCreator<SceneGroup> make(Entity* parent, const std::string& label);

    void offset(const ZkGePoint3d& offset); // a change of geometry and placement
    void shown(bool shown);                 // a change of appearance
    Wyn::Graphics::GroupNode* groupNode() const { return m_node.get(); }

    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_node.get(); }
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void realizeChildNodes(Scene::NodeChange& change) override;
    void releaseScene() override;

protected:
    SceneGroup(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    friend class EntityMetaTypeOf<SceneGroup>;
    explicit SceneGroup(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);

    ZkGePoint3d m_offset;
    bool m_shown = true;
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_node;
};

class SceneLine : public SceneEntity {
public:
    static EntityMetaType& s_metaType();
    static StrongRefCreator<SceneLine> make(Entity* parent, const std::string& label,
                                            const ZkGePoint3d& start, const ZkGePoint3d& end);

    void ends(const ZkGePoint3d& start, const ZkGePoint3d& end);
    void color(const Color& color);
    Wyn::Graphics::PolyLineNode* lineNode() const { return m_node.get(); }

    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_node.get(); }
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void releaseScene() override;

protected:
    SceneLine(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    friend class EntityMetaTypeOf<SceneLine>;
    explicit SceneLine(Entity* parent);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);

    ZkGePoint3d m_start;
    ZkGePoint3d m_end;
    Color m_color{0, 0, 0, 1};
    Wyn::Objects::Ref<Wyn::Graphics::PolyLineNode> m_node;
};

} // namespace Kv::SceneTests
