#include "store/ConfigStore.h"

#include "store/SQLiteAutoTransaction.h"
#include "store/StoreQuery.h"
#include "store/StoreSchema.h"

#include <system_error>

namespace corvane {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr int ExistingFileFlags = SQLiteDB::OpenReadWrite | SQLiteDB::OpenFullMutex;
constexpr int NewFileFlags = SQLiteDB::OpenReadWrite | SQLiteDB::OpenCreate | SQLiteDB::OpenFullMutex;

struct DefaultSetting {
    const char* key;
    const char* value;
};

constexpr DefaultSetting DefaultSettings[] = {
    {"version", "1.0.1"},   {"keyboard_layout", "1"}, {"fn_layer", "0"},        {"lightmode", "1"},
    {"sleep_light", "1"},   {"userlight", "0"},       {"customlight_run", "0"}, {"gamemode", "0"},
    {"disable_alttab", "0"}, {"disable_altf4", "0"},  {"disable_win", "0"},
};

} // namespace

ConfigStore::ConfigStore() = default;

ConfigStore::~ConfigStore()
{
    Lock lock(m_lock);
    if (m_open)
        SQLiteDB::Close();
    m_path.clear();
    m_spareKey.clear();
    m_key.clear();
}

ConfigStore& ConfigStore::Instance()
{
    static ConfigStore store;
    return store;
}

void ConfigStore::SetDataFolder(const std::filesystem::path& folder)
{
    Lock lock(m_lock);
    m_dataFolder = folder;
}

std::filesystem::path ConfigStore::DataFolder() const
{
    Lock lock(m_lock);
    return m_dataFolder;
}

std::filesystem::path ConfigStore::DatabasePath(const std::filesystem::path& folder, const tarn::CString& name)
{
    return folder / "db" / (name.ToUtf8() + "_data_v1.db");
}

bool ConfigStore::OpenForDevice(const tarn::CString& name)
{
    Lock lock(m_lock);
    return OpenForDevice(m_dataFolder, name);
}

bool ConfigStore::OpenForDevice(const std::filesystem::path& folder, const tarn::CString& name)
{
    Lock lock(m_lock);
    m_open = 0;
    if (folder.empty())
        return false; // never a file relative to whatever the current folder is
    const std::filesystem::path file = DatabasePath(folder, name);
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    // Staying on another model's file, or on one deleted under the connection, would write the
    // settings where nobody reads them.
    if (IsOpen() && (file.string() != m_path || !exists) && !SQLiteDB::Close())
        return false;
    m_path = file.string();

    bool result = false;
    if (!exists)
        result = CreateSchema();
    else if (IsOpen())
        result = true;
    else if (Open(m_path.c_str(), m_key, ExistingFileFlags))
        result = SchemaComplete() || RunSchema();
    m_open = result ? 1 : 0;
    return result;
}

bool ConfigStore::CreateSchema()
{
    Lock lock(m_lock);
    if (IsOpen())
        return true;
    if (m_path.empty() || !Open(m_path.c_str(), m_key, NewFileFlags))
        return false;
    return RunSchema();
}

bool ConfigStore::RunSchema()
{
    bool all = true;
    for (const char* statement : StoreSchema::Statements())
        all = Execute(statement) == Ok && all;
    return all;
}

bool ConfigStore::SchemaComplete()
{
    // A file left without its tables (a first start cut short) is completed instead of staying
    // unusable for good; a whole file runs no CREATE. When the file cannot be read right now
    // (another connection holds it) it is taken as it is.
    std::string sql = "SELECT count(*) FROM sqlite_master WHERE name IN (";
    const auto names = StoreSchema::ObjectNames();
    for (size_t i = 0; i < names.size(); ++i)
        sql += std::string(i ? ", '" : "'") + names[i] + "'";
    sql += ")";
    const int32_t found = StoreQuery::FirstInt(Db(), sql.c_str(), {}, -1);
    return found < 0 || found == static_cast<int32_t>(names.size());
}

bool ConfigStore::DeleteDatabaseFile(const tarn::CString& name)
{
    Lock lock(m_lock);
    return DeleteDatabaseFile(m_dataFolder, name);
}

bool ConfigStore::DeleteDatabaseFile(const std::filesystem::path& folder, const tarn::CString& name)
{
    Lock lock(m_lock);
    if (folder.empty())
        return false;
    const std::filesystem::path file = DatabasePath(folder, name);
    if (IsOpen() && file.string() == m_path) {
        if (!SQLiteDB::Close())
            return false;
        m_open = 0;
    }
    std::error_code error;
    std::filesystem::remove(file, error);
    // A journal left by a crash must not be played back into the fresh file of the same name.
    std::filesystem::remove(file.string() + "-journal", error);
    return !std::filesystem::exists(file, error);
}

bool ConfigStore::Close()
{
    Lock lock(m_lock);
    if (!SQLiteDB::Close())
        return false;
    m_open = 0;
    return true;
}

bool ConfigStore::IsOpened() const
{
    Lock lock(m_lock);
    return m_open != 0;
}

void ConfigStore::ClearOpened()
{
    Lock lock(m_lock);
    m_open = 0;
}

int32_t ConfigStore::Device() const
{
    Lock lock(m_lock);
    return m_device;
}

void ConfigStore::SetDevice(int32_t device_type)
{
    Lock lock(m_lock);
    m_device = device_type;
}

std::string ConfigStore::Path() const
{
    Lock lock(m_lock);
    return m_path;
}

bool ConfigStore::WriteDefaultSettings()
{
    Lock lock(m_lock);
    const int32_t present = StoreQuery::FirstInt(Db(), "SELECT count(*) FROM t_configdata", {}, -1);
    if (present < 0)
        return false;
    if (present > 0)
        return true;
    SQLiteAutoTransaction transaction(this);
    StoreQuery query(Db(), "INSERT INTO t_configdata (profile, \"key\", \"value\") VALUES (?, ?, ?)");
    for (const DefaultSetting& setting : DefaultSettings) {
        query.Bind({int32_t{1}, std::string(setting.key), std::string(setting.value)});
        if (!StoreQuery::Succeeded(query.Step())) {
            transaction.Rollback();
            return false;
        }
        query.Reset();
    }
    return transaction.End();
}

} // namespace corvane
