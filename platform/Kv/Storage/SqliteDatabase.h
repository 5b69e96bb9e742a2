#pragma once

#include <string>

struct sqlite3;

namespace Kv {

// An open SQLite database. Failures throw std::runtime_error with SQLite's
// message; callers turn them into StorageErrors that name the document.
class SqliteDatabase {
public:
    enum Mode { ReadOnly, CreateNew };

    SqliteDatabase(const std::string& path, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void exec(const std::string& sql);
    bool hasTable(const std::string& name);
    sqlite3* handle() const { return m_db; }
    // Closes now, reporting a failure to flush (the destructor cannot).
    void close();

private:
    sqlite3* m_db = nullptr;
};

} // namespace Kv
