#pragma once

#include <cstddef>
#include <string>

namespace Kv {

class DataChange;
class Entity;
class Transaction;

// Scoped record of one change to an entity, opened just before a persisted
// member is written and closed right after. Opening tells the entity and its
// observers; a recorded change (kind with kTransactDo, inside a transaction)
// snapshots the entity's members on open and close so that undo and redo can
// restore either state. A change nested in another recorded change of the same
// entity is covered by the outer one.
class EntityChange {
public:
    EntityChange(Entity* entity, int kind, unsigned changeType, int timing,
                 DataChange* parent = nullptr, bool notify = true);
    ~EntityChange();
    EntityChange(const EntityChange&) = delete;
    EntityChange& operator=(const EntityChange&) = delete;

    Entity* entity() const { return m_entity; }
    int kind() const { return m_kind; }
    unsigned changeType() const { return m_changeType; }
    int timing() const { return m_timing; }
    DataChange* parent() const { return m_parent; }
    bool isRecorded() const { return m_recorded; }

private:
    Entity* m_entity;
    int m_kind;
    unsigned m_changeType;
    int m_timing;
    DataChange* m_parent;
    bool m_notify;
    Transaction* m_transaction = nullptr;
    bool m_recorded = false;
    size_t m_slot = 0;
};

} // namespace Kv
