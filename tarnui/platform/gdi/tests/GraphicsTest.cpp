#include "tarnui/platform/gdi/tests/GdiFixture.h"

namespace tarn::test {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// A 9 x 9 picture: red 3 x 3 corners, blue edges, green centre.
std::unique_ptr<gp::Bitmap> NineGridPicture()
{
    auto picture = std::make_unique<gp::Bitmap>(9, 9);
    gp::Bitmap& b = *picture;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool edgeX = x < 3 || x >= 6;
            const bool edgeY = y < 3 || y >= 6;
            b.SetPixel(x, y, gp::Color(edgeX && edgeY ? kRed : edgeX || edgeY ? kBlue : kGreen));
        }
    return picture;
}

TEST(Graphics, NineGridCornersKeepTheirSize)
{
    auto picture = NineGridPicture();
    Surface s(40, 30);
    gp::Graphics g(s.dc);
    const int b = 3, sw = 9, sh = 9, dw = 40, dh = 30;
    struct Piece {
        gp::Rect dest;
        int sx, sy, w, h;
    };
    const Piece pieces[] = {
        {{0, 0, b, b}, 0, 0, b, b},
        {{0, b, b, dh - 2 * b}, 0, b, b, sh - 2 * b},
        {{0, dh - b, b, b}, 0, sh - b, b, b},
        {{b, 0, dw - 2 * b, b}, b, 0, sw - 2 * b, b},
        {{dw - b, 0, b, b}, sw - b, 0, b, b},
        {{dw - b, b, b, dh - 2 * b}, sw - b, b, b, sh - 2 * b},
        {{dw - b, dh - b, b, b}, sw - b, sh - b, b, b},
        {{b, dh - b, dw - 2 * b, b}, b, sh - b, sw - 2 * b, b},
        {{b, b, dw - 2 * b, dh - 2 * b}, b, b, sw - 2 * b, sh - 2 * b},
    };
    for (const Piece& p : pieces)
        g.DrawImage(picture.get(), p.dest, p.sx, p.sy, p.w, p.h, gp::UnitPixel);
    EXPECT_EQ(s.At(2, 2), kRed);
    EXPECT_EQ(s.At(37, 27), kRed);
    EXPECT_EQ(s.At(3, 0), kBlue);   // the stretched edge starts right after the corner
    EXPECT_EQ(s.At(36, 2), kBlue);
    EXPECT_EQ(s.At(0, 3), kBlue);
    EXPECT_EQ(s.At(3, 3), kGreen);
    EXPECT_EQ(s.At(20, 15), kGreen);
}

TEST(Graphics, RoundedCornerIsTransparent)
{
    Surface s(36, 28);
    gp::Graphics g(s.dc);
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    // The key outline of a 36 x 28 key: elliptic corners of 6 x 6.
    gp::GraphicsPath path;
    const float x = 0, y = 0, w = 36, h = 28, d = 12;
    path.AddArc(x, y, d, d, 180, 90);
    path.AddArc(x + w - d, y, d, d, 270, 90);
    path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
    path.AddArc(x, y + h - d, d, d, 90, 90);
    path.CloseFigure();
    gp::SolidBrush brush(gp::Color(255, 200, 40, 40));
    ASSERT_EQ(g.FillPath(&brush, &path), gp::Ok);
    for (POINT p : {POINT(0, 0), POINT(35, 0), POINT(0, 27), POINT(35, 27)})
        EXPECT_EQ(s.At(p.x, p.y) >> 24, 0u) << p.x << "," << p.y;
    EXPECT_EQ(s.At(18, 14), 0xFFC82828u);
    EXPECT_EQ(s.At(18, 0) >> 24, 255u);
    gp::RectF bounds;
    path.GetBounds(&bounds);
    EXPECT_NEAR(bounds.Width, 36, 0.01);
    EXPECT_NEAR(bounds.Height, 28, 0.01);
}

TEST(Graphics, DottedPenAndTextureBrush)
{
    Surface s(20, 4);
    gp::Graphics g(s.dc);
    gp::Pen pen(gp::Color(0xFF4CFF29), 2);
    pen.SetDashStyle(gp::DashStyleDot);
    g.DrawLine(&pen, 0, 1, 20, 1);
    // Dots as long as the pen is wide, with gaps of the same length.
    EXPECT_EQ(s.At(0, 1), 0xFF4CFF29u);
    EXPECT_EQ(s.At(1, 1), 0xFF4CFF29u);
    EXPECT_EQ(s.At(2, 1), 0u);
    EXPECT_EQ(s.At(3, 1), 0u);
    EXPECT_EQ(s.At(4, 1), 0xFF4CFF29u);

    gp::Bitmap tile(2, 1);
    tile.SetPixel(0, 0, gp::Color(kRed));
    tile.SetPixel(1, 0, gp::Color(kBlue));
    gp::TextureBrush texture(&tile);
    g.FillRectangle(&texture, 0, 3, 20, 1);
    EXPECT_EQ(s.At(6, 3), kRed);
    EXPECT_EQ(s.At(7, 3), kBlue);
}

TEST(Graphics, SemiTransparentFillBlendsAndZeroAlphaDrawsNothing)
{
    Surface s(4, 1);
    RECT all(0, 0, 4, 1);
    FillRect(s.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    gp::Graphics g(s.dc);
    gp::SolidBrush clear(gp::Color(0x00FFFFFF));
    gp::SolidBrush half(gp::Color(128, 0, 0, 0));
    g.FillRectangle(&clear, 0, 0, 4, 1);
    EXPECT_EQ(s.At(0, 0), 0xFFFFFFFFu);
    g.FillRectangle(&half, 2, 0, 2, 1);
    EXPECT_NEAR(static_cast<int>(s.At(3, 0) & 0xFF), 127, 1);
}

TEST(Graphics, ColorRefHelpers)
{
    constexpr gp::Color c(0x80, 0x11, 0x22, 0x33);
    static_assert(c.GetValue() == 0x80112233u);
    static_assert(c.ToCOLORREF() == 0x00332211u);
    static_assert(gp::Color::FromCOLORREF(RGB(1, 2, 3)).GetValue() == 0xFF010203u);
    static_assert(GetRValue(0x00332211u) == 0x11 && GetBValue(0x00332211u) == 0x33);
}

} // namespace
} // namespace tarn::test
