#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/Scene/INodeSource.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Ref.h"

namespace Kv {
class IComponent;
}

namespace Kv::Geometry {

class Sketch2D;

// A component's 2D sketches, in order.
class Sketch2Ds : public CommonData::CommonBaseGroupEntity,
                  public Scene::INodeSource,
                  public IScriptableObject {
    KV_GEOMETRY_ENTITY(Sketch2Ds, CommonData::CommonBaseGroupEntity)

public:
    static StrongRefCreator<Sketch2Ds> make(IComponent* component);

    unsigned int sketch2Ds() const { return static_cast<unsigned int>(childCount()); }
    // The child at `index` as a 2D sketch (null if it is none).
    StrongRef<Sketch2D> sketch2D(unsigned int index) const;

    // Scripting name "Sketch2Ds".
    bool getOnk(Onk& key) override;

    // Scene: a group node holding the sketches' nodes.
    Wyn::Graphics::ARenderNode* sceneNode() const override { return m_groupNode.get(); }
    // Keeps only a group node.
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    void onCreateScene(Scene::NodeChange& change) override;
    void createChildNodes(Scene::NodeChange& change) override;
    void releaseScene() override;
    Entity* nodeSourceEntity() override { return this; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketch2Ds")

protected:
    Sketch2Ds(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    void onPostChange(const EntityChange& change) override;
    std::wstring onToString() const override;

private:
    explicit Sketch2Ds(Entity* component);
    void initializeMemberSetIfNeeded();

    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_groupNode;
};

} // namespace Kv::Geometry
