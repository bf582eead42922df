#include "xml/XmlDocument.h"
#include "xml/XmlEscape.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using corvane::XmlDocument;
using tarn::CString;

namespace {

std::vector<std::byte> Bytes(std::string_view s)
{
    const auto* p = reinterpret_cast<const std::byte*>(s.data());
    return {p, p + s.size()};
}

// The text in UTF-16 with the given byte order, optionally led by its byte-order mark.
std::vector<std::byte> Utf16(std::u16string_view s, bool bigEndian, bool bom)
{
    std::vector<std::byte> out;
    auto put = [&](char16_t c) {
        const auto hi = static_cast<std::byte>(c >> 8), lo = static_cast<std::byte>(c & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    };
    if (bom)
        put(u'\uFEFF');
    for (char16_t c : s)
        put(c);
    return out;
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("corvane-xml-" + std::to_string(::getpid()) + "-"
              + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST(XmlDocument, DetectsEncodings)
{
    const std::u16string doc16 = u"<config><software name=\"T\u00FCrk\u00E7e\"/></config>";
    struct Case {
        const char* what;
        std::vector<std::byte> data;
    };
    const Case cases[] = {
        {"utf-8", Bytes("<config><software name=\"T\xC3\xBCrk\xC3\xA7" "e\"/></config>")},
        {"utf-8 bom", Bytes("\xEF\xBB\xBF<?xml version=\"1.0\"?><config><software name=\"T\xC3\xBCrk\xC3\xA7" "e\"/></config>")},
        {"utf-16le bom", Utf16(doc16, false, true)},
        {"utf-16be bom", Utf16(doc16, true, true)},
        {"utf-16le", Utf16(doc16, false, false)},
        {"utf-16be", Utf16(doc16, true, false)},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFromMemory(c.data)) << c.what;
        ASSERT_TRUE(doc.FindElem("config")) << c.what;
        ASSERT_TRUE(doc.IntoElem());
        ASSERT_TRUE(doc.FindElem("software")) << c.what;
        EXPECT_EQ(doc.GetAttrib("name"), L"T\u00FCrk\u00E7e") << c.what;
    }
}

TEST(XmlDocument, RefusesWhatIsNotOneWellFormedDocument)
{
    const char* cases[] = {
        "",
        "   ",
        "<?xml version=\"1.0\"?>",
        "<!-- only a comment -->",
        "<a/><b/>",
        "<a><b></a>",
        "<a x=\"1\" x=\"2\"/>",
        "text only",
    };
    for (const char* c : cases) {
        XmlDocument doc;
        EXPECT_FALSE(doc.LoadFromMemory(Bytes(c))) << c;
        EXPECT_FALSE(doc.FindElem("a")) << "a refused document is empty: " << c;
    }
}

TEST(XmlDocument, NeverExpandsDeclaredEntitiesOrLoadsExternalOnes)
{
    const std::string secret = "/etc/hostname";
    const std::string text =
        "<!DOCTYPE config [<!ENTITY a \"AAAAAAAAAA\"><!ENTITY b \"&a;&a;&a;&a;\">"
        "<!ENTITY ext SYSTEM \"file://" + secret + "\">]>"
        "<config><x v=\"&b;|&ext;|&lt;&#65;\"/></config>";
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromMemory(Bytes(text)));
    ASSERT_TRUE(doc.FindElem("config") && doc.IntoElem() && doc.FindElem("x"));
    EXPECT_EQ(doc.GetAttrib("v"), L"&b;|&ext;|<A");
}

TEST_F(TempDir, LoadsFilesAndRefusesOversizedOnes)
{
    const auto ok = dir / "ok.xml";
    std::ofstream(ok) << "<config/>";
    XmlDocument doc;
    EXPECT_TRUE(doc.Load(ok));
    EXPECT_FALSE(doc.Load(dir / "missing.xml"));
    EXPECT_FALSE(doc.Load(dir));

    const auto big = dir / "big.xml";
    {
        std::ofstream out(big, std::ios::binary);
        out << "<config>";
        out << std::string(XmlDocument::MaxFileSize, ' ');
        out << "</config>";
    }
    EXPECT_FALSE(doc.Load(big));
}

TEST(XmlDocument, SearchesRunForwardFromThePosition)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFromMemory(Bytes(
        "<config><software name=\"early\"/><device.info><keyboard name=\"k1\"><mode value=\"0\"/></keyboard>"
        "<keyboard name=\"k2\"/></device.info><software name=\"late\"/></config>")));
    EXPECT_FALSE(doc.IntoElem()) << "no position yet";
    EXPECT_FALSE(doc.OutOfElem()) << "already at the top";
    ASSERT_TRUE(doc.FindElem("config"));
    EXPECT_EQ(doc.GetTagName(), L"config");
    ASSERT_TRUE(doc.IntoElem());
    EXPECT_EQ(doc.GetAttrib("name"), L"") << "no position inside a level just entered";
    ASSERT_TRUE(doc.FindElem("device.info"));
    ASSERT_TRUE(doc.IntoElem());
    ASSERT_TRUE(doc.FindElem("keyboard"));
    EXPECT_EQ(doc.GetAttrib("name"), L"k1");
    EXPECT_EQ(doc.GetAttrib("absent"), L"");
    ASSERT_TRUE(doc.IntoElem());
    ASSERT_TRUE(doc.FindElem("mode"));
    EXPECT_FALSE(doc.FindElem("mode"));
    EXPECT_EQ(doc.GetAttrib("value"), L"0") << "a failed search keeps the position";
    ASSERT_TRUE(doc.OutOfElem());
    EXPECT_EQ(doc.GetAttrib("name"), L"k1") << "leaving makes the left element the position";
    ASSERT_TRUE(doc.FindElem("keyboard"));
    EXPECT_EQ(doc.GetAttrib("name"), L"k2");
    ASSERT_TRUE(doc.OutOfElem());
    ASSERT_TRUE(doc.FindElem("software"));
    EXPECT_EQ(doc.GetAttrib("name"), L"late") << "the earlier software element lies behind the position";
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElem("config"));
}

TEST(XmlEscape, EscapesMarkupAndDropsWhatXmlCannotHold)
{
    EXPECT_EQ(corvane::XmlEscape(L"<a & 'b' \"c\">"), "&lt;a &amp; &apos;b&apos; &quot;c&quot;&gt;");
    EXPECT_EQ(corvane::XmlEscape(L"x\ty\nz\r"), "x&#9;y&#10;z&#13;");
    EXPECT_EQ(corvane::XmlEscape(std::wstring(L"a\x01\x1F\uFFFE\uFFFFb")), "ab");
    EXPECT_EQ(corvane::XmlEscape(L"\u00E7\U0001F600"), "\xC3\xA7\xF0\x9F\x98\x80");
}

TEST_F(TempDir, WrittenDocumentsReadBackUnchanged)
{
    const CString awkward(L"<M&M's> \"quoted\"\ttab\nline \u011Fx\x02");
    XmlDocument out;
    out.SetDoc("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    ASSERT_TRUE(out.AddElem("macro"));
    ASSERT_TRUE(out.IntoElem());
    ASSERT_TRUE(out.AddElem("macroinfo"));
    ASSERT_TRUE(out.SetAttrib("name", awkward));
    ASSERT_TRUE(out.SetAttrib("times", 3));
    ASSERT_TRUE(out.SetAttrib("type", -1));
    ASSERT_TRUE(out.AddElem("macroitems"));
    ASSERT_TRUE(out.IntoElem());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(out.AddElem("item"));
        ASSERT_TRUE(out.SetAttrib("value", i));
    }
    ASSERT_TRUE(out.OutOfElem());
    ASSERT_TRUE(out.OutOfElem());

    const std::string text = out.ToText();
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>", 0), 0u);
    EXPECT_NE(text.find("<macroinfo name=\"&lt;M&amp;M&apos;s&gt; &quot;quoted&quot;&#9;tab&#10;line \xC4\x9Fx\" times=\"3\" type=\"-1\"/>"),
              std::string::npos) << text;

    const auto path = dir / "m.xml";
    ASSERT_TRUE(out.Save(path));
    XmlDocument in;
    ASSERT_TRUE(in.Load(path));
    ASSERT_TRUE(in.FindElem("macro") && in.IntoElem() && in.FindElem("macroinfo"));
    EXPECT_EQ(in.GetAttrib("name"), CString(L"<M&M's> \"quoted\"\ttab\nline \u011Fx"));
    EXPECT_EQ(in.GetAttrib("times"), L"3");
    ASSERT_TRUE(in.FindElem("macroitems") && in.IntoElem());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(in.FindElem("item"));
        EXPECT_EQ(in.GetAttrib("value"), CString::Formatted(L"%d", i));
    }
    EXPECT_FALSE(in.FindElem("item"));
}

TEST_F(TempDir, AddingAfterThePositionInsertsThere)
{
    XmlDocument doc;
    doc.SetDoc("");
    ASSERT_TRUE(doc.AddElem("r") && doc.IntoElem());
    ASSERT_TRUE(doc.AddElem("a") && doc.AddElem("c"));
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElem("r") && doc.IntoElem() && doc.FindElem("a"));
    ASSERT_TRUE(doc.AddElem("b"));
    EXPECT_EQ(doc.ToText(), "<r>\r\n\t<a/>\r\n\t<b/>\r\n\t<c/>\r\n</r>\r\n");
    EXPECT_FALSE(doc.AddElem(""));
}

TEST_F(TempDir, FailedSaveKeepsTheOldFile)
{
    const auto path = dir / "keep.xml";
    std::ofstream(path) << "old";
    XmlDocument doc;
    doc.SetDoc("");
    ASSERT_TRUE(doc.AddElem("new"));
    // A folder squatting on the temporary name makes the write fail before the rename.
    std::filesystem::create_directory(dir / "keep.xml.part");
    EXPECT_FALSE(doc.Save(path));
    std::ifstream in(path);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "old");
    EXPECT_FALSE(doc.Save(dir / "no-such-folder" / "x.xml"));
}

} // namespace
