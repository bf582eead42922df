// The macro and macro-event operations of ConfigStore.
#include "store/ConfigStore.h"

#include "store/SQLiteAutoTransaction.h"
#include "store/StoreQuery.h"

namespace corvane {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;
using Q = StoreQuery;

constexpr int32_t MacroFunction = 3; // macro_type of a key that plays a macro

void ReadMacro(const StoreQuery& q, MacroRecord& r)
{
    r = {q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Int(4), q.Text(5)};
}

void ReadMacroEvent(const StoreQuery& q, MacroEventRecord& r)
{
    r = {q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Text(4), q.Int(5), q.Int(6)};
}

constexpr const char* MacroSelect = "SELECT macro_id, play_times, delay_type, delay_time, link_count, name FROM t_macro_data";

} // namespace

int32_t ConfigStore::AddMacro(const tarn::CString& name)
{
    Lock lock(m_lock);
    return Q::Insert(Db(),
                     "INSERT INTO t_macro_data (play_times, delay_type, delay_time, link_count, name) "
                     "VALUES (1, 1, 0, 0, ?)",
                     {Q::Utf8(name)});
}

int32_t ConfigStore::AddMacroWithSettings(const MacroRecord& r)
{
    Lock lock(m_lock);
    return Q::Insert(Db(),
                     "INSERT INTO t_macro_data (play_times, delay_type, delay_time, link_count, name) "
                     "VALUES (?, ?, ?, ?, ?)",
                     {r.play_times, r.delay_type, r.delay_time, r.link_count, Q::Utf8(r.name)});
}

bool ConfigStore::RenameMacro(int32_t macro_id, const tarn::CString& name)
{
    Lock lock(m_lock);
    return Q::Run(Db(), "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", {Q::Utf8(name), macro_id});
}

bool ConfigStore::UpdateMacroPlayback(const MacroRecord& r)
{
    Lock lock(m_lock);
    return Q::Run(Db(), "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ? WHERE macro_id = ?",
                  {r.play_times, r.delay_type, r.delay_time, r.macro_id});
}

bool ConfigStore::DeleteMacro(int32_t macro_id)
{
    Lock lock(m_lock);
    if (!Q::Run(Db(), "DELETE FROM t_macro_data WHERE macro_id = ?", {macro_id}))
        return false;
    Q::Run(Db(), "DELETE FROM t_macrorecord WHERE macro_id = ?", {macro_id});
    // Keys that played the macro fall back to their default function.
    return Q::Run(Db(), "DELETE FROM t_key_macro_data WHERE macro_type = ? AND macro_value = ?",
                  {MacroFunction, macro_id});
}

bool ConfigStore::GetMacroPlayTimes(int32_t macro_id, int32_t& play_times)
{
    Lock lock(m_lock);
    return Q::FirstRow(Db(), "SELECT play_times FROM t_macro_data WHERE macro_id = ?", {macro_id}, play_times,
                       [](const StoreQuery& q, int32_t& out) { out = q.Int(0); });
}

bool ConfigStore::GetMacro(int32_t macro_id, MacroRecord& out)
{
    Lock lock(m_lock);
    return Q::FirstRow(Db(), (std::string(MacroSelect) + " WHERE macro_id = ?").c_str(), {macro_id}, out, ReadMacro);
}

int ConfigStore::GetMacros(std::vector<MacroRecord>& out)
{
    Lock lock(m_lock);
    return Q::Rows(Db(), (std::string(MacroSelect) + " ORDER BY macro_id").c_str(), {}, out, ReadMacro);
}

int32_t ConfigStore::AddMacroEvent(const MacroEventRecord& r)
{
    Lock lock(m_lock);
    return Q::Insert(Db(),
                     "INSERT INTO t_macrorecord (macro_id, type, record_index, \"desc\", \"value\", delay_time) "
                     "VALUES (?, ?, ?, ?, ?, ?)",
                     {r.macro_id, r.type, r.record_index, Q::Utf8(r.desc), r.value, r.delay_time});
}

bool ConfigStore::InsertMacroEvents(const std::vector<MacroEventRecord>& records)
{
    StoreQuery query(Db(),
                     "INSERT INTO t_macrorecord (macro_id, type, record_index, \"desc\", \"value\", delay_time) "
                     "VALUES (?, ?, ?, ?, ?, ?)");
    for (const MacroEventRecord& r : records) {
        query.Bind({r.macro_id, r.type, r.record_index, Q::Utf8(r.desc), r.value, r.delay_time});
        if (!StoreQuery::Succeeded(query.Step()))
            return false;
        query.Reset();
    }
    return true;
}

int ConfigStore::AddMacroEvents(const std::vector<MacroEventRecord>& records)
{
    Lock lock(m_lock);
    SQLiteAutoTransaction transaction(this);
    if (!InsertMacroEvents(records)) {
        transaction.Rollback();
        return 0;
    }
    return transaction.End() ? static_cast<int>(records.size()) : 0;
}

int ConfigStore::ReplaceMacroEvents(int32_t macro_id, const std::vector<MacroEventRecord>& records)
{
    Lock lock(m_lock);
    SQLiteAutoTransaction transaction(this);
    if (!Q::Run(Db(), "DELETE FROM t_macrorecord WHERE macro_id = ?", {macro_id}) || !InsertMacroEvents(records)) {
        transaction.Rollback();
        return 0;
    }
    return transaction.End() ? static_cast<int>(records.size()) : 0;
}

int ConfigStore::GetMacroEvents(int32_t macro_id, std::vector<MacroEventRecord>& out)
{
    Lock lock(m_lock);
    return Q::Rows(Db(),
                   "SELECT record_id, macro_id, type, record_index, \"desc\", \"value\", delay_time FROM t_macrorecord "
                   "WHERE macro_id = ? ORDER BY record_index, record_id",
                   {macro_id}, out, ReadMacroEvent);
}

bool ConfigStore::DeleteMacroEvents(int32_t macro_id)
{
    Lock lock(m_lock);
    return Q::Run(Db(), "DELETE FROM t_macrorecord WHERE macro_id = ?", {macro_id});
}

int ConfigStore::CountMacroActions(int32_t macro_id)
{
    Lock lock(m_lock);
    return Q::FirstInt(Db(), "SELECT count(*) FROM t_macrorecord WHERE macro_id = ? AND type IS NOT 1", {macro_id}, 0);
}

} // namespace corvane
