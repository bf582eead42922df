#include "store/SQLiteAutoTransaction.h"

#include "store/SQLiteDB.h"

namespace corvane {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : m_database(database)
{
    if (!m_database)
        return;
    if (m_database->IsOpen())
        m_database->Execute("BEGIN");
    m_active = 1;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction()
{
    if (m_active && m_database && m_database->IsOpen())
        End();
}

bool SQLiteAutoTransaction::Begin()
{
    if (!m_database || m_active)
        return false;
    m_active = 1;
    if (!m_database->IsOpen())
        return false;
    return m_database->Execute("BEGIN") == SQLiteDB::Ok;
}

bool SQLiteAutoTransaction::Finishing()
{
    if (!m_database)
        return false;
    m_active = 0;
    return m_database->IsOpen();
}

bool SQLiteAutoTransaction::End()
{
    if (!Finishing())
        return false;
    if (m_database->Execute("END") == SQLiteDB::Ok)
        return true;
    // A commit that fails (a reader of another connection holds the file) leaves the
    // transaction open, and every later write would vanish into it; give it up instead.
    m_database->Execute("ROLLBACK");
    return false;
}

bool SQLiteAutoTransaction::Rollback()
{
    if (!Finishing())
        return false;
    return m_database->Execute("ROLLBACK") == SQLiteDB::Ok;
}

} // namespace corvane
