#include "Kv/DataModel/Transaction.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"

#include <algorithm>

namespace Kv {

bool Transaction::empty() const {
    return std::none_of(m_ops.begin(), m_ops.end(), [](const Op& op) {
        return op.kind != OpKind::Change || (op.complete && op.before != op.after);
    });
}

size_t Transaction::reserveChange(Entity* entity, std::string before,
                                  std::vector<StrongRef<Entity>> keepAlive) {
    Op op{OpKind::Change,
          StrongRef<Entity>(entity),
          {},
          0,
          std::move(before),
          {},
          std::move(keepAlive),
          false};
    m_ops.push_back(std::move(op));
    return m_ops.size() - 1;
}

void Transaction::completeChange(size_t slot, std::string after,
                                 std::vector<StrongRef<Entity>> keepAlive) {
    if (slot >= m_ops.size())
        return; // rolled back while the change was open
    Op& op = m_ops[slot];
    op.after = std::move(after);
    op.keepAlive.insert(op.keepAlive.end(), std::make_move_iterator(keepAlive.begin()),
                        std::make_move_iterator(keepAlive.end()));
    op.complete = true;
}

void Transaction::recordCreation(Entity* entity) {
    m_ops.push_back(Op{OpKind::Creation, StrongRef<Entity>(entity), {}, 0, {}, {}, {}, true});
}

void Transaction::recordInsertChild(Entity* parent, size_t index, Entity* child) {
    m_ops.push_back(Op{OpKind::InsertChild,
                       StrongRef<Entity>(parent),
                       StrongRef<Entity>(child),
                       index,
                       {},
                       {},
                       {},
                       true});
}

void Transaction::recordRemoveChild(Entity* parent, size_t index, Entity* child) {
    m_ops.push_back(Op{OpKind::RemoveChild,
                       StrongRef<Entity>(parent),
                       StrongRef<Entity>(child),
                       index,
                       {},
                       {},
                       {},
                       true});
}

void Transaction::applySnapshot(Entity* entity, const std::string& snapshot) {
    // A replayed change notifies like any other, so that observers and the
    // scene follow, but it is not recorded again.
    EntityChange change(entity, kTransactReplay | kTransactNoUndo, kChangeEverything, 3);
    MemberContext context;
    context.asset = m_asset;
    MemberCodec::decode(entity, entity->metaType()->memberSet(), snapshot, context);
}

void Transaction::undoOp(Op& op) {
    switch (op.kind) {
    case OpKind::Change:
        if (op.complete && op.before != op.after)
            applySnapshot(op.entity.get(), op.before);
        break;
    case OpKind::Creation:
        break; // the entity stays alive in the op; its group edit is undone on its own
    case OpKind::InsertChild:
        op.entity->replayRemoveChild(op.index, op.child.get());
        break;
    case OpKind::RemoveChild:
        op.entity->replayInsertChild(op.index, op.child.get());
        break;
    }
}

void Transaction::redoOp(Op& op) {
    switch (op.kind) {
    case OpKind::Change:
        if (op.complete && op.before != op.after)
            applySnapshot(op.entity.get(), op.after);
        break;
    case OpKind::Creation:
        break;
    case OpKind::InsertChild:
        op.entity->replayInsertChild(op.index, op.child.get());
        break;
    case OpKind::RemoveChild:
        op.entity->replayRemoveChild(op.index, op.child.get());
        break;
    }
}

void Transaction::undo() {
    Asset::ReplayScope replay(m_asset);
    for (size_t i = m_ops.size(); i > 0; --i)
        undoOp(m_ops[i - 1]);
}

void Transaction::rollBackTo(size_t mark) {
    {
        Asset::ReplayScope replay(m_asset);
        for (size_t i = m_ops.size(); i > mark; --i)
            undoOp(m_ops[i - 1]);
    }
    m_ops.erase(m_ops.begin() + static_cast<std::ptrdiff_t>(mark), m_ops.end());
}

void Transaction::redo() {
    Asset::ReplayScope replay(m_asset);
    for (Op& op : m_ops)
        redoOp(op);
}

} // namespace Kv
