#pragma once

#include "platform/SettingsFile.h"
#include "tarnui/platform/CString.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <string_view>

namespace corvane {

class TextsListener;

// The current interface language and the texts of its language file,
// <program folder>/language/<LCID>.lan.
class Language {
public:
    static constexpr const wchar_t* Section = L"KB.DIALOG";
    static constexpr int English = 1033;
    static constexpr int Turkish = 1055;

    // uiLanguage answers the user's interface language (an LCID) when asked.
    Language(std::filesystem::path programDir, const SettingsFile& settings, std::function<int()> uiLanguage);

    // The stored "LCID", or on a first start (nothing or no number stored) the first-start
    // choice, which is then stored.
    int ChooseAtStart();
    // English for an English interface, Turkish for any other.
    static int FirstStartChoice(int uiLanguage) { return uiLanguage == English ? English : Turkish; }
    // Back to the first-start choice, stored; answers it.
    int ResetToFirstStart();
    // The user's pick: current, stored, then every text applied again.
    void Choose(int lcid, TextsListener& texts);

    int Current() const { return m_current.load(); }
    std::filesystem::path FilePath() const;

    // Reads the file on every call; empty when the file, the section or the text is missing.
    tarn::CString LoadText(std::wstring_view section, int number) const;
    tarn::CString LoadText(int number) const { return LoadText(Section, number); }

private:
    int StoreChoice(int lcid);

    std::filesystem::path m_programDir;
    const SettingsFile& m_settings;
    std::function<int()> m_uiLanguage;
    std::atomic<int> m_current{English};
};

} // namespace corvane
