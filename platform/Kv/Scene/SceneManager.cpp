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
    for (auto& [source, record] : m_records) {
        const_cast<INodeSource*>(source)->m_sceneManager = nullptr;
        clearSource(record->m_node.get(), source);
    }
}

SceneManager* SceneManager::of(const Entity* entity) {
    Asset* asset = entity ? entity->asset() : nullptr;
    return asset ? &asset->sceneManager() : nullptr;
}

NodeData* SceneManager::record(const INodeSource* source) const {
    auto it = m_records.find(source);
    return it == m_records.end() ? nullptr : it->second.get();
}

NodeData* SceneManager::nodeData(const INodeSource* source) const {
    return record(source);
}

bool SceneManager::isConnected(const INodeSource* source) const {
    return record(source);
}

std::unique_ptr<NodeData> SceneManager::erase(const INodeSource* source) {
    auto it = m_records.find(source);
    if (it == m_records.end())
        return nullptr;
    std::unique_ptr<NodeData> gone = std::move(it->second);
    m_records.erase(it);
    m_pending.erase(gone.get());
    m_containers.erase(gone.get());
    m_tops.erase(gone.get());
    return gone;
}

void SceneManager::connect(INodeSource* source) {
    if (!source || source->m_sceneManager == this)
        return;
    if (source->m_sceneManager)
        source->m_sceneManager->disconnect(source);
    auto made = std::unique_ptr<NodeData>(new NodeData(this, source, ++m_sequence));
    queue(made.get());
    m_records.emplace(source, std::move(made));
    source->m_sceneManager = this;
    childConnected(source);
}

void SceneManager::disconnect(INodeSource* source) {
    if (!record(source))
        return;
    markParentChildNodes(source);
    std::unique_ptr<NodeData> gone = erase(source);
    source->m_sceneManager = nullptr;
    if (Wyn::Graphics::ARenderNode* node = gone->m_node.get()) {
        source->releaseScene();
        if (Wyn::Graphics::ARenderNode* parent = node->parent())
            parent->removeChild(node);
        clearSource(node, source);
    }
}

void SceneManager::forget(INodeSource* source) {
    std::unique_ptr<NodeData> gone = erase(source);
    if (!gone)
        return;
    if (Wyn::Graphics::ARenderNode* node = gone->m_node.get()) {
        if (Wyn::Graphics::ARenderNode* parent = node->parent())
            parent->removeChild(node);
        clearSource(node, source);
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
        m_added.emplace_back(parent, source);
    else
        r->mark(NodeData::kChildNodes);
}

// A pair whose parent or child left the scene is dropped: the child is then
// no longer in the parent's scene, or the parent gathers its children anew. A
// source that cannot take a child on its own gathers them all in the next
// pass.
void SceneManager::attachAdded() {
    std::vector<std::pair<INodeSource*, INodeSource*>> added;
    added.swap(m_added);
    for (const auto& [parent, child] : added) {
        NodeData* p = record(parent);
        if (!p || !p->m_node || (p->m_dirty & NodeData::kChildNodes) || !record(child))
            continue;
        if (parentSource(child) != parent) {
            p->mark(NodeData::kChildNodes);
            continue;
        }
        Wyn::Graphics::ARenderNode* node = createScene(child);
        if (!node || node->parent() || record(parent) != p)
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
    NodeChange change(&r, nullptr, false, 0);
    source->onCreateScene(change);
    if (record(source) != &r)
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
    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> node = r.m_node;
    unsigned todo = r.m_dirty;
    r.m_dirty = 0;
    auto still = [&] {
        return record(source) == &r && r.m_node == node;
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
            std::vector<Wyn::Graphics::ARenderNode*> previous;
            previous.reserve(r.m_childNodes.size());
            for (auto& child : r.m_childNodes)
                previous.push_back(child.get());
            node->removeChildren(previous);
            r.m_childNodes.clear();
            NodeChange change(&r, node.get(), true, 0);
            source->realizeChildNodes(change);
            if (!r.m_childNodes.empty())
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
        // Sources, not records, are kept: a hook may disconnect a source and
        // so delete its record; a later connection of the same source makes a
        // record of another sequence number.
        struct Entry {
            int depth;
            uint64_t sequence;
            INodeSource* source;
        };
        std::vector<Entry> batch;
        batch.reserve(m_pending.size());
        for (NodeData* r : m_pending)
            batch.push_back({depth(r->m_source), r->m_sequence, r->m_source});
        // A fresh set rather than clear(), which would wipe every bucket the
        // set grew to when the whole scene was made, on every commit.
        std::unordered_set<NodeData*>().swap(m_pending);
        std::sort(batch.begin(), batch.end(), [](const Entry& a, const Entry& b) {
            return a.depth != b.depth ? a.depth < b.depth : a.sequence < b.sequence;
        });
        auto current = [&](const Entry& e) {
            NodeData* r = record(e.source);
            return r && r->m_sequence == e.sequence ? r : nullptr;
        };
        for (const Entry& e : batch)
            if (NodeData* r = current(e); r && !r->m_made)
                makeNode(*r);
        for (const Entry& e : batch)
            if (NodeData* r = current(e); r && r->m_node && r->m_dirty) {
                m_pending.erase(r); // realised now, not again in the next pass
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
