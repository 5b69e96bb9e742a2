#include "Kv/Storage/SqliteStatement.h"

#include "Kv/Storage/SqliteDatabase.h"

#include <sqlite3.h>
#include <stdexcept>

namespace Kv {

SqliteStatement::SqliteStatement(SqliteDatabase& db, const std::string& sql)
    : m_db(db) {
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &m_statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.handle()));
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, int64_t value) {
    if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db.handle()));
}

void SqliteStatement::bind(int index, const std::string& value) {
    if (sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db.handle()));
}

void SqliteStatement::bindBlob(int index, std::string_view value) {
    if (sqlite3_bind_blob64(m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db.handle()));
}

void SqliteStatement::bindStatic(int index, std::string_view value) {
    if (sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_STATIC) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db.handle()));
}

void SqliteStatement::bindStaticBlob(int index, std::string_view value) {
    if (sqlite3_bind_blob64(m_statement, index, value.data(), value.size(), SQLITE_STATIC) !=
        SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db.handle()));
}

bool SqliteStatement::step() {
    int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw std::runtime_error(sqlite3_errmsg(m_db.handle()));
}

void SqliteStatement::run() {
    step();
    reset();
}

void SqliteStatement::reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::text(int column) const {
    return std::string(textView(column));
}

std::string_view SqliteStatement::textView(int column) const {
    const unsigned char* t = sqlite3_column_text(m_statement, column);
    return t ? std::string_view(reinterpret_cast<const char*>(t),
                                static_cast<size_t>(sqlite3_column_bytes(m_statement, column)))
             : std::string_view();
}

std::string_view SqliteStatement::blob(int column) const {
    const void* data = sqlite3_column_blob(m_statement, column);
    int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<size_t>(size))
                : std::string_view();
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

} // namespace Kv
