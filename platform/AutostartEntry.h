#pragma once

#include "tarnui/platform/CString.h"

#include <filesystem>
#include <string>

namespace corvane {

// Starting the program at log-in: the desktop's autostart entry
// <config home>/autostart/<device name>.desktop. It is on while the file exists.
class AutostartEntry {
public:
    AutostartEntry(const std::filesystem::path& configHome, const tarn::CString& deviceName);

    bool Exists() const;
    // Writes an entry that starts this program. False, and nothing written, for a path the
    // entry cannot carry (control characters) or a failed write.
    bool Write(const std::filesystem::path& program) const;
    // True when no entry is left.
    bool Delete() const;

    const std::filesystem::path& Path() const { return m_path; }

    // The program as one quoted Exec argument: inside the quotes '"', '`', '$' and '\' get a
    // backslash, '%' is doubled, and the string level doubles every backslash again.
    static std::string QuoteExec(const std::string& program);

private:
    std::filesystem::path m_path;
    tarn::CString m_name;
};

} // namespace corvane
