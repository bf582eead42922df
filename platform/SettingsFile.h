#pragma once

#include "tarnui/platform/CString.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// The program's own settings ("LCID", "exit_mode") as decimal text values in one small file,
// <config home>/<device name>/settings, one "name=value" line each. Failures are silent:
// reading gives 0, writing reports false and changes nothing.
class SettingsFile {
public:
    static constexpr const char* FileName = "settings";
    // A value is read into a buffer of 255 bytes of 16-bit characters with a terminator.
    static constexpr int MaxValueLength = 127;
    static constexpr int StartupLcidFallback = 1033;

    SettingsFile(const std::filesystem::path& configHome, const tarn::CString& deviceName);

    // The value read like _wtoi. A missing file is created and reads 0; a missing or
    // non-numeric value reads 0; any other failure reads 0 too.
    int ReadSetting(std::wstring_view name) const;
    // Sets the value, keeping every other line. Names are compared without case.
    bool WriteSetting(std::wstring_view name, const tarn::CString& text) const;
    // "LCID" at start: as ReadSetting, but 1033 when the file exists and cannot be read.
    int ReadStartupLcid() const;

    const std::filesystem::path& Path() const { return m_path; }

private:
    enum class Open { Ok, Created, Failed };

    Open OpenKey(std::string& content) const;
    int ReadValue(std::wstring_view name, int failed) const;

    std::filesystem::path m_path;
};

} // namespace corvane
