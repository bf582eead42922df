#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3;

namespace corvane {

class SQLiteStatement;

// A thin owner of one SQLite connection. Results are SQLite's own codes; only this folder sees
// the C interface, so the codes and flags callers need are repeated here.
class SQLiteDB {
public:
    static constexpr int Ok = 0;
    static constexpr int Busy = 5;
    static constexpr int Locked = 6;
    static constexpr int Misuse = 21;
    static constexpr int Row = 100;
    static constexpr int Done = 101;

    static constexpr int OpenReadWrite = 0x2;
    static constexpr int OpenCreate = 0x4;
    static constexpr int OpenFullMutex = 0x10000;

    using ExecCallback = int (*)(void* context, int columns, char** values, char** names);

    SQLiteDB() = default;
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes any open connection first. The key is accepted for the caller's sake but no cipher
    // is built in, so a non-empty key fails instead of opening the file unencrypted. A file that
    // is not a database fails too and is left untouched.
    bool Open(const char* path, std::string_view key, int flags);
    // False when SQLite refuses (the handle is then kept).
    bool Close();
    bool IsOpen() const { return m_handle != nullptr; }

    // Finalizes what the statement held before. A negative length counts the terminator.
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
    int Execute(const char* sql, ExecCallback callback = nullptr, void* context = nullptr);
    // -1 without a connection.
    int64_t LastInsertRowId() const;

private:
    sqlite3* m_handle = nullptr;
};

} // namespace corvane
