#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/tests/GdiFixture.h"

namespace tarn::test {
namespace {

TEST(Gdi, DibSectionIsPremultipliedBgraTopDown)
{
    Surface s(4, 3);
    ASSERT_NE(s.bits, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0x10, 0xA8, 0xFD));
    RECT r(0, 0, 4, 1);
    FillRect(s.dc, &r, brush);
    DeleteObject(brush);
    // Windows DIB byte order: blue, green, red, alpha; row 0 is the top row.
    const auto* b = static_cast<const uint8_t*>(s.bits);
    EXPECT_EQ(b[0], 0xFD);
    EXPECT_EQ(b[1], 0xA8);
    EXPECT_EQ(b[2], 0x10);
    EXPECT_EQ(b[3], 0xFF);
    EXPECT_EQ(s.At(0, 1), 0u);
    EXPECT_EQ(GetPixel(s.dc, 3, 0), RGB(0x10, 0xA8, 0xFD));
    EXPECT_EQ(GetPixel(s.dc, 4, 0), CLR_INVALID);
}

TEST(Gdi, BitBltCopiesAndAlphaBlendUsesConstantAlpha)
{
    Surface src(10, 10);
    Surface dst(10, 10);
    RECT all(0, 0, 10, 10);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(src.dc, &all, red);
    FillRect(dst.dc, &all, white);
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 5, 10, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dst.dc, 4, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc, 5, 5), RGB(255, 255, 255));

    // The veil of the transitions: constant alpha 51 over white.
    FillRect(dst.dc, &all, white);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 51, 0};
    ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 10, 1, src.dc, 0, 0, 10, 1, blend));
    const COLORREF c = GetPixel(dst.dc, 3, 0);
    EXPECT_EQ(GetRValue(c), 255);
    EXPECT_NEAR(GetGValue(c), 204, 1);
    EXPECT_NEAR(GetBValue(c), 204, 1);
    EXPECT_EQ(GetPixel(dst.dc, 3, 1), RGB(255, 255, 255));
    // Rectangles off the source or negative fail instead of reading stray memory.
    EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 10, 1, src.dc, 5, 0, 10, 1, blend));
    EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, -1, 1, src.dc, 0, 0, 1, 1, blend));
    DeleteObject(red);
}

TEST(Gdi, StretchBltMirrorsAndDoesNotLeaveTheSource)
{
    Surface src(2, 1);
    Surface dst(8, 1);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(0, 0, 255));
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 8, 1, src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(dst.dc, 3, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc, 4, 0), RGB(0, 0, 255));
    ASSERT_TRUE(StretchBlt(dst.dc, 7, 0, -8, 1, src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dst.dc, 7, 0), RGB(255, 0, 0));
    EXPECT_FALSE(StretchBlt(dst.dc, 0, 0, 8, 1, src.dc, 1, 0, 2, 1, SRCCOPY));
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 0x00EE0086));
}

TEST(Gdi, SelectionsAndSavedStates)
{
    Surface s(4, 4);
    // A bitmap is in one DC at a time and cannot be deleted while selected.
    HDC other = CreateCompatibleDC(s.dc);
    EXPECT_EQ(SelectObject(other, s.bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(s.bitmap));
    DeleteDC(other);

    SetTextColor(s.dc, RGB(1, 2, 3));
    const int level = SaveDC(s.dc);
    EXPECT_EQ(level, 1);
    SetTextColor(s.dc, RGB(9, 9, 9));
    SetBkMode(s.dc, TRANSPARENT);
    EXPECT_EQ(SaveDC(s.dc), 2);
    EXPECT_TRUE(RestoreDC(s.dc, 1));
    EXPECT_EQ(GetTextColor(s.dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(s.dc), OPAQUE);
    EXPECT_FALSE(RestoreDC(s.dc, -1));
    EXPECT_FALSE(RestoreDC(s.dc, 0));

    // Handles used after deletion are refused, never dereferenced.
    HBRUSH brush = CreateSolidBrush(0);
    ASSERT_TRUE(DeleteObject(brush));
    RECT r(0, 0, 1, 1);
    EXPECT_EQ(FillRect(s.dc, &r, brush), 0);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_NE(GetStockObject(WHITE_BRUSH), nullptr);
}

TEST(Gdi, RoundRectRegionLeavesCornersOut)
{
    HRGN rgn = CreateRoundRectRgn(0, 0, 40, 20, 10, 10);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 39, 19));
    EXPECT_TRUE(PtInRegion(rgn, 5, 0));
    EXPECT_TRUE(PtInRegion(rgn, 0, 10));
    EXPECT_TRUE(PtInRegion(rgn, 20, 10));
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), COMPLEXREGION);
    EXPECT_EQ(box, RECT(0, 0, 40, 20));

    // Corners of no size leave the box square.
    HRGN square = CreateRoundRectRgn(0, 0, 10, 10, 0, 0);
    EXPECT_EQ(GetRegionRects(square).size(), 1u);
    HRGN diff = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(diff, square, rgn, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(diff, 0, 0));
    EXPECT_FALSE(PtInRegion(diff, 5, 5));
    for (HRGN h : {rgn, square, diff})
        DeleteObject(h);
}

TEST(Gdi, ClipRegionLimitsDrawing)
{
    Surface s(10, 10);
    HRGN clip = CreateRectRgn(2, 2, 4, 4);
    SelectClipRgn(s.dc, clip);
    DeleteObject(clip);
    RECT all(0, 0, 10, 10);
    FillRect(s.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectClipRgn(s.dc, nullptr);
    EXPECT_EQ(s.Inked(all), 4);
    EXPECT_EQ(s.At(2, 2), 0xFF000000u);
}

} // namespace
} // namespace tarn::test
