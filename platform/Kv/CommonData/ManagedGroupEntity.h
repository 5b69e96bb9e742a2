#pragma once

#include "Kv/CommonData/CommonBaseEntity.h"
#include "Kv/DataModel/DataChange.h"

#include <memory>
#include <vector>

namespace Kv::Managed {

// An entity with ordered, owned children. Adding, inserting, moving and
// removing a child are recorded as operations of their own, so undo costs
// what the edit cost, however many children the group has.
class ManagedGroupEntity : public CommonData::CommonBaseEntity {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    const std::vector<StrongRef<Entity>>& children() const {
        return m_block ? m_block->children : noChildren();
    }
    size_t childCount() const { return m_block ? m_block->children.size() : 0; }
    StrongRef<Entity> child(size_t index) const;
    // Position of `child` among the children, or npos.
    size_t indexOf(const Entity* child) const;

    void addChild(const StrongRef<Entity>& child);
    void insertChild(size_t index, const StrongRef<Entity>& child);
    // Runs the child's pre-deletion (and its descendants'), then detaches it.
    // False when `child` is not a child of this group.
    bool removeChild(const StrongRef<Entity>& child, int kind = kTransactDo);
    // Moves a child to `index` (counted after taking it out).
    bool moveChild(const Entity* child, size_t index);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Managed::ManagedGroupEntity")

    void replayInsertChild(size_t index, Entity* child) override;
    void replayRemoveChild(size_t index, Entity* child) override;

protected:
    using CommonBaseEntity::CommonBaseEntity;

    // A new group entity made with this group as its parent becomes its last
    // child; other entities made under it (lists, coordinate systems) are
    // owned through references instead.
    void onChildCreated(Entity* child, int kind) override;
    // Pre-deletion of a group runs the children's pre-deletion, last first.
    void onPreDeletion(int kind) override;

    // Told about every change of membership, including undo and redo, so that
    // indexes kept beside the children stay right.
    virtual void onChildAdded(Entity*) {}
    virtual void onChildRemoved(Entity*) {}

private:
    // Most group entities (every curve and point) never have children, so
    // the lists live in a block made for the first child and let go once
    // the group is empty again.
    struct ChildBlock {
        std::vector<StrongRef<Entity>> children;
        std::vector<const Entity*> insertedWhileCreating; // until their onChildCreated
    };
    static const std::vector<StrongRef<Entity>>& noChildren();
    ChildBlock& block();
    void releaseBlockIfEmpty();
    void attach(size_t index, Entity* child);
    void detach(size_t index);

    std::unique_ptr<ChildBlock> m_block;
};

} // namespace Kv::Managed
