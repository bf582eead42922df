#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <mutex>
#include <sstream>

namespace corvane::test {

namespace {

std::mutex g_traceLock;
std::vector<std::string> g_trace;
std::atomic<bool> g_tracing{false};

int OnTrace(unsigned type, void*, void* statement, void*)
{
    if (type == SQLITE_TRACE_STMT && g_tracing) {
        const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        std::lock_guard lock(g_traceLock);
        g_trace.push_back(sql ? sql : "");
    }
    return 0;
}

int InstallTrace(sqlite3* db, char**, const sqlite3_api_routines*)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, OnTrace, nullptr);
    return SQLITE_OK;
}

using AutoExtension = void (*)();

AutoExtension TraceEntry()
{
    return reinterpret_cast<AutoExtension>(reinterpret_cast<void*>(&InstallTrace));
}

} // namespace

TempDataFolder::TempDataFolder()
{
    static std::atomic<int> serial{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "store";
    std::replace(name.begin(), name.end(), '/', '_');
    m_path = std::filesystem::temp_directory_path() /
             ("corvane-store-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + "-" + name);
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path / "db");
}

TempDataFolder::~TempDataFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

RawDb::RawDb(const std::filesystem::path& file)
{
    if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        ADD_FAILURE() << "cannot open " << file << ": " << sqlite3_errmsg(m_db);
}

RawDb::~RawDb()
{
    sqlite3_close(m_db);
}

int RawDb::Exec(const std::string& sql)
{
    return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
}

std::vector<std::vector<std::string>> RawDb::Rows(const std::string& sql)
{
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row.push_back(text ? text : "<null>");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
}

int64_t RawDb::Number(const std::string& sql)
{
    const auto rows = Rows(sql);
    return rows.empty() || rows[0].empty() ? -1 : std::stoll(rows[0][0]);
}

SqlTrace::SqlTrace()
{
    Clear();
    g_tracing = true;
    sqlite3_auto_extension(TraceEntry());
}

SqlTrace::~SqlTrace()
{
    sqlite3_cancel_auto_extension(TraceEntry());
    g_tracing = false;
    Clear();
}

std::vector<std::string> SqlTrace::Statements() const
{
    std::lock_guard lock(g_traceLock);
    return g_trace;
}

void SqlTrace::Clear()
{
    std::lock_guard lock(g_traceLock);
    g_trace.clear();
}

int SqlTrace::CountStartingWith(const std::string& prefix) const
{
    int count = 0;
    for (const std::string& sql : Statements()) {
        if (sql.size() >= prefix.size() &&
            std::equal(prefix.begin(), prefix.end(), sql.begin(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); }))
            ++count;
    }
    return count;
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

} // namespace corvane::test
