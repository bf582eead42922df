#include "tarnui/platform/gdi/tests/GdiFixture.h"

#include <cwchar>

namespace tarn::test {
namespace {

HFONT MakeFont(const wchar_t* face, int height)
{
    LOGFONTW lf;
    lf.lfHeight = -height;
    lf.lfWeight = FW_NORMAL;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// The leftmost and rightmost inked columns of a box.
std::pair<int, int> InkColumns(const Surface& s, RECT r)
{
    int left = -1, right = -1;
    for (int x = r.left; x < r.right; ++x) {
        for (int y = r.top; y < r.bottom; ++y) {
            if (s.At(x, y) >> 24) {
                if (left < 0)
                    left = x;
                right = x;
                break;
            }
        }
    }
    return {left, right};
}

class GdiText : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_FONT();
        // GDI substitutes: a misspelt family still draws.
        font = MakeFont(L"Arail", 14);
        SelectObject(s.dc, font);
        SetBkMode(s.dc, TRANSPARENT);
        SetTextColor(s.dc, RGB(0, 0, 0));
    }
    void TearDown() override
    {
        SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
    Surface s{200, 60};
    HFONT font = nullptr;
};

TEST_F(GdiText, EllipsisKeepsALongTextInsideItsBox)
{
    const wchar_t* text = L"A long text that cannot fit into the narrow box at all";
    RECT wide(0, 0, 2000, 30);
    const int h = DrawTextW(s.dc, text, -1, &wide, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GT(h, 10);
    EXPECT_GT(wide.Width(), 120);

    RECT box(10, 0, 130, 30);
    DrawTextW(s.dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS);
    auto [left, right] = InkColumns(s, RECT(0, 0, 200, 60));
    EXPECT_GE(left, 10);
    EXPECT_LT(right, 130);
    // Shortened, not cut: the ellipsis sits near the end of the box.
    EXPECT_GT(right, 110);
}

TEST_F(GdiText, CentredSingleLineAndWordBreak)
{
    RECT box(0, 0, 200, 60);
    DrawTextW(s.dc, L"Mid", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    auto [left, right] = InkColumns(s, box);
    ASSERT_GE(left, 0);
    EXPECT_NEAR((left + right) / 2.0, 100, 3);
    EXPECT_EQ(s.Inked(RECT(0, 0, 200, 15)), 0);
    EXPECT_EQ(s.Inked(RECT(0, 45, 200, 60)), 0);

    RECT one(0, 0, 80, 0);
    RECT two(0, 0, 80, 0);
    const int single = DrawTextW(s.dc, L"word", -1, &one, DT_CALCRECT | DT_WORDBREAK);
    const int wrapped = DrawTextW(s.dc, L"word word word word", -1, &two, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(wrapped, 2 * single);
    EXPECT_LE(two.Width(), 80);
}

TEST_F(GdiText, OpaqueFillAndPrefix)
{
    SetBkColor(s.dc, RGB(0, 0, 255));
    RECT fill(0, 0, 20, 10);
    ASSERT_TRUE(ExtTextOutW(s.dc, 0, 0, ETO_OPAQUE, &fill, L"", 0, nullptr));
    EXPECT_EQ(GetPixel(s.dc, 19, 9), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(s.dc, 20, 9), RGB(0, 0, 0));
    EXPECT_FALSE(ExtTextOutW(s.dc, 0, 0, ETO_OPAQUE, nullptr, L"", 0, nullptr));

    RECT a(0, 0, 500, 0);
    RECT b(0, 0, 500, 0);
    DrawTextW(s.dc, L"&&Save", -1, &a, DT_CALCRECT | DT_SINGLELINE);
    DrawTextW(s.dc, L"&Save", -1, &b, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(a.Width(), b.Width());
}

TEST(GdiPlusText, DrawnOnlyWhenTheFamilyExists)
{
    REQUIRE_TEST_FONT();
    EXPECT_EQ(gp::FontFamily::FromName(L"SourceHanSansCN-Regular"), nullptr);
    auto family = gp::FontFamily::FromName(L"Open Sans");
    ASSERT_NE(family, nullptr);

    Surface s(120, 30);
    gp::Graphics g(s.dc);
    g.SetTextRenderingHint(gp::TextRenderingHintClearTypeGridFit);
    gp::SolidBrush brush(gp::Color(255, 0, 0, 0));
    gp::FontFamily missing(L"SourceHanSansCN-Regular");
    gp::Font none(&missing, 14);
    EXPECT_FALSE(none.IsAvailable());
    EXPECT_EQ(g.DrawString(L"Text", -1, &none, gp::RectF(0, 0, 120, 30), nullptr, &brush), gp::FontFamilyNotFound);
    EXPECT_EQ(s.Inked(RECT(0, 0, 120, 30)), 0);

    gp::Font font(family.get(), 14);
    gp::StringFormat format;
    format.SetAlignment(gp::StringAlignmentCenter);
    format.SetLineAlignment(gp::StringAlignmentCenter);
    EXPECT_EQ(g.DrawString(L"Text", -1, &font, gp::RectF(0, 0, 120, 30), &format, &brush), gp::Ok);
    EXPECT_GT(s.Inked(RECT(45, 5, 75, 25)), 10);
    EXPECT_EQ(s.Inked(RECT(0, 0, 30, 30)), 0);
    // Grayscale anti-aliasing: partly covered pixels, and no colour fringes.
    bool partial = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            const uint32_t p = s.At(x, y);
            partial = partial || ((p >> 24) > 0 && (p >> 24) < 255);
            EXPECT_EQ(p & 0xFFFFFF, 0u);
        }
    EXPECT_TRUE(partial);
}

TEST(GdiPlusText, TrailingSpacesAndMeasures)
{
    REQUIRE_TEST_FONT();
    Surface s(10, 10);
    gp::Graphics g(s.dc);
    gp::Font font(L"Open Sans", 14);
    ASSERT_TRUE(font.IsAvailable());
    gp::RectF plain, spaced, counted;
    gp::StringFormat keep(gp::StringFormatFlagsMeasureTrailingSpaces);
    g.MeasureString(L"ab", -1, &font, gp::RectF(), nullptr, &plain);
    g.MeasureString(L"ab   ", -1, &font, gp::RectF(), nullptr, &spaced);
    g.MeasureString(L"ab   ", -1, &font, gp::RectF(), &keep, &counted);
    EXPECT_FLOAT_EQ(plain.Width, spaced.Width);
    EXPECT_GT(counted.Width, plain.Width);
    EXPECT_GT(font.GetHeight(), 14.0f);
    EXPECT_LT(font.GetHeight(), 24.0f);

    gp::GraphicsPath path;
    gp::FontFamily family(L"Open Sans");
    ASSERT_EQ(path.AddString(L"Wide text", -1, &family, 0, 14, gp::RectF(), nullptr), gp::Ok);
    gp::RectF bounds;
    path.GetBounds(&bounds);
    EXPECT_GT(bounds.Width, 40);
    EXPECT_LE(bounds.Width, counted.Width * 4);
}

TEST(GdiPlusText, PrivateFontFromMemoryCarriesItsWeight)
{
    REQUIRE_TEST_FONT();
    FILE* f = std::fopen("/usr/share/fonts/truetype/open-sans/OpenSans-Semibold.ttf", "rb");
    ASSERT_NE(f, nullptr);
    std::vector<char> bytes(300000);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    gp::PrivateFontCollection fonts;
    ASSERT_EQ(fonts.AddMemoryFont(bytes.data(), static_cast<int>(bytes.size())), gp::Ok);
    gp::FontFamily first;
    int found = 0;
    fonts.GetFamilies(1, &first, &found);
    ASSERT_EQ(found, 1);
    EXPECT_TRUE(first.IsAvailable());
    EXPECT_EQ(first.FaceWeight(), 600);
    EXPECT_EQ(fonts.AddFontFile(L"/nonexistent/font.ttf"), gp::FileNotFound);
    EXPECT_EQ(fonts.AddMemoryFont("not a font", 10), gp::InvalidParameter);
}

} // namespace
} // namespace tarn::test
