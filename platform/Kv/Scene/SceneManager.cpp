#include "Kv/Scene/SceneManager.h"

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

void SceneManager::connect(INodeSource* source) {
    if (!source || source->m_sceneManager == this)
        return;
    if (source->m_sceneManager)
        source->m_sceneManager->disconnect(source);
    m_records.emplace(source, std::unique_ptr<NodeData>(new NodeData(this, source, ++m_sequence)));
    source->m_sceneManager = this;
    markParentChildNodes(source);
}

void SceneManager::disconnect(INodeSource* source) {
    auto it = m_records.find(source);
    if (it == m_records.end())
        return;
    markParentChildNodes(source);
    std::unique_ptr<NodeData> gone = std::move(it->second);
    m_records.erase(it);
    source->m_sceneManager = nullptr;
    if (Wyn::Graphics::ARenderNode* node = gone->m_node.get()) {
        source->releaseScene();
        if (Wyn::Graphics::ARenderNode* parent = node->parent())
            parent->removeChild(node);
        clearSource(node, source);
    }
}

void SceneManager::forget(INodeSource* source) {
    auto it = m_records.find(source);
    if (it == m_records.end())
        return;
    std::unique_ptr<NodeData> gone = std::move(it->second);
    m_records.erase(it);
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

void SceneManager::markParentChildNodes(INodeSource* source) {
    if (NodeData* parent = record(parentSource(source)))
        parent->mark(NodeData::kChildNodes);
}

void SceneManager::revalidate(INodeSource* source, unsigned changeType) {
    if (NodeData* r = record(source))
        r->revalidate(changeType);
}

bool SceneManager::needsRealize() const {
    for (const auto& [source, r] : m_records)
        if (!r->m_made || (r->m_node && r->m_dirty))
            return true;
    return false;
}

std::vector<INodeSource*> SceneManager::orderedSources() const {
    std::vector<std::pair<std::pair<int, uint64_t>, INodeSource*>> keyed;
    keyed.reserve(m_records.size());
    for (const auto& [source, r] : m_records)
        keyed.push_back({{depth(source), r->m_sequence}, r->m_source});
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<INodeSource*> sources;
    sources.reserve(keyed.size());
    for (const auto& k : keyed)
        sources.push_back(k.second);
    return sources;
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
    r.m_dirty = NodeData::kEverything;
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
            for (auto& child : r.m_childNodes)
                if (child->parent() == node.get())
                    node->removeChild(child.get());
            r.m_childNodes.clear();
            NodeChange change(&r, node.get(), true, 0);
            source->realizeChildNodes(change);
        }
    } catch (...) {
        if (still())
            r.m_dirty |= todo; // what did not run is still to do
        throw;
    }
}

void SceneManager::attachTopNodes() {
    for (const auto& [source, r] : m_records) {
        Wyn::Graphics::ARenderNode* node = r->m_node.get();
        if (node && !node->parent() && !parentSource(source))
            m_root->addChild(node);
    }
    for (const auto& node : m_sceneRoots)
        if (!node->parent())
            m_root->addChild(node.get());
}

bool SceneManager::realize() {
    if (m_realizing || (m_asset && m_asset->inTransaction()))
        return false;
    Flag running(m_realizing);
    for (int pass = 0; pass < kMaxPasses && needsRealize(); ++pass) {
        for (INodeSource* source : orderedSources())
            if (NodeData* r = record(source); r && !r->m_made)
                makeNode(*r);
        attachTopNodes();
        for (INodeSource* source : orderedSources()) {
            NodeData* r = record(source);
            if (r && r->m_node && r->m_dirty)
                realizeRecord(*r);
        }
    }
    attachTopNodes();
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
    for (auto& [source, r] : m_records)
        if (r->m_node)
            r->mark(NodeData::kChildNodes);
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
