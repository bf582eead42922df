#pragma once

#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"
#include "tarnui/platform/CString.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <string>
#include <variant>
#include <vector>

namespace corvane {

// A value for one statement parameter: an integer, or text already in UTF-8.
using SqlValue = std::variant<int32_t, std::string>;

// Prepare, bind, step and finalize, the sequence every data-access operation of the store runs.
// The query keeps its own copy of the values, since SQLite binds text without copying it.
class StoreQuery {
public:
    StoreQuery(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values = {});

    // Binds a fresh set of values, for a statement run once per row.
    void Bind(std::initializer_list<SqlValue> values);
    int Step() { return m_result = m_statement.Step(); }
    // Ready for the next Bind and Step.
    void Reset() { m_statement.Reset(); }
    int LastResult() const { return m_result; }

    int Int(int column) const { return m_statement.ColumnInt(column); }
    tarn::CString Text(int column) const;

    // A step that answered 0, 100 (a row) or 101 (done).
    static bool Succeeded(int result) { return result == SQLiteDB::Ok || result == SQLiteDB::Row || result == SQLiteDB::Done; }

    // One step; whether it succeeded.
    static bool Run(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values);
    // The new row's id cut to 32 bits, or 0 when nothing was stored.
    static int32_t Insert(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values);
    // The first column of the first row, or the fallback without a row.
    static int32_t FirstInt(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values, int32_t fallback);

    // Fills the record from the first row; false (record untouched) without one.
    template <typename Record, typename Fill>
    static bool FirstRow(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values, Record& out, Fill fill)
    {
        StoreQuery query(db, sql, values);
        if (query.Step() != SQLiteDB::Row)
            return false;
        fill(query, out);
        return true;
    }

    // Empties the list, then appends one record per row; answers the list's size.
    template <typename Record, typename Fill>
    static int Rows(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values, std::vector<Record>& out, Fill fill)
    {
        out.clear();
        StoreQuery query(db, sql, values);
        while (query.Step() == SQLiteDB::Row) {
            Record record;
            fill(query, record);
            out.push_back(std::move(record));
        }
        return static_cast<int>(out.size());
    }

    static int32_t Id(SQLiteDB& db) { return static_cast<int32_t>(db.LastInsertRowId()); }
    static std::string Utf8(const tarn::CString& text) { return text.ToUtf8(); }

private:
    SQLiteStatement m_statement;
    std::vector<SqlValue> m_values;
    int m_result = SQLiteDB::Misuse;
};

} // namespace corvane
