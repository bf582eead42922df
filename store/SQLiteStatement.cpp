#include "store/SQLiteStatement.h"

#include "store/SQLiteDB.h"

#include <sqlite3.h>

namespace corvane {

SQLiteStatement::~SQLiteStatement()
{
    Finalize();
}

int SQLiteStatement::BindInt(int index, int value)
{
    if (!m_statement)
        return SQLiteDB::Misuse;
    return sqlite3_bind_int(m_statement, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8, int bytes)
{
    if (!m_statement)
        return SQLiteDB::Misuse;
    return sqlite3_bind_text(m_statement, index, utf8, bytes, SQLITE_STATIC);
}

int SQLiteStatement::Step()
{
    if (!m_statement)
        return SQLiteDB::Misuse;
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_DONE)
        m_done = 1;
    return result;
}

int SQLiteStatement::Reset()
{
    if (!m_statement)
        return SQLiteDB::Misuse;
    const int result = sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    return result;
}

int SQLiteStatement::Finalize()
{
    // sqlite3_finalize frees the statement whatever it answers (a non-zero answer only repeats
    // the last step's error), so keeping the pointer would finalize it twice.
    const int result = sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_done = 1;
    return result;
}

int SQLiteStatement::ColumnInt(int index) const
{
    if (!m_statement)
        return 0;
    return sqlite3_column_int(m_statement, index);
}

const char* SQLiteStatement::ColumnText(int index) const
{
    if (!m_statement)
        return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
}

} // namespace corvane
