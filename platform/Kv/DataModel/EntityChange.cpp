#include "Kv/DataModel/EntityChange.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/Transaction.h"

namespace Kv {
namespace {

std::string snapshot(Entity* entity, std::vector<StrongRef<Entity>>& keepAlive) {
    MemberContext context;
    context.keepAlive = &keepAlive;
    return MemberCodec::encode(entity, context);
}

} // namespace

EntityChange::EntityChange(Entity* entity, int kind, unsigned changeType, int timing,
                           DataChange* parent, bool notify)
    : m_entity(entity)
    , m_kind(kind)
    , m_changeType(changeType)
    , m_timing(timing)
    , m_parent(parent)
    , m_notify(notify) {
    if (m_notify)
        m_entity->notifyPreChange(*this);
    Asset* asset = m_entity->asset();
    Transaction* transaction = asset ? asset->currentTransaction() : nullptr;
    if (!transaction || !DataChange::test(kind, kTransactDo) || asset->isReplaying() ||
        m_entity->isCreating() || m_entity->m_recordingChanges > 0)
        return;
    std::vector<StrongRef<Entity>> keepAlive;
    std::string before = snapshot(m_entity, keepAlive);
    m_slot = transaction->reserveChange(m_entity, std::move(before), std::move(keepAlive));
    m_transaction = transaction;
    m_recorded = true;
    ++m_entity->m_recordingChanges;
}

EntityChange::~EntityChange() {
    if (m_recorded) {
        --m_entity->m_recordingChanges;
        std::vector<StrongRef<Entity>> keepAlive;
        std::string after = snapshot(m_entity, keepAlive);
        m_transaction->completeChange(m_slot, std::move(after), std::move(keepAlive));
    }
    if (m_notify)
        m_entity->notifyPostChange(*this);
}

} // namespace Kv
