#pragma once

struct sqlite3_stmt;

namespace corvane {

// One prepared statement. Without one every call answers 21 (misuse) and column reads 0 or null.
class SQLiteStatement {
public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // Parameters count from 1.
    int BindInt(int index, int value);
    // The text is not copied: the caller keeps it alive until the step.
    int BindText(int index, const char* utf8, int bytes);
    // Sets done on 101 (SQLITE_DONE).
    int Step();
    // Makes the statement ready to run again with fresh bindings.
    int Reset();
    int Finalize();

    // Columns count from 0.
    int ColumnInt(int index) const;
    // Null for a NULL column.
    const char* ColumnText(int index) const;

    bool IsPrepared() const { return m_statement != nullptr; }
    bool IsDone() const { return m_done != 0; }

private:
    friend class SQLiteDB;

    int m_done = 1;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace corvane
