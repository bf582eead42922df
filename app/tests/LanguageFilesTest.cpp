#include "app/TextNumbers.h"
#include "platform/IniFile.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using corvane::IniFile;
using tarn::CString;

namespace {

const std::filesystem::path ProgramDir(CORVANE_PROGRAM_DIR);

std::set<std::wstring> Keys(int lcid)
{
    std::set<std::wstring> keys;
    for (const CString& key : IniFile::ReadKeys(ProgramDir / "language" / (std::to_string(lcid) + ".lan"), L"KB.DIALOG"))
        keys.insert(key.str());
    return keys;
}

} // namespace

TEST(LanguageFiles, BothDefineTheSameNumbers)
{
    const auto english = Keys(1033);
    const auto turkish = Keys(1055);
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(english, turkish);
    EXPECT_EQ(IniFile::ReadKeys(ProgramDir / "language" / "1033.lan", L"KB.DIALOG").size(), english.size())
        << "no number is defined twice";
}

TEST(LanguageFiles, EveryNumberInUseHasATextInBoth)
{
    for (int lcid : {1033, 1055}) {
        const auto file = ProgramDir / "language" / (std::to_string(lcid) + ".lan");
        for (int number : corvane::TextNumbers)
            EXPECT_FALSE(IniFile::ReadString(file, L"KB.DIALOG", std::to_wstring(number)).IsEmpty()) << lcid << ": " << number;
    }
}

TEST(LanguageFiles, EveryLightModeOfTheShippedLayoutsHasAName)
{
    const std::regex info("<info[^>]*\\bname=\"([0-9]+)\"");
    int modes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ProgramDir / "layouts")) {
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string xml = text.str();
        for (auto it = std::sregex_iterator(xml.begin(), xml.end(), info); it != std::sregex_iterator(); ++it) {
            ++modes;
            for (int lcid : {1033, 1055}) {
                const auto file = ProgramDir / "language" / (std::to_string(lcid) + ".lan");
                EXPECT_FALSE(IniFile::ReadString(file, L"KB.DIALOG", CString::FromUtf8((*it)[1].str()).view()).IsEmpty())
                    << entry.path().filename() << " mode name " << (*it)[1] << " in " << lcid;
            }
        }
    }
    EXPECT_GT(modes, 0);
}

TEST(LanguageFiles, TurkishUsesItsOwnLetters)
{
    const auto file = ProgramDir / "language" / "1055.lan";
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"11"), CString(L"Çıkış"));
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"65"), CString(L"Profil"));
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"331"), CString(L"Makro"));
}
