#pragma once

namespace corvane {

class SQLiteDB;

// BEGIN on construction, END on destruction unless the transaction was ended or rolled back
// before. The database is not owned.
class SQLiteAutoTransaction {
public:
    explicit SQLiteAutoTransaction(SQLiteDB* database);
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    bool Begin();
    // Commits; true when END succeeded.
    bool End();
    // Undoes everything since BEGIN, so a replacement that failed halfway leaves the old rows.
    bool Rollback();
    bool IsActive() const { return m_active != 0; }

private:
    SQLiteDB* m_database = nullptr;
    // Marks the transaction ended; answers whether there is an open database to end it on.
    bool Finishing();

    unsigned char m_active = 0;
};

} // namespace corvane
