#include "Kv/Storage/EntityRowStream.h"

#include "Kv/Storage/SqliteStatement.h"

namespace Kv {

EntityRowStream::EntityRowStream(SqliteDatabase& db)
    : m_reader([this, &db] { read(db); }) {}

EntityRowStream::~EntityRowStream() {
    m_rows.stop();
    m_reader.join();
}

void EntityRowStream::read(SqliteDatabase& db) {
    try {
        SqliteStatement rows(db, "SELECT segment, id, metatype, parent_segment, parent_id, "
                                 "child_index, members FROM entities ORDER BY rowid");
        while (rows.step()) {
            EntityRow row;
            row.segment = rows.integer(0);
            row.id = rows.integer(1);
            // The identifier's bytes as they are stored: reading them as text
            // would make SQLite copy them to add a terminator.
            row.metaType = rows.blob(2);
            // Segment keys start at 1: only a 0 may be the null of no owner.
            row.parentSegment = rows.integer(3);
            row.hasParent = row.parentSegment != 0 || !rows.isNull(3);
            row.parentId = rows.integer(4);
            row.childIndex = rows.integer(5);
            row.members = rows.blob(6);
            if (!m_rows.put(row))
                return; // the caller gave up
        }
        m_rows.close();
    } catch (...) {
        m_rows.fail(std::current_exception());
    }
}

} // namespace Kv
