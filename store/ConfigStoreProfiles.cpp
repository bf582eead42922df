// The profile, key-assignment and text-parameter operations of ConfigStore.
#include "store/ConfigStore.h"

#include "store/SQLiteAutoTransaction.h"
#include "store/StoreQuery.h"

namespace corvane {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;
using Q = StoreQuery;

void ReadProfile(const StoreQuery& q, ProfileRecord& r)
{
    r = {q.Int(0), q.Text(1), q.Int(2), q.Text(3), q.Int(4)};
}

void ReadKeyMacro(const StoreQuery& q, KeyMacroRecord& r)
{
    r = {q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Int(4), q.Text(5), q.Int(6), q.Int(7), q.Int(8), q.Int(9), q.Text(10)};
}

constexpr const char* ProfileColumns = "SELECT profile, name, status, app, type FROM t_profile_data";
constexpr const char* KeyMacroColumns =
    "SELECT key_id, profile, fn_layer, key_code, layout_value, layout_desc, macro_type, macro_value, "
    "macro_value2, macro_value3, macro_desc FROM t_key_macro_data";

} // namespace

int32_t ConfigStore::AddProfile(const ProfileRecord& record)
{
    Lock lock(m_lock);
    return Q::Insert(Db(), "INSERT INTO t_profile_data (name, status, app, type) VALUES (?, 0, ?, 0)",
                     {Q::Utf8(record.name), Q::Utf8(record.app)});
}

bool ConfigStore::DeleteProfile(int32_t profile)
{
    Lock lock(m_lock);
    return Q::Run(Db(), "DELETE FROM t_profile_data WHERE profile = ?", {profile});
}

bool ConfigStore::RenameProfile(int32_t profile, const tarn::CString& name)
{
    Lock lock(m_lock);
    return Q::Run(Db(), "UPDATE t_profile_data SET name = ? WHERE profile = ?", {Q::Utf8(name), profile});
}

bool ConfigStore::GetProfileName(int32_t profile, tarn::CString& name)
{
    Lock lock(m_lock);
    name.Empty();
    return Q::FirstRow(Db(), "SELECT name FROM t_profile_data WHERE profile = ?", {profile}, name,
                       [](const StoreQuery& q, tarn::CString& out) { out = q.Text(0); });
}

int ConfigStore::GetProfiles(std::vector<ProfileRecord>& out)
{
    Lock lock(m_lock);
    return Q::Rows(Db(), (std::string(ProfileColumns) + " ORDER BY profile").c_str(), {}, out, ReadProfile);
}

bool ConfigStore::SetActiveProfile(int32_t profile)
{
    Lock lock(m_lock);
    Q::Run(Db(), "UPDATE t_profile_data SET status = 0", {});
    return Q::Run(Db(), "UPDATE t_profile_data SET status = 1 WHERE profile = ?", {profile});
}

int32_t ConfigStore::GetActiveProfile()
{
    Lock lock(m_lock);
    return Q::FirstInt(Db(), "SELECT profile FROM t_profile_data WHERE status = 1 ORDER BY profile LIMIT 1", {}, 0);
}

int32_t ConfigStore::SaveKeyAssignment(const KeyMacroRecord& record)
{
    if (record.key_code == 0)
        return 0;
    Lock lock(m_lock);
    // The old row goes and the new one comes in one transaction, so a failed insert keeps the
    // assignment the key had.
    SQLiteAutoTransaction transaction(this);
    if (!Q::Run(Db(), "DELETE FROM t_key_macro_data WHERE profile = ? AND fn_layer = ? AND key_code = ?",
                {record.profile, record.fn_layer, record.key_code})) {
        transaction.Rollback();
        return 0;
    }
    int32_t id = 0;
    if (record.macro_value != 0 || record.macro_value2 != 0) {
        id = Q::Insert(Db(),
                       "INSERT INTO t_key_macro_data (profile, fn_layer, key_code, layout_value, layout_desc, "
                       "macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       {record.profile, record.fn_layer, record.key_code, record.layout_value,
                        Q::Utf8(record.layout_desc), record.macro_type, record.macro_value, record.macro_value2,
                        record.macro_value3, Q::Utf8(record.macro_desc)});
        if (id == 0) {
            transaction.Rollback();
            return 0;
        }
    }
    return transaction.End() ? id : 0;
}

bool ConfigStore::GetKeyAssignment(int32_t profile, int32_t fn_layer, int32_t key_code, KeyMacroRecord& out)
{
    Lock lock(m_lock);
    const std::string sql = std::string(KeyMacroColumns) +
                            " WHERE profile = ? AND fn_layer = ? AND key_code = ? ORDER BY key_id LIMIT 1";
    return Q::FirstRow(Db(), sql.c_str(), {profile, fn_layer, key_code}, out, ReadKeyMacro);
}

int ConfigStore::GetLayerAssignments(int32_t profile, int32_t fn_layer, std::vector<KeyMacroRecord>& out)
{
    Lock lock(m_lock);
    const std::string sql = std::string(KeyMacroColumns) + " WHERE profile = ? AND fn_layer = ? ORDER BY key_id";
    return Q::Rows(Db(), sql.c_str(), {profile, fn_layer}, out, ReadKeyMacro);
}

bool ConfigStore::DeleteProfileAssignments(int32_t profile)
{
    Lock lock(m_lock);
    return Q::Run(Db(), "DELETE FROM t_key_macro_data WHERE profile = ?", {profile});
}

int32_t ConfigStore::AddOtherData(const tarn::CString& macro_desc, const tarn::CString& param, int32_t type)
{
    Lock lock(m_lock);
    return Q::Insert(Db(), "INSERT INTO t_key_otherdata (macro_desc, param, type) VALUES (?, ?, ?)",
                     {Q::Utf8(macro_desc), Q::Utf8(param), type});
}

bool ConfigStore::GetOtherData(int32_t macro_value, tarn::CString& macro_desc, tarn::CString& param, int32_t& type)
{
    Lock lock(m_lock);
    OtherDataRecord row;
    if (Q::FirstRow(Db(), "SELECT macro_value, macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?",
                    {macro_value}, row, [](const StoreQuery& q, OtherDataRecord& r) {
                        r = {q.Int(0), q.Text(1), q.Text(2), q.Int(3)};
                    })) {
        macro_desc = row.macro_desc;
        param = row.param;
        type = row.type;
    }
    return true;
}

} // namespace corvane
