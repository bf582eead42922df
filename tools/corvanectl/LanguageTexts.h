#pragma once

#include "store/TextLookup.h"

#include <filesystem>

namespace corvane::ctl {

// The interface texts in the program's language: the one the program stored, or on a machine
// where it never ran the one it would choose at its first start. The tool only reads the
// settings; choosing a language is the program's business.
class LanguageTexts : public TextLookup {
public:
    LanguageTexts(std::filesystem::path programDir, const std::filesystem::path& configHome,
                  const tarn::CString& deviceName);

    tarn::CString LoadText(std::wstring_view section, int number) override;
    int Lcid() const { return m_lcid; }

private:
    std::filesystem::path m_programDir;
    int m_lcid;
};

} // namespace corvane::ctl
