#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/Entity.h"

#include <string>
#include <vector>

namespace Kv {

class Asset;
class Entity;

// The recorded changes, creations and group edits of one command, in the
// order they happened. Undo plays them back in reverse, redo forward. The
// transaction holds strong references to every entity it touched, so undo
// and redo restore the very same objects.
class Transaction {
public:
    Transaction(Asset* asset, std::string name)
        : m_asset(asset)
        , m_name(std::move(name)) {}

    const std::string& name() const { return m_name; }
    Asset* asset() const { return m_asset; }
    bool empty() const;
    size_t size() const { return m_ops.size(); }

    // A change slot is reserved when the change opens, so that nested changes
    // keep the order they were opened in, and filled when it closes.
    size_t reserveChange(Entity* entity, std::string before,
                         std::vector<StrongRef<Entity>> keepAlive);
    void completeChange(size_t slot, std::string after, std::vector<StrongRef<Entity>> keepAlive);
    void recordCreation(Entity* entity);
    void recordInsertChild(Entity* parent, size_t index, Entity* child);
    void recordRemoveChild(Entity* parent, size_t index, Entity* child);

    // Plays every operation back (undo) or forward again (redo).
    void undo();
    void redo();
    // Undoes the operations after the first `mark` ones and forgets them.
    void rollBackTo(size_t mark);

private:
    enum class OpKind { Change, Creation, InsertChild, RemoveChild };
    struct Op {
        OpKind kind;
        StrongRef<Entity> entity; // the changed or created entity, or the parent
        StrongRef<Entity> child;
        size_t index = 0;
        std::string before, after;
        std::vector<StrongRef<Entity>> keepAlive;
        bool complete = false;
    };
    void undoOp(Op& op);
    void redoOp(Op& op);
    void applySnapshot(Entity* entity, const std::string& snapshot);

    Asset* m_asset;
    std::string m_name;
    std::vector<Op> m_ops;
};

} // namespace Kv
