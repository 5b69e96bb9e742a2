#pragma once

#include "Kv/Base/UniqueString.h"
#include "Kv/CommonData/CommonBaseEntity.h"

#include <vector>

namespace Kv::Managed {

// A segment's root entity listing elements of one class, so that code that
// only knows a segment can find them. Element edits are undoable.
class ManagedRootCollection : public CommonData::CommonBaseEntity {
public:
    const UniqueString& rootId() const { return m_rootId; }
    EntityMetaType* elementMetaType() const { return m_elementMetaType; }

    size_t elementCount() const { return m_elements.size(); }
    StrongRef<Entity> element(size_t index) const;
    const std::vector<StrongRef<Entity>>& elements() const { return m_elements; }
    bool containsElement(const Entity* element) const;
    void addElement(const StrongRef<Entity>& element);
    bool removeElement(const Entity* element);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Managed::ManagedRootCollection")

    // Registers the collection as the segment's root entity `rootId`; loading
    // calls it once the segment's root table is read.
    void setRoot(const UniqueString& rootId, EntityMetaType* elementMetaType);

    void replayInsertChild(size_t index, Entity* element) override;
    void replayRemoveChild(size_t index, Entity* element) override;

protected:
    // Registers the collection as the segment's root entity `rootId`.
    ManagedRootCollection(Segment* segment, const UniqueString& rootId,
                          EntityMetaType* elementMetaType);
    ManagedRootCollection(Segment* segment, uint64_t id);

private:
    UniqueString m_rootId;
    EntityMetaType* m_elementMetaType = nullptr;
    std::vector<StrongRef<Entity>> m_elements;
};

} // namespace Kv::Managed
