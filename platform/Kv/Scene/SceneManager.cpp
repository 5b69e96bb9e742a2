#include "Kv/Scene/SceneManager.h"

#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/INodeSource.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/LodGeometryNode.h"
#include "Wyn/Scene/Renderer.h"

#include <algorithm>

namespace Kv::Scene {
namespace {

// A hook that keeps marking what it realises would otherwise never let a
// realisation end; what is left after this many passes waits for the next.
constexpr int kMaxPasses = 16;

Wyn::Objects::Color background() {
    const ArgbColor& c = EnvironmentManager::getEnvManager().activeEnvironment()->backgroundColor();
    return Wyn::Objects::Color(c.red(), c.green(), c.blue(), c.alpha());
}

class Flag {
public:
    explicit Flag(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~Flag() { m_flag = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& m_flag;
};

} // namespace

SceneManager::SceneManager(Asset* asset)
    : m_asset(asset)
    , m_root(Wyn::Objects::makeRef<Wyn::Graphics::GroupNode>()) {}

SceneManager::~SceneManager() {
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const size_t used = b + 1 == m_blocks.size() ? m_usedInLastBlock : kRecordsPerBlock;
        for (size_t i = 0; i < used; ++i)
            if (NodeData& r = m_blocks[b][i]; r.m_source) {
                r.m_source->m_record = nullptr;
                clearSource(r.m_node.get(), r.m_source);
            }
    }
}

SceneManager* SceneManager::of(const Entity* entity) {
    Asset* asset = entity ? entity->asset() : nullptr;
    return asset ? &asset->sceneManager() : nullptr;
}

NodeData* SceneManager::record(const INodeSource* source) const {
    NodeData* r = source ? source->m_record : nullptr;
    return r && r->m_manager == this ? r : nullptr;
}

NodeData* SceneManager::nodeData(const INodeSource* source) const {
    return record(source);
}

bool SceneManager::isConnected(const INodeSource* source) const {
    return record(source);
}

void SceneManager::queue(NodeData* r) {
    if (r->m_pendingSlot != NodeData::kNotPending)
        return;
    r->m_pendingSlot = uint32_t(m_pending.size());
    m_pending.push_back(r);
}

// The last record takes the place of the one leaving.
void SceneManager::unqueue(NodeData* r) {
    if (r->m_pendingSlot == NodeData::kNotPending)
        return;
    NodeData* last = m_pending.back();
    m_pending[r->m_pendingSlot] = last;
    last->m_pendingSlot = r->m_pendingSlot;
    m_pending.pop_back();
    r->m_pendingSlot = NodeData::kNotPending;
}

NodeData& SceneManager::takeRecord() {
    if (!m_freeRecords.empty()) {
        NodeData* r = m_freeRecords.back();
        m_freeRecords.pop_back();
        return *r;
    }
    if (m_usedInLastBlock == kRecordsPerBlock) {
        m_blocks.push_back(std::unique_ptr<NodeData[]>(new NodeData[kRecordsPerBlock]));
        m_usedInLastBlock = 0;
    }
    return m_blocks.back()[m_usedInLastBlock++];
}

Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> SceneManager::erase(INodeSource* source) {
    NodeData* r = record(source);
    if (!r)
        return nullptr;
    source->m_record = nullptr;
    unqueue(r);
    m_containers.erase(r);
    m_tops.erase(r);
    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> node = std::move(r->m_node);
    *r = NodeData();
    m_freeRecords.push_back(r);
    --m_sourceCount;
    return node;
}

void SceneManager::connect(INodeSource* source) {
    if (!source || record(source))
        return;
    if (source->m_record)
        source->m_record->m_manager->disconnect(source);
    NodeData& r = takeRecord();
    r.m_manager = this;
    r.m_source = source;
    r.m_sequence = ++m_sequence;
    ++m_sourceCount;
    queue(&r);
    source->m_record = &r;
    childConnected(source);
}

void SceneManager::disconnect(INodeSource* source) {
    if (!record(source))
        return;
    markParentChildNodes(source);
    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> node = erase(source);
    if (node) {
        source->releaseScene();
        if (Wyn::Graphics::ARenderNode* parent = node->parent())
            parent->removeChild(node.get());
        clearSource(node.get(), source);
    }
}

void SceneManager::forget(INodeSource* source) {
    if (Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> node = erase(source)) {
        if (Wyn::Graphics::ARenderNode* parent = node->parent())
            parent->removeChild(node.get());
        clearSource(node.get(), source);
    }
}

// Nodes outlive their sources when someone still holds them; a node must not
// then lead picking to an object that is gone.
void SceneManager::clearSource(Wyn::Graphics::ARenderNode* node, const INodeSource* source) {
    if (!node)
        return;
    if (node->source() == static_cast<const Wyn::Graphics::NodeClient*>(source))
        node->source(nullptr);
    for (const auto& child : node->children())
        clearSource(child.get(), source);
}

INodeSource* SceneManager::parentSource(const INodeSource* source) const {
    const Entity* entity = source->nodeSourceEntity();
    for (Entity* e = entity ? entity->parentEntity() : nullptr; e; e = e->parentEntity())
        if (auto* parent = dynamic_cast<INodeSource*>(e))
            return parent;
    return nullptr;
}

int SceneManager::depth(const INodeSource* source) const {
    int d = 0;
    for (const INodeSource* p = parentSource(source); p && d < 1000; p = parentSource(p))
        ++d;
    return d;
}

// An entity whose creation was undone is out of its group but still names it
// as its parent.
bool SceneManager::isInDocument(const INodeSource* source) const {
    const Entity* entity = source->nodeSourceEntity();
    auto* group =
        entity ? dynamic_cast<Managed::ManagedGroupEntity*>(entity->parentEntity()) : nullptr;
    return !group || group->indexOf(entity) != Managed::ManagedGroupEntity::npos;
}

void SceneManager::markParentChildNodes(INodeSource* source) {
    if (NodeData* parent = record(parentSource(source)))
        parent->mark(NodeData::kChildNodes);
}

void SceneManager::childConnected(INodeSource* source) {
    INodeSource* parent = parentSource(source);
    NodeData* r = record(parent);
    if (!r)
        return;
    if (r->m_node && m_containers.count(r) && !(r->m_dirty & NodeData::kChildNodes))
        m_added.emplace_back(Connection{r, r->m_sequence},
                             Connection{source->m_record, source->m_record->m_sequence});
    else
        r->mark(NodeData::kChildNodes);
}

// A pair whose parent or child left the scene is dropped: the child is then
// no longer in the parent's scene, or the parent gathers its children anew. A
// source that cannot take a child on its own gathers them all in the next
// pass.
void SceneManager::attachAdded() {
    std::vector<std::pair<Connection, Connection>> added;
    added.swap(m_added);
    for (const auto& [parentConnection, childConnection] : added) {
        NodeData* p = parentConnection.current();
        NodeData* c = childConnection.current();
        if (!p || !p->m_node || (p->m_dirty & NodeData::kChildNodes) || !c)
            continue;
        INodeSource* parent = p->m_source;
        INodeSource* child = c->m_source;
        if (parentSource(child) != parent) {
            p->mark(NodeData::kChildNodes);
            continue;
        }
        Wyn::Graphics::ARenderNode* node = createScene(child);
        if (!node || node->parent() || parentConnection.current() != p)
            continue;
        NodeChange change(p, p->m_node.get(), true, 0);
        if (!parent->realizeAddedChild(change, child))
            p->mark(NodeData::kChildNodes);
    }
}

void SceneManager::revalidate(INodeSource* source, unsigned changeType) {
    if (NodeData* r = record(source))
        r->revalidate(changeType);
}

void SceneManager::makeNode(NodeData& r) {
    r.m_made = true;
    INodeSource* source = r.m_source;
    const Connection connection{&r, r.m_sequence};
    NodeChange change(&r, nullptr, false, 0);
    source->onCreateScene(change);
    if (!connection.current())
        return; // the hook left the scene
    Wyn::Graphics::ARenderNode* node = source->sceneNode();
    if (!node && change.node()) {
        node = change.node();
        source->sceneNode(node);
    }
    r.m_node = node;
    if (!node)
        return; // nothing to realise; a source may choose to stay invisible
    r.mark(NodeData::kEverything);
    if (!node->parent() && !parentSource(source)) {
        m_root->addChild(node);
        m_tops.insert(&r);
    }
}

Wyn::Graphics::ARenderNode* SceneManager::createScene(INodeSource* source) {
    if (!source)
        return nullptr;
    connect(source);
    NodeData* r = record(source);
    if (!r->m_made)
        makeNode(*r);
    r = record(source);
    return r ? r->m_node.get() : nullptr;
}

void SceneManager::realizeRecord(NodeData& r) {
    INodeSource* source = r.m_source;
    const Connection connection{&r, r.m_sequence};
    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> node = r.m_node;
    unsigned todo = r.m_dirty;
    r.m_dirty = 0;
    auto still = [&] {
        return connection.current() && r.m_node == node;
    };
    try {
        if (todo & NodeData::kTransform) {
            todo &= ~NodeData::kTransform;
            NodeChange change(&r, node.get(), false, 0);
            source->realizeTransform(change);
        }
        if ((todo & NodeData::kGeometry) && still()) {
            todo &= ~NodeData::kGeometry;
            if (auto* lod = dynamic_cast<Wyn::Graphics::LodGeometryNode*>(node.get())) {
                lod->invalidate();
                for (int level = 0; level < lod->levelCount(); ++level) {
                    NodeChange change(&r, node.get(), false, level);
                    source->realizeGeometry(change, level);
                }
            } else {
                NodeChange change(&r, node.get(), false, 0);
                source->realizeGeometry(change);
            }
        }
        if ((todo & NodeData::kAppearance) && still()) {
            todo &= ~NodeData::kAppearance;
            NodeChange change(&r, node.get(), false, 0);
            source->realizeAppearance(change);
        }
        if ((todo & NodeData::kChildNodes) && still()) {
            todo &= ~NodeData::kChildNodes;
            // The list keeps the nodes alive until they are out of the node.
            const std::unique_ptr<NodeData::ChildNodes> held = std::move(r.m_childNodes);
            std::vector<Wyn::Graphics::ARenderNode*> previous;
            if (held) {
                previous.reserve(held->size());
                for (auto& child : *held)
                    previous.push_back(child.get());
            }
            node->removeChildren(previous);
            NodeChange change(&r, node.get(), true, 0);
            source->realizeChildNodes(change);
            if (connection.current() && r.m_childNodes)
                m_containers.insert(&r);
        }
    } catch (...) {
        if (still())
            r.mark(todo); // what did not run is still to do
        throw;
    }
}

bool SceneManager::realize() {
    if (m_realizing || (m_asset && m_asset->inTransaction()))
        return false;
    Flag running(m_realizing);
    for (int pass = 0; pass < kMaxPasses && !m_pending.empty(); ++pass) {
        // Connections, not bare records, are kept: a hook may disconnect a
        // source and free its record, which a later connection reuses under
        // another sequence number.
        struct Entry {
            int depth;
            Connection connection;
        };
        std::vector<Entry> batch;
        batch.reserve(m_pending.size());
        for (NodeData* r : m_pending) {
            r->m_pendingSlot = NodeData::kNotPending;
            batch.push_back({depth(r->m_source), Connection{r, r->m_sequence}});
        }
        // A fresh list rather than clear(), so that the room it grew to when
        // the whole scene was made is not kept for good.
        std::vector<NodeData*>().swap(m_pending);
        std::sort(batch.begin(), batch.end(), [](const Entry& a, const Entry& b) {
            return a.depth != b.depth ? a.depth < b.depth
                                      : a.connection.sequence < b.connection.sequence;
        });
        for (const Entry& e : batch)
            if (NodeData* r = e.connection.current(); r && !r->m_made)
                makeNode(*r);
        for (const Entry& e : batch)
            if (NodeData* r = e.connection.current(); r && r->m_node && r->m_dirty) {
                unqueue(r); // realised now, not again in the next pass
                realizeRecord(*r);
            }
        attachAdded();
    }
    return true;
}

Wyn::Graphics::GroupNode* SceneManager::rootNode() {
    realize();
    return m_root.get();
}

void SceneManager::addSceneRoot(Wyn::Graphics::ARenderNode* node) {
    if (!node)
        return;
    for (const auto& held : m_sceneRoots)
        if (held.get() == node)
            return;
    m_sceneRoots.emplace_back(node);
    if (!node->parent())
        m_root->addChild(node);
}

void SceneManager::removeSceneRoot(Wyn::Graphics::ARenderNode* node) {
    auto it = std::find_if(m_sceneRoots.begin(), m_sceneRoots.end(),
                           [node](const auto& held) { return held.get() == node; });
    if (it == m_sceneRoots.end())
        return;
    if (node->parent() == m_root.get())
        m_root->removeChild(node);
    m_sceneRoots.erase(it);
}

void SceneManager::transactionCommitted() {
    realize();
}

void SceneManager::transactionReplayed() {
    for (NodeData* r : m_containers)
        r->mark(NodeData::kChildNodes);
    for (NodeData* r : m_tops) {
        Wyn::Graphics::ARenderNode* node = r->m_node.get();
        const bool in = isInDocument(r->m_source);
        if (!in && node->parent() == m_root.get())
            m_root->removeChild(node);
        else if (in && !node->parent())
            m_root->addChild(node);
    }
    realize();
}

void SceneManager::render(const Wyn::Scene::View& view, int width, int height,
                          const std::string& path) {
    Wyn::Scene::Renderer renderer;
    renderer.background(background());
    renderer.render(*rootNode(), view, width, height, path);
}

Wyn::Objects::Image SceneManager::renderImage(const Wyn::Scene::View& view, int width, int height) {
    Wyn::Scene::Renderer renderer;
    renderer.background(background());
    return renderer.renderImage(*rootNode(), view, width, height);
}

} // namespace Kv::Scene
