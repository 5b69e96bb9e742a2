#pragma once

#include "Kv/Storage/EntityRow.h"
#include "Kv/Storage/EntityRowQueue.h"

#include <thread>

namespace Kv {

class SqliteDatabase;

// Rows for a document's entities table, inserted by a thread of its own while
// the caller encodes the next entities, so that saving a large document takes
// about the longer of the two rather than their sum.
//
// While the sink lives, the database belongs to its thread: the caller must
// not use it until finish() has returned or the sink is destroyed. Whatever
// the inserting thread meets (a full disk, say) is thrown from the caller's
// next add() or from finish().
class EntityRowSink {
public:
    explicit EntityRowSink(SqliteDatabase& db);
    // Stops the inserting thread; rows not yet inserted are dropped.
    ~EntityRowSink();
    EntityRowSink(const EntityRowSink&) = delete;
    EntityRowSink& operator=(const EntityRowSink&) = delete;

    // The row's bytes are copied: they may change once this returns.
    void add(const EntityRow& row);
    // Waits until every row added is in the table.
    void finish();

private:
    void insert(SqliteDatabase& db);

    EntityRowQueue m_rows;
    std::thread m_inserter;
};

} // namespace Kv
