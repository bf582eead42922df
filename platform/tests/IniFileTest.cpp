#include "platform/IniFile.h"
#include "platform/tests/TempHome.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <fstream>

using corvane::IniFile;
using tarn::CString;

namespace {

std::string Utf16(const std::wstring& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        auto units = [&](uint32_t u) {
            const char hi = static_cast<char>(u >> 8);
            const char lo = static_cast<char>(u & 0xFF);
            out += bigEndian ? hi : lo;
            out += bigEndian ? lo : hi;
        };
        const auto cp = static_cast<uint32_t>(c);
        if (cp >= 0x10000) {
            units(0xD800 + ((cp - 0x10000) >> 10));
            units(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            units(cp);
        }
    }
    return out;
}

} // namespace

TEST(IniFile, LookupRules)
{
    struct Case {
        const char* name;
        std::string file;
        const wchar_t* key;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"plain", "[KB.DIALOG]\n10=Settings\n", L"10", L"Settings"},
        {"trimmed", "  [ kb.dialog ]  \r\n  10  =   Hide to tray   \r\n", L"10", L"Hide to tray"},
        {"key without case", "[KB.DIALOG]\nAbc=x\n", L"aBC", L"x"},
        {"first duplicate wins", "[KB.DIALOG]\n10=first\n10=second\n", L"10", L"first"},
        {"first section wins", "[KB.DIALOG]\n1=a\n[KB.DIALOG]\n1=b\n2=c\n", L"2", L""},
        {"other section", "[OTHER]\n10=no\n[KB.DIALOG]\n11=yes\n", L"10", L""},
        {"missing section", "10=no section\n", L"10", L""},
        {"missing key", "[KB.DIALOG]\n11=x\n", L"10", L""},
        {"quotes removed", "[KB.DIALOG]\n1=\" spaced \"\n", L"1", L" spaced "},
        {"single quotes", "[KB.DIALOG]\n1='x'\n", L"1", L"x"},
        {"unmatched quote kept", "[KB.DIALOG]\n1=\"x\n", L"1", L"\"x"},
        {"lone quote kept", "[KB.DIALOG]\n1=\"\n", L"1", L"\""},
        {"no inline comments", "[KB.DIALOG]\n1=a ; b # c\n", L"1", L"a ; b # c"},
        {"semicolon line is a comment", "[KB.DIALOG]\n;1=x\n1=y\n", L"1", L"y"},
        {"first equals splits", "[KB.DIALOG]\n1=a=b\n", L"1", L"a=b"},
        {"line without equals skipped", "[KB.DIALOG]\n1\n1=z\n", L"1", L"z"},
        {"CR only lines", "[KB.DIALOG]\r1=cr\r2=two\r", L"2", L"two"},
        {"empty value", "[KB.DIALOG]\n1=\n", L"1", L""},
        {"value ends at NUL", std::string("[KB.DIALOG]\n1=ab\0cd\n", 21), L"1", L"ab"},
        {"UTF-8 BOM", "\xEF\xBB\xBF[KB.DIALOG]\n1=T\xC3\xBCrk\xC3\xA7" "e\n", L"1", L"Türkçe"},
        {"UTF-8 without BOM", "[KB.DIALOG]\n1=\xC4\xB0ptal\n", L"1", L"İptal"},
        {"cp1252 fallback", "[KB.DIALOG]\n1=caf\xE9 \x80\n", L"1", L"café €"},
        {"UTF-16LE", Utf16(L"[KB.DIALOG]\r\n1=Değiştir\r\n2=\U0001F600\r\n", false), L"2", L"\U0001F600"},
        {"UTF-16BE", Utf16(L"[KB.DIALOG]\n1=Şifre\n", true), L"1", L"Şifre"},
        {"odd UTF-16 tail", Utf16(L"[KB.DIALOG]\n1=ok", false) + "\x41", L"1", L"ok"},
        {"empty file", "", L"1", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniFile::FindString(c.file, L"KB.DIALOG", c.key), CString(c.expected)) << c.name;
}

TEST(IniFile, LongTextsAreCutTo259Characters)
{
    std::wstring text;
    for (int i = 0; i < 300; ++i)
        text += static_cast<wchar_t>(L'a' + i % 26);
    text[258] = L'ğ';
    const std::string utf8 = "[KB.DIALOG]\n1=" + CString(text).ToUtf8() + "\n";
    const CString cut = IniFile::FindString(utf8, L"KB.DIALOG", L"1");
    EXPECT_EQ(cut.GetLength(), 259);
    EXPECT_EQ(cut, CString(text.substr(0, 259)));
    EXPECT_EQ(IniFile::FindString(Utf16(L"[KB.DIALOG]\n1=" + text, false), L"KB.DIALOG", L"1"), cut);
    EXPECT_EQ(IniFile::FindString(utf8, L"KB.DIALOG", L"1", 0), CString());
}

TEST(IniFile, ReadsTheFileAnewOnEveryCall)
{
    corvane::test::TempHome home("ini");
    const auto file = home.Root() / "1033.lan";
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"1"), CString()) << "missing file";

    std::ofstream(file) << "[KB.DIALOG]\n1=before\n";
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"1"), CString(L"before"));
    std::ofstream(file) << "[KB.DIALOG]\n1=after\n";
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"1"), CString(L"after"));
    std::filesystem::remove(file);
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"1"), CString());
    EXPECT_EQ(IniFile::ReadString(home.Root(), L"KB.DIALOG", L"1"), CString()) << "a folder reads as missing";
}

TEST(IniFile, ReadsOnlyTheFirstMegabyte)
{
    corvane::test::TempHome home("ini");
    const auto file = home.Root() / "big.lan";
    std::string text = "[KB.DIALOG]\n1=early\n";
    text += std::string(IniFile::MaxFileBytes, ';');
    text += "\n2=late\n";
    std::ofstream(file, std::ios::binary) << text;
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"1"), CString(L"early"));
    EXPECT_EQ(IniFile::ReadString(file, L"KB.DIALOG", L"2"), CString());
}

TEST(IniFile, ListsTheKeysOfTheFirstSection)
{
    const std::string text = "[A]\n9=x\n[KB.DIALOG]\n1=a\n ; c=d\n 20 = b\nnoequals\n[A]\n3=c\n[KB.DIALOG]\n4=d\n";
    const auto keys = IniFile::FindKeys(text, L"kb.dialog");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], CString(L"1"));
    EXPECT_EQ(keys[1], CString(L"20"));
}
