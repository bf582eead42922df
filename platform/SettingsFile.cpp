#include "platform/SettingsFile.h"

#include "platform/FileAccess.h"
#include "platform/XdgFolders.h"
#include "tarnui/platform/Numbers.h"

#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace corvane {

using tarn::CString;

namespace {

// The file is tiny; anything beyond this is not ours and is not read.
constexpr std::size_t MaxFileBytes = 64 * 1024;

bool SameName(std::string_view line, std::string_view name)
{
    return CString::FromUtf8(line).CompareNoCase(CString::FromUtf8(name).view()) == 0;
}

bool ValidName(const std::string& name)
{
    return !name.empty() && name.find_first_of("=\r\n") == std::string::npos;
}

} // namespace

SettingsFile::SettingsFile(const std::filesystem::path& configHome, const CString& deviceName)
    : m_path(configHome / XdgFolders::FileName(deviceName) / FileName)
{
}

SettingsFile::Open SettingsFile::OpenKey(std::string& content) const
{
    switch (FileAccess::Read(m_path, MaxFileBytes, content)) {
    case FileAccess::ReadResult::Ok:
        return Open::Ok;
    case FileAccess::ReadResult::Failed:
        return Open::Failed;
    case FileAccess::ReadResult::Missing:
        break;
    }
    std::error_code ec;
    std::filesystem::create_directories(m_path.parent_path(), ec);
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0)
        ::close(fd);
    return Open::Created;
}

int SettingsFile::ReadValue(std::wstring_view name, int failed) const
{
    std::string content;
    const Open open = OpenKey(content);
    if (open == Open::Failed)
        return failed;
    if (open == Open::Created)
        return 0;
    const std::string wanted = CString(name).ToUtf8();
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string_view line(content.data() + start, end - start);
        start = end + 1;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !SameName(line.substr(0, eq), wanted))
            continue;
        std::string_view value = line.substr(eq + 1);
        if (!value.empty() && value.back() == '\r')
            value.remove_suffix(1);
        // A longer value still counts as present; only its start is read.
        const CString text = CString::FromUtf8(value).Left(MaxValueLength);
        return tarn::ReadDecimal(text.view());
    }
    return 0;
}

int SettingsFile::ReadSetting(std::wstring_view name) const
{
    return ReadValue(name, 0);
}

int SettingsFile::ReadStartupLcid() const
{
    return ReadValue(L"LCID", StartupLcidFallback);
}

bool SettingsFile::WriteSetting(std::wstring_view name, const CString& text) const
{
    const std::string key = CString(name).ToUtf8();
    const std::string value = text.ToUtf8();
    if (!ValidName(key) || value.find_first_of("\r\n") != std::string::npos)
        return false;
    std::string content;
    if (OpenKey(content) == Open::Failed)
        return false;

    std::string out;
    bool written = false;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        const std::string_view line(content.data() + start, end - start);
        start = end + 1;
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos && SameName(line.substr(0, eq), key)) {
            if (written)
                continue; // a duplicate would shadow nothing but confuse a reader
            out += key + "=" + value + "\n";
            written = true;
        } else if (!line.empty()) {
            out.append(line);
            out += '\n';
        }
    }
    if (!written)
        out += key + "=" + value + "\n";
    return FileAccess::WriteAtomically(m_path, out);
}

} // namespace corvane
