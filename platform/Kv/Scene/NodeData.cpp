#include "Kv/Scene/NodeData.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/Scene/SceneManager.h"

namespace Kv::Scene {

unsigned NodeData::aspectsOf(unsigned changeType) {
    if ((changeType & kChangeEverything) == kChangeEverything)
        return kEverything;
    unsigned aspects = 0;
    if (changeType & kChangeProperties)
        aspects |= kGeometry | kAppearance;
    if (changeType & kChangeGeometry)
        aspects |= kGeometry | kTransform;
    if (changeType & kChangeAppearance)
        aspects |= kAppearance;
    return aspects;
}

void NodeData::mark(unsigned aspects) {
    aspects &= kEverything;
    if (!m_manager || !aspects)
        return;
    m_dirty = uint8_t(m_dirty | aspects);
    m_manager->queue(this);
}

NodeData::ChildNodes& NodeData::childNodes() {
    if (!m_childNodes)
        m_childNodes = std::make_unique<ChildNodes>();
    return *m_childNodes;
}

NodeData* NodeData::detached() {
    static NodeData none;
    none.m_dirty = 0;
    return &none;
}

NodeData* nodeData(const INodeSource* source) {
    NodeData* record = source ? source->sceneRecord() : nullptr;
    return record ? record : NodeData::detached();
}

} // namespace Kv::Scene
