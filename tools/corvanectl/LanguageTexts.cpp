#include "tools/corvanectl/LanguageTexts.h"

#include "app/Language.h"
#include "platform/IniFile.h"
#include "platform/SettingsFile.h"
#include "platform/UiLanguage.h"

#include <string>

namespace corvane::ctl {

namespace {

int ChosenLcid(const std::filesystem::path& configHome, const tarn::CString& deviceName)
{
    const SettingsFile settings(configHome, deviceName);
    std::error_code ec;
    // Reading a missing settings file would create it.
    if (std::filesystem::is_regular_file(settings.Path(), ec)) {
        if (const int stored = settings.ReadStartupLcid(); stored != 0)
            return stored;
    }
    return Language::FirstStartChoice(UiLanguage::FromEnvironment());
}

} // namespace

LanguageTexts::LanguageTexts(std::filesystem::path programDir, const std::filesystem::path& configHome,
                             const tarn::CString& deviceName)
    : m_programDir(std::move(programDir)), m_lcid(ChosenLcid(configHome, deviceName))
{
}

tarn::CString LanguageTexts::LoadText(std::wstring_view section, int number)
{
    const std::filesystem::path file = m_programDir / "language" / (std::to_string(m_lcid) + ".lan");
    return IniFile::ReadString(file, section, tarn::CString::Formatted(L"%d", number).view());
}

} // namespace corvane::ctl
