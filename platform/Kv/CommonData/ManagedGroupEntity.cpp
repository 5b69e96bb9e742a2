#include "Kv/CommonData/ManagedGroupEntity.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Transaction.h"

#include <algorithm>
#include <stdexcept>

namespace Kv::Managed {
namespace {

Transaction* recordingTransaction(Entity* entity) {
    Asset* asset = entity->asset();
    if (!asset || asset->isReplaying())
        return nullptr;
    return asset->currentTransaction();
}

} // namespace

StrongRef<Entity> ManagedGroupEntity::child(size_t index) const {
    return index < m_children.size() ? m_children[index] : StrongRef<Entity>();
}

size_t ManagedGroupEntity::indexOf(const Entity* child) const {
    for (size_t i = m_children.size(); i > 0; --i) // recent children are asked for most
        if (m_children[i - 1].get() == child)
            return i - 1;
    return npos;
}

void ManagedGroupEntity::addChild(const StrongRef<Entity>& child) {
    insertChild(m_children.size(), child);
}

void ManagedGroupEntity::insertChild(size_t index, const StrongRef<Entity>& child) {
    if (!child)
        throw std::invalid_argument("a group cannot hold a null child");
    if (index > m_children.size())
        index = m_children.size();
    if (child->isCreating())
        m_insertedWhileCreating.push_back(child.get());
    attach(index, child.get());
    if (Transaction* transaction = recordingTransaction(this))
        transaction->recordInsertChild(this, index, child.get());
}

bool ManagedGroupEntity::removeChild(const StrongRef<Entity>& child, int kind) {
    size_t index = indexOf(child.get());
    if (index == npos)
        return false;
    StrongRef<Entity> keep = child; // the group may hold the last reference
    keep->runPreDeletion(kind);
    index = indexOf(keep.get()); // pre-deletion may have reordered siblings
    if (index == npos)
        return false;
    detach(index);
    if (Transaction* transaction = recordingTransaction(this))
        transaction->recordRemoveChild(this, index, keep.get());
    return true;
}

bool ManagedGroupEntity::moveChild(const Entity* child, size_t index) {
    size_t from = indexOf(child);
    if (from == npos)
        return false;
    StrongRef<Entity> keep = m_children[from];
    replayRemoveChild(from, keep.get());
    if (Transaction* transaction = recordingTransaction(this))
        transaction->recordRemoveChild(this, from, keep.get());
    insertChild(index, keep);
    return true;
}

void ManagedGroupEntity::replayInsertChild(size_t index, Entity* child) {
    attach(std::min(index, m_children.size()), child);
}

void ManagedGroupEntity::replayRemoveChild(size_t index, Entity* child) {
    if (index >= m_children.size() || m_children[index].get() != child)
        index = indexOf(child);
    if (index != npos)
        detach(index);
}

void ManagedGroupEntity::attach(size_t index, Entity* child) {
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index),
                      StrongRef<Entity>(child));
    child->setParentEntity(this);
    onChildAdded(child);
}

void ManagedGroupEntity::detach(size_t index) {
    StrongRef<Entity> child = std::move(m_children[index]);
    m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
    onChildRemoved(child.get());
}

void ManagedGroupEntity::onChildCreated(Entity* child, int) {
    if (!::Kv::queryInterface<ManagedGroupEntity>(child))
        return;
    // Only a child its maker inserted before finishing it can be here already;
    // searching the whole group instead would make every creation cost the group.
    auto early = std::find(m_insertedWhileCreating.begin(), m_insertedWhileCreating.end(), child);
    if (early != m_insertedWhileCreating.end()) {
        m_insertedWhileCreating.erase(early);
        if (indexOf(child) != npos)
            return;
    }
    size_t index = m_children.size();
    attach(index, child);
    if (Transaction* transaction = recordingTransaction(this))
        transaction->recordInsertChild(this, index, child);
}

void ManagedGroupEntity::onPreDeletion(int kind) {
    std::vector<StrongRef<Entity>> children = m_children;
    for (size_t i = children.size(); i > 0; --i)
        children[i - 1]->runPreDeletion(kind);
    CommonBaseEntity::onPreDeletion(kind);
}

void* ManagedGroupEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

} // namespace Kv::Managed
