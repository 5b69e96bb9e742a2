#include "Kv/Storage/SqliteDatabase.h"

#include "Kv/Storage/SqliteStatement.h"

#include <sqlite3.h>
#include <stdexcept>

namespace Kv {

SqliteDatabase::SqliteDatabase(const std::string& path, Mode mode) {
    int flags =
        mode == ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error(message);
    }
}

SqliteDatabase::~SqliteDatabase() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

void SqliteDatabase::close() {
    if (m_db && sqlite3_close(m_db) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db));
    m_db = nullptr;
}

void SqliteDatabase::exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errmsg(m_db);
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

bool SqliteDatabase::hasTable(const std::string& name) {
    SqliteStatement query(*this, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
    query.bind(1, name);
    return query.step();
}

} // namespace Kv
