#pragma once

#include "Kv/Storage/EntityRow.h"
#include "Kv/Storage/EntityRowQueue.h"

#include <thread>

namespace Kv {

class SqliteDatabase;

// The rows of a document's entities table in the order they are stored, read
// by a thread of its own a few batches ahead of the caller. SQLite's reading
// and the caller's making of entities then overlap, so that opening a large
// document takes about the longer of the two rather than their sum.
//
// While the stream lives, the database belongs to its thread: the caller
// must not use it until the stream is destroyed. Whatever the reading thread
// meets (a damaged file, say) is thrown from next().
class EntityRowStream {
public:
    explicit EntityRowStream(SqliteDatabase& db);
    // Stops the reading thread, even when rows are still to come.
    ~EntityRowStream();
    EntityRowStream(const EntityRowStream&) = delete;
    EntityRowStream& operator=(const EntityRowStream&) = delete;

    // The next row, false after the last. The views stay valid until the next
    // call.
    bool next(EntityRow& row) { return m_rows.next(row); }

private:
    void read(SqliteDatabase& db);

    EntityRowQueue m_rows;
    std::thread m_reader;
};

} // namespace Kv
