#include "tarnui/platform/CString.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

using tarn::CString;

TEST(CString, FormatsTheConversionsInUse)
{
    struct Case {
        CString actual;
        const wchar_t* expected;
    };
    const CString name(L"Profil");
    const Case cases[] = {
        {CString::Formatted(L"%s %d", name, 3), L"Profil 3"},
        {CString::Formatted(L"Ver: %s", L"1.0.2"), L"Ver: 1.0.2"},
        {CString::Formatted(L"%slanguage/%d.lan", L"/opt/c/", 1055), L"/opt/c/language/1055.lan"},
        {CString::Formatted(L"%s", "utf-8 \xC3\xBC"), L"utf-8 \u00FC"},
        {CString::Formatted(L"%04x|%04X|%#x|%x", 0x258a, 0x258a, 255, 0), L"258a|258A|0xff|0"},
        {CString::Formatted(L"%02X%02X%02X", 1, 171, 255), L"01ABFF"},
        {CString::Formatted(L"%5d|%-5d|%05d|%+d|% d", 42, 42, -42, 7, 7), L"   42|42   |-0042|+7| 7"},
        {CString::Formatted(L"%*d|%.3d|%.2s", 4, 9, 5, L"abc"), L"   9|005|ab"},
        {CString::Formatted(L"%u|%lu|%I64d", 4000000000u, 12ul, -1ll), L"4000000000|12|-1"},
        {CString::Formatted(L"%.2f|%c|100%%", 2.345, L'\u00E7'), L"2.35|\u00E7|100%"},
        {CString::Formatted(L"%d|%s|end%"), L"0||end%"},
        {CString::Formatted(L"%d", -2147483647 - 1), L"-2147483648"},
        {CString::Formatted(L"%q|%s", L"x"), L"%q|x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual.str(), std::wstring(c.expected));
}

TEST(CString, Utf8RoundTripAndInvalidBytes)
{
    const CString turkish(L"T\u00FCrk\u00E7e \u011F\u0131\u015F \U0001F600");
    EXPECT_EQ(CString::FromUtf8(turkish.ToUtf8()), turkish);
    EXPECT_EQ(turkish.GetLength(), 12);

    // Truncated sequence, overlong encoding, stray continuation byte, encoded surrogate.
    EXPECT_EQ(CString::FromUtf8("a\xC3").str(), L"a\uFFFD");
    EXPECT_EQ(CString::FromUtf8("\xC0\xAF").str(), L"\uFFFD");
    EXPECT_EQ(CString::FromUtf8("\x80z").str(), L"\uFFFDz");
    EXPECT_EQ(CString::FromUtf8("\xED\xA0\x80").str(), L"\uFFFD");
}

TEST(CString, SubstringsClampOutOfRangeArguments)
{
    const CString s(L"KEYBOARD");
    EXPECT_EQ(s.Left(3), L"KEY");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Left(99), L"KEYBOARD");
    EXPECT_EQ(s.Right(5), L"BOARD");
    EXPECT_EQ(s.Mid(3), L"BOARD");
    EXPECT_EQ(s.Mid(3, 2), L"BO");
    EXPECT_EQ(s.Mid(20, 2), L"");
    EXPECT_EQ(s.Mid(-4, 3), L"KEY");
    EXPECT_EQ(s.GetAt(8), L'\0');
    EXPECT_EQ(s.Find(L"BOARD"), 3);
    EXPECT_EQ(s.Find(L"K", 1), -1);
    EXPECT_EQ(s.Find(L"", 8), 8);
    EXPECT_EQ(s.Find(L"", 9), -1);
    EXPECT_EQ(s.ReverseFind(L'O'), 4);
    EXPECT_EQ(s.ReverseFind(L'Z'), -1);
}

TEST(CString, EditingOperations)
{
    CString s(L"\\\\?\\hid#vid_258a&pid_0049&mi_03#x");
    s.MakeUpper();
    EXPECT_EQ(s, L"\\\\?\\HID#VID_258A&PID_0049&MI_03#X");
    EXPECT_EQ(s.Replace(L"#", L"/"), 2);
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    CString t(L"  padded \t");
    EXPECT_EQ(t.Trim(), L"padded");
    EXPECT_EQ(CString(L"Abc").CompareNoCase(L"aBC"), 0);
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    CString a(L"x");
    a.AppendFormat(L"-%d", 5);
    EXPECT_EQ(a + L"!" , L"x-5!");
}
