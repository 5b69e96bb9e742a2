#include "Kv/Scene/INodeSource.h"

#include "Kv/DataModel/Entity.h"
#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/NodeData.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/GroupNode.h"

namespace Kv::Scene {

INodeSource::~INodeSource() {
    if (m_record)
        m_record->manager()->forget(this);
}

SceneManager* INodeSource::sceneManager() const {
    return m_record ? m_record->manager() : nullptr;
}

void INodeSource::connectScene() {
    if (m_record)
        return;
    if (SceneManager* manager = SceneManager::of(nodeSourceEntity()))
        manager->connect(this);
}

void INodeSource::disconnectScene() {
    if (m_record)
        m_record->manager()->disconnect(this);
}

void INodeSource::onPostChangeScene(unsigned changeType) {
    if (m_record)
        m_record->revalidate(changeType);
}

Wyn::Graphics::ARenderNode* INodeSource::createScene() {
    SceneManager* manager = m_record ? m_record->manager() : SceneManager::of(nodeSourceEntity());
    return manager ? manager->createScene(this) : nullptr;
}

Wyn::Graphics::ARenderNode* INodeSource::sceneNode() const {
    return m_record ? m_record->node() : nullptr;
}

void INodeSource::sceneNode(Wyn::Graphics::ARenderNode*) {}

Wyn::Graphics::ARenderNode* INodeSource::parentGroupNode() const {
    const Entity* entity = nodeSourceEntity();
    for (Entity* e = entity ? entity->parentEntity() : nullptr; e; e = e->parentEntity())
        if (auto* parent = dynamic_cast<INodeSource*>(e))
            return dynamic_cast<Wyn::Graphics::GroupNode*>(parent->sceneNode());
    return nullptr;
}

void INodeSource::onCreateScene(NodeChange&) {}
void INodeSource::createChildNodes(NodeChange&) {}
void INodeSource::realizeChildNodes(NodeChange& change) {
    createChildNodes(change);
}
bool INodeSource::realizeAddedChild(NodeChange&, INodeSource*) {
    return false;
}
void INodeSource::realizeTransform(NodeChange&) {}
void INodeSource::realizeGeometry(NodeChange&) {}
void INodeSource::realizeGeometry(NodeChange& change, int) {
    realizeGeometry(change);
}
void INodeSource::realizeAppearance(NodeChange&) {}

void INodeSource::releaseScene() {
    if (Wyn::Graphics::ARenderNode* node = sceneNode())
        if (node->source() == this)
            node->source(nullptr);
}

Entity* INodeSource::nodeSourceEntity() {
    return dynamic_cast<Entity*>(this);
}

INodeSource* INodeSource::fromNode(const Wyn::Graphics::ARenderNode* node) {
    return node ? dynamic_cast<INodeSource*>(node->source()) : nullptr;
}

} // namespace Kv::Scene
