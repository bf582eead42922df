#include "store/SQLiteDB.h"

#include "store/SQLiteStatement.h"

#include <sqlite3.h>

#include <cstring>

namespace corvane {

static_assert(SQLiteDB::Ok == SQLITE_OK && SQLiteDB::Busy == SQLITE_BUSY && SQLiteDB::Locked == SQLITE_LOCKED);
static_assert(SQLiteDB::Misuse == SQLITE_MISUSE && SQLiteDB::Row == SQLITE_ROW && SQLiteDB::Done == SQLITE_DONE);
static_assert(SQLiteDB::OpenReadWrite == SQLITE_OPEN_READWRITE && SQLiteDB::OpenCreate == SQLITE_OPEN_CREATE &&
              SQLiteDB::OpenFullMutex == SQLITE_OPEN_FULLMUTEX);

SQLiteDB::~SQLiteDB()
{
    if (m_handle) {
        sqlite3_interrupt(m_handle);
        Close();
    }
}

bool SQLiteDB::Open(const char* path, std::string_view key, int flags)
{
    if (m_handle) {
        sqlite3_interrupt(m_handle);
        if (!Close())
            return false; // opening over it would leak the old connection
    }
    if (!path || !key.empty())
        return false;
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path, &handle, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(handle);
        return false;
    }
    m_handle = handle;
    Execute("PRAGMA synchronous = OFF; ");
    // sqlite3_open_v2 reads nothing, so a file that is not a database would pass as opened.
    // A lock held by another connection says nothing about the file; that one stays open.
    const int probe = Execute("SELECT count(*) FROM sqlite_master");
    if (probe != Ok && probe != Busy && probe != Locked) {
        Close();
        return false;
    }
    return true;
}

bool SQLiteDB::Close()
{
    if (!m_handle)
        return true;
    if (sqlite3_close(m_handle) != SQLITE_OK)
        return false;
    m_handle = nullptr;
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length)
{
    statement.Finalize();
    if (!m_handle || !sql)
        return Misuse;
    if (length < 0)
        length = static_cast<int>(std::strlen(sql)) + 1;
    return sqlite3_prepare_v2(m_handle, sql, length, &statement.m_statement, nullptr);
}

int SQLiteDB::Execute(const char* sql, ExecCallback callback, void* context)
{
    if (!m_handle || !sql)
        return Misuse;
    return sqlite3_exec(m_handle, sql, callback, context, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const
{
    if (!m_handle)
        return -1;
    return sqlite3_last_insert_rowid(m_handle);
}

} // namespace corvane
