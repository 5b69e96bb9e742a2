#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/Scene/INodeSource.h"
#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/Ref.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

namespace Kv::Scene {

class SceneManager;

// What the scene manager keeps for one connected source: its node and what
// is to be realised on it.
class NodeData {
public:
    // Aspects of a node that realisation brings up to date, as flags.
    enum Aspect : unsigned {
        kTransform = 1,
        kGeometry = 2,
        kAppearance = 4,
        kChildNodes = 8,
        kEverything = 15,
    };
    // The aspects a change of `changeType` affects: 2 (geometry and
    // placement) the geometry and transform, 8 the appearance, 1 (properties
    // such as extents and combs) the geometry and appearance, 0xFFFF all of
    // them and the child nodes; counters (0) and names (16) none.
    static unsigned aspectsOf(unsigned changeType);

    INodeSource* source() const { return m_source; }
    SceneManager* manager() const { return m_manager; }
    Wyn::Graphics::ARenderNode* node() const { return m_node.get(); }
    unsigned dirty() const { return m_dirty; }
    bool isDirty() const { return m_dirty != 0; }

    // Marks what a change of `changeType` affects. A record of a source that
    // is not in a scene takes the mark and forgets it.
    void revalidate(unsigned changeType) { mark(aspectsOf(changeType)); }
    void mark(unsigned aspects);

    // The record of sources in no scene: it has no node and keeps no marks.
    static NodeData* detached();

private:
    friend class SceneManager;
    friend class NodeChange;
    using ChildNodes = std::vector<Wyn::Objects::Ref<Wyn::Graphics::ARenderNode>>;
    static constexpr uint32_t kNotPending = UINT32_MAX;

    // Records live in the scene manager's blocks; a free one has no source.
    NodeData() = default;
    // The list of child nodes, made when the first is added.
    ChildNodes& childNodes();

    SceneManager* m_manager = nullptr;
    INodeSource* m_source = nullptr;
    // Tells this connection of the record apart from earlier and later ones.
    uint64_t m_sequence = 0;
    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> m_node;
    // Nodes the source added while its child nodes were realised; most
    // sources add none and have no list.
    std::unique_ptr<ChildNodes> m_childNodes;
    uint32_t m_pendingSlot = kNotPending; // place in the manager's pending list
    uint8_t m_dirty = kEverything;
    bool m_made = false; // onCreateScene ran, whether or not it made a node
    bool m_top = false;  // its node hangs below the scene's root
};

// The scene record of a source, or the detached record when the source is in
// no scene, so that `nodeData(point)->revalidate(8)` is safe to write anywhere.
NodeData* nodeData(const INodeSource* source);

template <class T> NodeData* nodeData(const T* object) {
    if constexpr (std::is_base_of_v<INodeSource, T>)
        return nodeData(static_cast<const INodeSource*>(object));
    else
        return nodeData(dynamic_cast<const INodeSource*>(object));
}
template <class T> NodeData* nodeData(const StrongRef<T>& object) {
    return nodeData(object.get());
}
template <class T> NodeData* nodeData(const PassiveRef<T>& object) {
    return nodeData(object.getTarget());
}

} // namespace Kv::Scene
