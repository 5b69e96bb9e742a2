#pragma once

#include "Kv/Scene/NodeData.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Objects/Image.h"
#include "Wyn/Objects/Ref.h"
#include "Wyn/Scene/View.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace Kv {

class Asset;
class Entity;

namespace Scene {

class INodeSource;
class NodeChange;

// The scene of one asset. It keeps a record per connected source, makes nodes
// on demand and realises what changes marked, parents before children and,
// per source, transform, geometry, appearance and child nodes in that order.
// Realisation happens when the asset's outermost transaction commits (or is
// undone, redone or rolled back) and when a view is drawn; never while a
// transaction is open, so no hook sees an entity in the middle of a change.
// Only marked records are visited, so a change costs what it touches, not
// what the document holds.
//
// Sources without an enclosing source (collections, sketches made on a
// segment) hang below rootNode(), which is what a view draws.
class SceneManager {
public:
    explicit SceneManager(Asset* asset = nullptr);
    ~SceneManager();
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

    Asset* asset() const { return m_asset; }
    // The scene of the entity's asset, made on first use; null for an entity
    // outside any asset.
    static SceneManager* of(const Entity* entity);

    void connect(INodeSource* source);
    // Lets the source release its nodes, takes its node out of the scene and
    // forgets the source.
    void disconnect(INodeSource* source);
    bool isConnected(const INodeSource* source) const;
    size_t sourceCount() const { return m_sourceCount; }
    // The record of a connected source, or null.
    NodeData* nodeData(const INodeSource* source) const;

    void revalidate(INodeSource* source, unsigned changeType);
    // The source's node, made now when it has none; connects the source first
    // when it is not in this scene.
    Wyn::Graphics::ARenderNode* createScene(INodeSource* source);

    // Makes missing nodes and realises every mark. Returns false without doing
    // anything while a transaction of the asset is open or a realisation is
    // already running (a hook that marks something gets it in a later pass).
    bool realize();
    bool isRealizing() const { return m_realizing; }
    bool needsRealize() const { return !m_pending.empty(); }

    // The top of the scene, realised first when that is allowed now.
    Wyn::Graphics::GroupNode* rootNode();
    // A node that should be drawn from the top even though it belongs to no
    // top source (such as a 2D drawing placed in model space).
    void addSceneRoot(Wyn::Graphics::ARenderNode* node);
    void removeSceneRoot(Wyn::Graphics::ARenderNode* node);

    // Called by the asset.
    void transactionCommitted();
    // Undo, redo and rollback put children back into groups and take them out
    // without telling the groups' sources, so the sources that gather child
    // nodes gather them again, and top nodes follow their entity in or out
    // of the document.
    void transactionReplayed();

    // Realises and draws the scene; the format follows the extension (.svg,
    // .png, .pdf) and the background is the active environment's.
    void render(const Wyn::Scene::View& view, int width, int height, const std::string& path);
    Wyn::Objects::Image renderImage(const Wyn::Scene::View& view, int width, int height);

private:
    friend class INodeSource;
    friend class NodeData;
    // Called when a connected source is destroyed without disconnecting:
    // only the record goes, since the object can no longer be asked anything.
    void forget(INodeSource* source);
    void queue(NodeData* record);
    void unqueue(NodeData* record);

    NodeData* record(const INodeSource* source) const;
    // A record for a new connection, from the free ones or the last block.
    NodeData& takeRecord();
    // Forgets the source's record and frees it; answers the node it had.
    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> erase(INodeSource* source);
    void makeNode(NodeData& record);
    void realizeRecord(NodeData& record);
    void markParentChildNodes(INodeSource* source);
    // A new child of a source whose node holds its children already is
    // added on its own (attachAdded); other parents gather all their child
    // nodes again.
    void childConnected(INodeSource* source);
    void attachAdded();
    INodeSource* parentSource(const INodeSource* source) const;
    int depth(const INodeSource* source) const;
    bool isInDocument(const INodeSource* source) const;
    static void clearSource(Wyn::Graphics::ARenderNode* node, const INodeSource* source);

    // A connection as the manager remembers it across hooks that may end it:
    // the record and the sequence number it had, so that nothing is asked of
    // a source that may be gone.
    struct Connection {
        NodeData* record;
        uint64_t sequence;
        // The record while it still holds this connection, else null.
        NodeData* current() const { return record->m_sequence == sequence ? record : nullptr; }
    };

    Asset* m_asset;
    // Every source points at its record, so nothing is looked up by source.
    // Records are kept in blocks that live as long as the manager, so that a
    // record costs no heap block of its own and a Connection may always read
    // the record it names; freed records are reused.
    static constexpr size_t kRecordsPerBlock = 256;
    std::vector<std::unique_ptr<NodeData[]>> m_blocks;
    size_t m_usedInLastBlock = kRecordsPerBlock;
    std::vector<NodeData*> m_freeRecords;
    size_t m_sourceCount = 0;
    // Marked or still without a node; each record knows its place here.
    std::vector<NodeData*> m_pending;
    std::unordered_set<NodeData*> m_containers; // have gathered child nodes
    std::unordered_set<NodeData*> m_tops;       // nodes below the root
    // Children connected since their parent gathered its child nodes, as
    // (parent, child), to be added to the parent's node one by one.
    std::vector<std::pair<Connection, Connection>> m_added;
    uint64_t m_sequence = 0;
    bool m_realizing = false;
    Wyn::Objects::Ref<Wyn::Graphics::GroupNode> m_root;
    std::vector<Wyn::Objects::Ref<Wyn::Graphics::ARenderNode>> m_sceneRoots;
};

} // namespace Scene
} // namespace Kv
