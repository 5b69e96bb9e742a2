#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace Kv {

class SqliteDatabase;

// A prepared SQLite statement with typed binding and column access.
class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& db, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, int64_t value);
    void bind(int index, const std::string& value);
    void bindBlob(int index, std::string_view value);
    // Without a copy: the bytes must stay as they are until the statement is
    // run or reset.
    void bindStatic(int index, std::string_view value);
    void bindStaticBlob(int index, std::string_view value);
    // Advances to the next row; false when there is none.
    bool step();
    // Runs a statement that returns no rows, then resets it for reuse.
    void run();
    void reset();

    int64_t integer(int column) const;
    std::string text(int column) const;
    // The text itself, valid until the next step or reset.
    std::string_view textView(int column) const;
    std::string_view blob(int column) const;
    bool isNull(int column) const;

private:
    SqliteDatabase& m_db;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace Kv
