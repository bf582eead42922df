#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

namespace corvane::test {

// A data folder of its own below the temporary folder, with its db/ folder; removed afterwards.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path DbFolder() const { return m_path / "db"; }

private:
    std::filesystem::path m_path;
};

// A second connection of its own to a database file, to see what is really stored.
class RawDb {
public:
    explicit RawDb(const std::filesystem::path& file);
    ~RawDb();
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    int Exec(const std::string& sql);
    // Every row as its columns' text, NULL as "<null>".
    std::vector<std::vector<std::string>> Rows(const std::string& sql);
    // The first column of the first row as a number; -1 without a row.
    int64_t Number(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};

// Records the SQL of every statement run on any connection opened while it lives, the store's
// own included, through SQLite's trace hook.
class SqlTrace {
public:
    SqlTrace();
    ~SqlTrace();
    SqlTrace(const SqlTrace&) = delete;
    SqlTrace& operator=(const SqlTrace&) = delete;

    std::vector<std::string> Statements() const;
    void Clear();
    // How many recorded statements begin with this text (case-insensitive).
    int CountStartingWith(const std::string& prefix) const;
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

} // namespace corvane::test
