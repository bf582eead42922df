#include "tarnui/platform/gdi/tests/GdiFixture.h"

#include <fstream>
#include <iterator>

namespace tarn::test {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

uint32_t PixelOf(gp::Image& image, int x, int y)
{
    gp::Bitmap* bitmap = dynamic_cast<gp::Bitmap*>(&image);
    gp::Color c;
    EXPECT_NE(bitmap, nullptr);
    if (bitmap)
        bitmap->GetPixel(x, y, &c);
    return c.GetValue();
}

TEST(Image, StripFramesDrawWithoutBleeding)
{
    auto strip = gp::Image::FromFile(Data("strip4.png").c_str());
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->GetWidth(), 40u);
    Surface s(60, 40);
    gp::Graphics g(s.dc);
    // Frame 2 of 4, stretched: its edges must not pick up frames 1 and 3.
    const int frame = 2, fw = 40 / 4;
    g.DrawImage(strip.get(), gp::Rect{0, 0, 60, 40}, frame * fw, 0, fw, 10, gp::UnitPixel);
    for (POINT p : {POINT(0, 0), POINT(59, 0), POINT(0, 39), POINT(59, 39), POINT(30, 20)})
        EXPECT_EQ(s.At(p.x, p.y), kBlue) << p.x << "," << p.y;
    // Unscaled, it lands pixel for pixel.
    Surface t(10, 10);
    gp::Graphics gt(t.dc);
    gt.DrawImage(strip.get(), gp::Rect{0, 0, 10, 10}, 3 * fw, 0, fw, 10, gp::UnitPixel);
    EXPECT_EQ(t.At(0, 0), kWhite);
    EXPECT_EQ(t.At(9, 9), kWhite);
}

TEST(Image, GifFramesAndTheirDelays)
{
    auto gif = gp::Image::FromFile(Data("anim2.gif").c_str());
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(gif->GetFrameCount(), 2u);
    EXPECT_EQ(gif->GetFrameDelay(0), 100u);
    EXPECT_EQ(gif->GetFrameDelay(1), 200u);
    EXPECT_EQ(PixelOf(*gif, 6, 3), kRed);
    ASSERT_EQ(gif->SelectActiveFrame(1), gp::Ok);
    // The second frame covers only the right half; the left keeps the first frame.
    EXPECT_EQ(PixelOf(*gif, 6, 3), kBlue);
    EXPECT_EQ(PixelOf(*gif, 1, 3), kRed);
    EXPECT_EQ(gif->SelectActiveFrame(2), gp::InvalidParameter);
    EXPECT_EQ(gif->GetActiveFrame(), 1u);
}

TEST(Image, IcoEntries)
{
    auto mixed = gp::Image::FromFile(Data("icon_mix.ico").c_str());
    ASSERT_NE(mixed, nullptr);
    // The largest entry is the one shown: the 32 x 32 PNG.
    EXPECT_EQ(mixed->GetWidth(), 32u);
    EXPECT_EQ(PixelOf(*mixed, 31, 31), kGreen);

    auto bmp = gp::Image::FromFile(Data("icon_bmp.ico").c_str());
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->GetWidth(), 16u);
    EXPECT_EQ(PixelOf(*bmp, 2, 2) >> 24, 0u);     // masked out
    EXPECT_EQ(PixelOf(*bmp, 12, 12), 0xFFFF00FFu); // magenta, opaque
    EXPECT_EQ(PixelOf(*bmp, 12, 2), 0xFFFF00FFu);  // rows are not upside down
}

TEST(Image, BrokenInputGivesNull)
{
    EXPECT_EQ(gp::Image::FromFile(L"/nonexistent/picture.png"), nullptr);
    EXPECT_EQ(gp::Image::FromStream("GIF89a", 6), nullptr);
    EXPECT_EQ(gp::Image::FromStream("\0\0\1\0\1\0", 6), nullptr);
    EXPECT_EQ(gp::Image::FromStream(nullptr, 0), nullptr);
    std::ifstream in(CORVANE_TEST_DATA "/anim2.gif", std::ios::binary);
    std::vector<char> gif((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A stream cut inside the second frame keeps the frames it had.
    auto cut = gp::Image::FromStream(gif.data(), gif.size() - 8);
    ASSERT_NE(cut, nullptr);
    EXPECT_GE(cut->GetFrameCount(), 1u);
}

TEST(Image, BackslashPathsAndClones)
{
    std::wstring path = Data("corner.png");
    for (auto& c : path)
        if (c == L'/')
            c = L'\\';
    auto image = gp::Image::FromFile(path.c_str());
    ASSERT_NE(image, nullptr);
    auto copy = image->Clone();
    gp::Graphics g(copy.get());
    g.Clear(gp::Color(0, 0, 0, 0));
    EXPECT_EQ(PixelOf(*image, 0, 0), 0xFFFFFF00u);
    EXPECT_EQ(PixelOf(*copy, 0, 0) >> 24, 0u);
}

} // namespace
} // namespace tarn::test
