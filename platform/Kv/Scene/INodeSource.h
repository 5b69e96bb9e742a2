#pragma once

#include "Kv/Base/UniqueString.h"
#include "Wyn/Graphics/NodeClient.h"

namespace Wyn::Graphics {
class ARenderNode;
} // namespace Wyn::Graphics

namespace Kv {

class Entity;

namespace Scene {

class NodeChange;
class NodeData;
class SceneManager;

// An object that appears in the scene: it makes its node when the scene asks
// (onCreateScene) and brings it up to date in the realise hooks. Entities
// connect after creation and disconnect before deletion; in between they only
// report changes (onPostChangeScene), and their asset's SceneManager decides
// when to realise, so that a node never sees an entity half-way through a
// change.
class INodeSource : public Wyn::Graphics::NodeClient {
public:
    KV_INTERFACE_ID("Kv::Scene::INodeSource")

    // Registers with the scene manager of the entity's asset; the node is made
    // when the scene is next realised or someone asks for it. Without an
    // entity in an asset there is no scene to join, and nothing happens.
    void connectScene();
    // Releases the node (releaseScene) and leaves the scene.
    void disconnectScene();
    bool isSceneConnected() const { return m_record != nullptr; }
    SceneManager* sceneManager() const;
    // The scene's record of the source while it is connected, else null.
    NodeData* sceneRecord() const { return m_record; }

    // A change of `changeType` (the host's change types: 2 geometry and
    // placement, 8 appearance, 0xFFFF everything) was made; marks what it
    // affects for the next realisation. Also what revalidate does.
    void onPostChangeScene(unsigned changeType);
    void revalidate(unsigned changeType) { onPostChangeScene(changeType); }

    // The source's node, made now when there is none yet (joining the scene
    // first if needed). Parents call it to gather their children's nodes.
    Wyn::Graphics::ARenderNode* createScene();

    // The node that stands for the source in its parent: sources that keep
    // their nodes override the pair; the default answers the node the scene
    // manager recorded. The host offers a node through the setter when
    // onCreateScene made one that the getter does not report.
    virtual Wyn::Graphics::ARenderNode* sceneNode() const;
    virtual void sceneNode(Wyn::Graphics::ARenderNode* node);
    // The node of the nearest enclosing source, when it is a group node.
    virtual Wyn::Graphics::ARenderNode* parentGroupNode() const;

    // Makes the node through `change` (the first node a change without a
    // node creates becomes the change's node). Nothing by default: the host
    // realises every aspect of a new node right after.
    virtual void onCreateScene(NodeChange& change);
    // Adds the children's nodes to the change's node; realizeChildNodes calls
    // it by default. Nodes added here are taken out again before the next
    // pass, so a source only says which children it has now.
    virtual void createChildNodes(NodeChange& change);
    virtual void realizeChildNodes(NodeChange& change);
    // A child connected after the source gathered its child nodes: a source
    // that shows every child adds the child's node (child->createScene())
    // through `change` and answers true, so that a new child costs the same
    // in a group of a million as in one of ten. The default answers false,
    // and the scene gathers all child nodes again with realizeChildNodes.
    virtual bool realizeAddedChild(NodeChange& change, INodeSource* child);
    virtual void realizeTransform(NodeChange& change);
    virtual void realizeGeometry(NodeChange& change);
    // For level-of-detail nodes, once per level that needs a mesh; the
    // default realises the geometry as for any node.
    virtual void realizeGeometry(NodeChange& change, int level);
    virtual void realizeAppearance(NodeChange& change);
    // The source lets go of its nodes; the default clears the node's source.
    virtual void releaseScene();

    // The entity behind the source, through which the asset and the parent
    // sources are found. The default finds it from the object itself.
    virtual Entity* nodeSourceEntity();
    const Entity* nodeSourceEntity() const {
        return const_cast<INodeSource*>(this)->nodeSourceEntity();
    }

    // The source a node was made for, or null.
    static INodeSource* fromNode(const Wyn::Graphics::ARenderNode* node);

protected:
    INodeSource() = default;
    // A copy is a different object and is not in the scene.
    INodeSource(const INodeSource&)
        : Wyn::Graphics::NodeClient() {}
    INodeSource& operator=(const INodeSource&) { return *this; }
    ~INodeSource() override;

private:
    friend class SceneManager;
    NodeData* m_record = nullptr;
};

} // namespace Scene
} // namespace Kv
