#include "app/Language.h"

#include "app/TextsListener.h"
#include "platform/IniFile.h"

#include <string>

namespace corvane {

using tarn::CString;

Language::Language(std::filesystem::path programDir, const SettingsFile& settings, std::function<int()> uiLanguage)
    : m_programDir(std::move(programDir)), m_settings(settings), m_uiLanguage(std::move(uiLanguage))
{
}

int Language::StoreChoice(int lcid)
{
    m_settings.WriteSetting(L"LCID", CString::Formatted(L"%d", lcid));
    m_current = lcid;
    return lcid;
}

int Language::ChooseAtStart()
{
    const int stored = m_settings.ReadStartupLcid();
    if (stored != 0) {
        m_current = stored;
        return stored;
    }
    return ResetToFirstStart();
}

int Language::ResetToFirstStart()
{
    return StoreChoice(FirstStartChoice(m_uiLanguage ? m_uiLanguage() : English));
}

void Language::Choose(int lcid, TextsListener& texts)
{
    StoreChoice(lcid);
    texts.ApplyAllTexts();
}

std::filesystem::path Language::FilePath() const
{
    return m_programDir / "language" / (std::to_string(Current()) + ".lan");
}

CString Language::LoadText(std::wstring_view section, int number) const
{
    return IniFile::ReadString(FilePath(), section, CString::Formatted(L"%d", number).view());
}

} // namespace corvane
