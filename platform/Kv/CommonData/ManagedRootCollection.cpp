#include "Kv/CommonData/ManagedRootCollection.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/DataModel/Transaction.h"

#include <algorithm>

namespace Kv::Managed {

ManagedRootCollection::ManagedRootCollection(Segment* segment, const UniqueString& rootId,
                                             EntityMetaType* elementMetaType)
    : CommonBaseEntity(segment) {
    setRoot(rootId, elementMetaType);
}

ManagedRootCollection::ManagedRootCollection(Segment* segment, uint64_t id)
    : CommonBaseEntity(segment, id) {}

void ManagedRootCollection::setRoot(const UniqueString& rootId, EntityMetaType* elementMetaType) {
    m_rootId = rootId;
    m_elementMetaType = elementMetaType;
    segment()->setRootEntity(rootId, StrongRef<Entity>(this));
}

StrongRef<Entity> ManagedRootCollection::element(size_t index) const {
    return index < m_elements.size() ? m_elements[index] : StrongRef<Entity>();
}

bool ManagedRootCollection::containsElement(const Entity* element) const {
    return std::any_of(m_elements.begin(), m_elements.end(),
                       [element](const StrongRef<Entity>& e) { return e.get() == element; });
}

void ManagedRootCollection::addElement(const StrongRef<Entity>& element) {
    if (!element || containsElement(element.get()))
        return;
    m_elements.push_back(element);
    Asset* a = asset();
    if (a && !a->isReplaying() && a->currentTransaction())
        a->currentTransaction()->recordInsertChild(this, m_elements.size() - 1, element.get());
}

bool ManagedRootCollection::removeElement(const Entity* element) {
    auto it = std::find_if(m_elements.begin(), m_elements.end(),
                           [element](const StrongRef<Entity>& e) { return e.get() == element; });
    if (it == m_elements.end())
        return false;
    StrongRef<Entity> keep = *it;
    size_t index = static_cast<size_t>(it - m_elements.begin());
    m_elements.erase(it);
    Asset* a = asset();
    if (a && !a->isReplaying() && a->currentTransaction())
        a->currentTransaction()->recordRemoveChild(this, index, keep.get());
    return true;
}

void ManagedRootCollection::replayInsertChild(size_t index, Entity* element) {
    index = std::min(index, m_elements.size());
    m_elements.insert(m_elements.begin() + static_cast<std::ptrdiff_t>(index),
                      StrongRef<Entity>(element));
}

void ManagedRootCollection::replayRemoveChild(size_t index, Entity* element) {
    if (index < m_elements.size() && m_elements[index].get() == element)
        m_elements.erase(m_elements.begin() + static_cast<std::ptrdiff_t>(index));
    else
        removeElement(element);
}

void* ManagedRootCollection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

} // namespace Kv::Managed
