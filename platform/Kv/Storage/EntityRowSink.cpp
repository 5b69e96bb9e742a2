#include "Kv/Storage/EntityRowSink.h"

#include "Kv/Storage/SqliteStatement.h"

namespace Kv {

EntityRowSink::EntityRowSink(SqliteDatabase& db)
    : m_inserter([this, &db] { insert(db); }) {}

EntityRowSink::~EntityRowSink() {
    if (!m_inserter.joinable())
        return;
    m_rows.stop();
    m_inserter.join();
}

void EntityRowSink::add(const EntityRow& row) {
    m_rows.put(row);
}

void EntityRowSink::finish() {
    m_rows.close();
    m_inserter.join();
    m_rows.rethrowIfFailed();
}

void EntityRowSink::insert(SqliteDatabase& db) {
    try {
        SqliteStatement insert(db, "INSERT INTO entities VALUES (?, ?, ?, ?, ?, ?, ?)");
        EntityRow row;
        while (m_rows.next(row)) {
            insert.bind(1, row.segment);
            insert.bind(2, row.id);
            insert.bindStatic(3, row.metaType);
            if (row.hasParent) {
                insert.bind(4, row.parentSegment);
                insert.bind(5, row.parentId);
            }
            insert.bind(6, row.childIndex);
            insert.bindStaticBlob(7, row.members);
            insert.run();
        }
    } catch (...) {
        m_rows.fail(std::current_exception());
    }
}

} // namespace Kv
