#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace corvane::test {

// A fresh home with its own config, data and runtime folders, put into the environment for the
// life of the object, so nothing reaches the real user's files.
class TempHome {
public:
    explicit TempHome(const std::string& tag)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / ("corvane-" + tag + "-XXXXXX")).string();
        m_root = ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
        for (const char* sub : {"home", "config", "data", "runtime"})
            std::filesystem::create_directories(m_root / sub);
        Set("HOME", Home());
        Set("XDG_CONFIG_HOME", Config());
        Set("XDG_DATA_HOME", Data());
        Set("XDG_RUNTIME_DIR", Runtime());
    }
    ~TempHome()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    std::filesystem::path Root() const { return m_root; }
    std::filesystem::path Home() const { return m_root / "home"; }
    std::filesystem::path Config() const { return m_root / "config"; }
    std::filesystem::path Data() const { return m_root / "data"; }
    std::filesystem::path Runtime() const { return m_root / "runtime"; }

private:
    static void Set(const char* name, const std::filesystem::path& value) { ::setenv(name, value.c_str(), 1); }

    std::filesystem::path m_root;
};

} // namespace corvane::test
