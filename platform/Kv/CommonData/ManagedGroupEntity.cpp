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

const std::vector<StrongRef<Entity>>& ManagedGroupEntity::noChildren() {
    static const std::vector<StrongRef<Entity>> none;
    return none;
}

ManagedGroupEntity::ChildBlock& ManagedGroupEntity::block() {
    if (!m_block)
        m_block = std::make_unique<ChildBlock>();
    return *m_block;
}

void ManagedGroupEntity::releaseBlockIfEmpty() {
    if (m_block && m_block->children.empty() && m_block->insertedWhileCreating.empty())
        m_block.reset();
}

StrongRef<Entity> ManagedGroupEntity::child(size_t index) const {
    return index < childCount() ? children()[index] : StrongRef<Entity>();
}

size_t ManagedGroupEntity::indexOf(const Entity* child) const {
    const auto& held = children();
    for (size_t i = held.size(); i > 0; --i) // recent children are asked for most
        if (held[i - 1].get() == child)
            return i - 1;
    return npos;
}

void ManagedGroupEntity::addChild(const StrongRef<Entity>& child) {
    insertChild(childCount(), child);
}

void ManagedGroupEntity::insertChild(size_t index, const StrongRef<Entity>& child) {
    if (!child)
        throw std::invalid_argument("a group cannot hold a null child");
    if (index > childCount())
        index = childCount();
    if (child->isCreating())
        block().insertedWhileCreating.push_back(child.get());
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
    StrongRef<Entity> keep = children()[from];
    replayRemoveChild(from, keep.get());
    if (Transaction* transaction = recordingTransaction(this))
        transaction->recordRemoveChild(this, from, keep.get());
    insertChild(index, keep);
    return true;
}

void ManagedGroupEntity::replayInsertChild(size_t index, Entity* child) {
    attach(std::min(index, childCount()), child);
}

void ManagedGroupEntity::replayRemoveChild(size_t index, Entity* child) {
    if (index >= childCount() || children()[index].get() != child)
        index = indexOf(child);
    if (index != npos)
        detach(index);
}

void ManagedGroupEntity::attach(size_t index, Entity* child) {
    auto& held = block().children;
    held.insert(held.begin() + static_cast<std::ptrdiff_t>(index), StrongRef<Entity>(child));
    child->setParentEntity(this);
    onChildAdded(child);
}

void ManagedGroupEntity::detach(size_t index) {
    auto& held = m_block->children;
    StrongRef<Entity> child = std::move(held[index]);
    held.erase(held.begin() + static_cast<std::ptrdiff_t>(index));
    releaseBlockIfEmpty();
    onChildRemoved(child.get());
}

void ManagedGroupEntity::onChildCreated(Entity* child, int) {
    if (!::Kv::queryInterface<ManagedGroupEntity>(child))
        return;
    // Only a child its maker inserted before finishing it can be here already;
    // searching the whole group instead would make every creation cost the group.
    if (m_block) {
        auto& early = m_block->insertedWhileCreating;
        if (auto it = std::find(early.begin(), early.end(), child); it != early.end()) {
            early.erase(it);
            const bool inserted = indexOf(child) != npos;
            releaseBlockIfEmpty();
            if (inserted)
                return;
        }
    }
    size_t index = childCount();
    attach(index, child);
    if (Transaction* transaction = recordingTransaction(this))
        transaction->recordInsertChild(this, index, child);
}

void ManagedGroupEntity::onPreDeletion(int kind) {
    std::vector<StrongRef<Entity>> held = children();
    for (size_t i = held.size(); i > 0; --i)
        held[i - 1]->runPreDeletion(kind);
    CommonBaseEntity::onPreDeletion(kind);
}

void* ManagedGroupEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

} // namespace Kv::Managed
