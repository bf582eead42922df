#include "platform/AutostartEntry.h"

#include "platform/FileAccess.h"
#include "platform/XdgFolders.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace corvane {

namespace {

bool HasControl(const std::string& text)
{
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return true;
    }
    return false;
}

// A desktop-entry string value: control characters dropped, backslashes escaped.
std::string EntryString(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            continue;
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

AutostartEntry::AutostartEntry(const std::filesystem::path& configHome, const tarn::CString& deviceName)
    : m_path(configHome / "autostart" / (XdgFolders::FileName(deviceName) + ".desktop")), m_name(deviceName)
{
}

bool AutostartEntry::Exists() const
{
    std::error_code ec;
    return std::filesystem::exists(m_path, ec);
}

std::string AutostartEntry::QuoteExec(const std::string& program)
{
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    std::string out;
    for (char c : quoted) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

bool AutostartEntry::Write(const std::filesystem::path& program) const
{
    const std::string path = program.string();
    if (path.empty() || HasControl(path))
        return false;
    std::error_code ec;
    std::filesystem::create_directories(m_path.parent_path(), ec);
    const std::string content = "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=" + EntryString(m_name.ToUtf8()) + "\n"
                                "Exec=" + QuoteExec(path) + "\n"
                                "Terminal=false\n"
                                "X-GNOME-Autostart-enabled=true\n";
    return FileAccess::WriteAtomically(m_path, content);
}

bool AutostartEntry::Delete() const
{
    return ::unlink(m_path.c_str()) == 0 || errno == ENOENT;
}

} // namespace corvane
