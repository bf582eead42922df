#include "app/Language.h"
#include "app/TextsListener.h"
#include "platform/tests/TempHome.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <fstream>

using corvane::Language;
using corvane::SettingsFile;
using tarn::CString;

namespace {

struct CountingTexts : corvane::TextsListener {
    int applied = 0;
    void ApplyAllTexts() override { ++applied; }
};

void Put(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(Language, ChoiceAtStart)
{
    struct Case {
        const char* name;
        const char* stored; // settings file contents, or null for no file
        int uiLanguage;
        int current;
        const char* storedAfter;
    };
    const Case cases[] = {
        {"first start, English interface", nullptr, 1033, 1033, "LCID=1033\n"},
        {"first start, Turkish interface", nullptr, 1055, 1055, "LCID=1055\n"},
        {"first start, British English", nullptr, 2057, 1055, "LCID=1055\n"},
        {"first start, unknown locale", nullptr, 0, 1055, "LCID=1055\n"},
        {"stored Turkish", "LCID=1055\n", 1033, 1055, "LCID=1055\n"},
        {"stored English", "LCID=1033\n", 1055, 1033, "LCID=1033\n"},
        {"\"abc\" is a first start", "LCID=abc\n", 1033, 1033, "LCID=1033\n"},
        {"empty file is a first start", "", 1055, 1055, "LCID=1055\n"},
        {"other values are kept", "exit_mode=2\n", 1033, 1033, "exit_mode=2\nLCID=1033\n"},
    };
    for (const Case& c : cases) {
        corvane::test::TempHome home("lang");
        const SettingsFile settings(home.Config(), L"Corvane");
        if (c.stored)
            Put(settings.Path(), c.stored);
        Language language(home.Root(), settings, [&] { return c.uiLanguage; });
        EXPECT_EQ(language.ChooseAtStart(), c.current) << c.name;
        EXPECT_EQ(language.Current(), c.current) << c.name;
        std::ifstream in(settings.Path());
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(after, c.storedAfter) << c.name;
    }
}

TEST(Language, UnreadableSettingsStartInEnglishWithoutAsking)
{
    corvane::test::TempHome home("lang");
    const SettingsFile settings(home.Config(), L"Corvane");
    std::filesystem::create_directories(settings.Path());
    bool asked = false;
    Language language(home.Root(), settings, [&] { asked = true; return 1055; });
    EXPECT_EQ(language.ChooseAtStart(), 1033);
    EXPECT_FALSE(asked);
}

TEST(Language, ChoosingStoresThenAppliesTexts)
{
    corvane::test::TempHome home("lang");
    const SettingsFile settings(home.Config(), L"Corvane");
    Language language(home.Root(), settings, [] { return 1033; });
    language.ChooseAtStart();
    CountingTexts texts;

    language.Choose(1055, texts);
    EXPECT_EQ(language.Current(), 1055);
    EXPECT_EQ(settings.ReadSetting(L"LCID"), 1055);
    EXPECT_EQ(texts.applied, 1);
    EXPECT_EQ(language.FilePath(), home.Root() / "language" / "1055.lan");

    EXPECT_EQ(language.ResetToFirstStart(), 1033);
    EXPECT_EQ(settings.ReadSetting(L"LCID"), 1033);
}

TEST(Language, TextsComeFromTheCurrentFileEveryTime)
{
    corvane::test::TempHome home("lang");
    const SettingsFile settings(home.Config(), L"Corvane");
    Put(settings.Path(), "LCID=1055\n");
    const std::string longText(300, 'x');
    Put(home.Root() / "language" / "1055.lan", "\xEF\xBB\xBF[KB.DIALOG]\r\n65=Profil\r\n167=" + longText + "\r\n");
    Put(home.Root() / "language" / "1033.lan", "[KB.DIALOG]\n65=Profile\n");
    Language language(home.Root(), settings, [] { return 1033; });
    language.ChooseAtStart();
    CountingTexts texts;

    EXPECT_EQ(language.LoadText(65), CString(L"Profil"));
    EXPECT_EQ(language.LoadText(Language::Section, 167).GetLength(), 259) << "a 300-character text is cut";
    EXPECT_EQ(language.LoadText(L"OTHER", 65), CString());
    EXPECT_EQ(language.LoadText(66), CString());

    language.Choose(1033, texts);
    EXPECT_EQ(language.LoadText(65), CString(L"Profile"));
    std::filesystem::remove(home.Root() / "language" / "1033.lan");
    EXPECT_EQ(language.LoadText(65), CString()) << "a deleted file empties the texts applied afterwards";
}
