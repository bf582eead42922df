#include "store/StoreQuery.h"

namespace corvane {

StoreQuery::StoreQuery(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values)
{
    m_result = db.Prepare(m_statement, sql);
    Bind(values);
}

void StoreQuery::Bind(std::initializer_list<SqlValue> values)
{
    m_values.assign(values);
    int index = 1;
    for (const SqlValue& value : m_values) {
        if (const auto* number = std::get_if<int32_t>(&value))
            m_statement.BindInt(index, *number);
        else {
            const auto& text = std::get<std::string>(value);
            m_statement.BindText(index, text.c_str(), static_cast<int>(text.size()));
        }
        ++index;
    }
}

tarn::CString StoreQuery::Text(int column) const
{
    const char* text = m_statement.ColumnText(column);
    return text ? tarn::CString::FromUtf8(text) : tarn::CString();
}

bool StoreQuery::Run(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values)
{
    StoreQuery query(db, sql, values);
    return Succeeded(query.Step());
}

int32_t StoreQuery::Insert(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values)
{
    StoreQuery query(db, sql, values);
    if (!Succeeded(query.Step()))
        return 0;
    return Id(db);
}

int32_t StoreQuery::FirstInt(SQLiteDB& db, const char* sql, std::initializer_list<SqlValue> values, int32_t fallback)
{
    StoreQuery query(db, sql, values);
    return query.Step() == SQLiteDB::Row ? query.Int(0) : fallback;
}

} // namespace corvane
