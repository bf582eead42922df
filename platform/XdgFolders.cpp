#include "platform/XdgFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace corvane {

namespace {

std::filesystem::path AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

} // namespace

std::filesystem::path XdgFolders::Home()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::filesystem::path XdgFolders::ConfigHome()
{
    auto path = AbsoluteVariable("XDG_CONFIG_HOME");
    return path.empty() ? Home() / ".config" : path;
}

std::filesystem::path XdgFolders::DataHome()
{
    auto path = AbsoluteVariable("XDG_DATA_HOME");
    return path.empty() ? Home() / ".local" / "share" : path;
}

std::filesystem::path XdgFolders::RuntimeDir()
{
    return AbsoluteVariable("XDG_RUNTIME_DIR");
}

std::string XdgFolders::FileName(const tarn::CString& name)
{
    std::string text = name.ToUtf8();
    for (char& c : text) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    if (text.empty() || text == "." || text == "..")
        return "_";
    return text;
}

} // namespace corvane
