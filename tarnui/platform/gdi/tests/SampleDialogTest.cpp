#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/tests/GdiFixture.h"

namespace tarn::test {
namespace {

// A small dialog painted as the paint pipeline paints: everything into one off-screen DIB,
// then the update rectangle copied to the paint DC.
struct Dialog {
    std::unique_ptr<gp::Image> background;
    std::unique_ptr<gp::Image> strip;
    std::wstring family;
    int paints = 0;
};

Dialog* g_dialog = nullptr;

LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_PAINT || !g_dialog)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    ++g_dialog->paints;
    RECT client;
    GetClientRect(hwnd, &client);
    PAINTSTRUCT ps;
    HDC paint = BeginPaint(hwnd, &ps);
    HDC mem = CreateCompatibleDC(paint);
    BITMAPINFO info{};
    info.bmiHeader.biWidth = client.Width();
    info.bmiHeader.biHeight = client.Height();
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    {
        gp::Graphics g(mem);
        g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
        g.SetTextRenderingHint(gp::TextRenderingHintClearTypeGridFit);
        g.DrawImage(g_dialog->background.get(), gp::Rect{0, 0, client.Width(), client.Height()});
        const int fw = static_cast<int>(g_dialog->strip->GetWidth()) / 4;
        g.DrawImage(g_dialog->strip.get(), gp::Rect{10, 10, 20, 20}, 1 * fw, 0, fw, 10, gp::UnitPixel);
        gp::FontFamily family(g_dialog->family.c_str());
        gp::Font font(&family, 16);
        gp::SolidBrush black(gp::Color(255, 0, 0, 0));
        gp::StringFormat format;
        format.SetLineAlignment(gp::StringAlignmentCenter);
        g.DrawString(L"Apply", -1, &font, gp::RectF(50, 40, 100, 30), &format, &black);
    }
    BitBlt(paint, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.Width(), ps.rcPaint.Height(), mem, ps.rcPaint.left,
           ps.rcPaint.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    EndPaint(hwnd, &ps);
    return 0;
}

class SampleDialog : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_FONT();
        dialog.background = gp::Image::FromFile(Data("corner.png").c_str());
        dialog.strip = gp::Image::FromFile(Data("strip4.png").c_str());
        ASSERT_TRUE(dialog.background && dialog.strip);
        dialog.family = GetParam() ? L"Open Sans" : L"SourceHanSansCN-Regular";
        g_dialog = &dialog;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &DialogProc;
        wc.lpszClassName = L"SampleDialog";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, L"SampleDialog", L"Sample", WS_POPUP | WS_VISIBLE, 200, 200, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
        host.PumpUntilIdle();
    }
    void TearDown() override { g_dialog = nullptr; }

    uint32_t At(int x, int y) const
    {
        return host.Presented(hwnd)[static_cast<size_t>(y) * 200 + static_cast<size_t>(x)];
    }
    int DarkIn(RECT r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += (At(x, y) & 0xFF00) < 0x8000;
        return n;
    }

    HeadlessHost host;
    Dialog dialog;
    HWND hwnd = nullptr;
};

TEST_P(SampleDialog, PaintedAndReadBack)
{
    ASSERT_GE(dialog.paints, 1);
    ASSERT_EQ(host.Presented(hwnd).size(), 200u * 100u);
    EXPECT_EQ(At(2, 2), 0xFFFFFF00u);   // background picture, stretched
    EXPECT_EQ(At(199, 99), 0xFFFFFF00u);
    EXPECT_EQ(At(10, 10), 0xFF00FF00u); // frame 1 of the strip, no neighbour frame at its edges
    EXPECT_EQ(At(29, 29), 0xFF00FF00u);
    EXPECT_EQ(At(30, 30), 0xFFFFFF00u);
    if (GetParam())
        EXPECT_GT(DarkIn(RECT(50, 40, 150, 70)), 20);
    else
        EXPECT_EQ(DarkIn(RECT(0, 0, 200, 100)), 0);
    EXPECT_EQ(DarkIn(RECT(150, 0, 200, 40)), 0);
}

TEST_P(SampleDialog, AnUpdateRectRepaintsOnlyItself)
{
    dialog.background = gp::Image::FromFile(Data("strip4.png").c_str()); // now red on the left quarter
    RECT part(0, 80, 20, 100);
    InvalidateRect(hwnd, &part, FALSE);
    host.PumpUntilIdle();
    EXPECT_EQ(At(5, 95), 0xFFFF0000u);
    EXPECT_EQ(At(5, 50), 0xFFFFFF00u); // outside the update rectangle: as presented before
}

INSTANTIATE_TEST_SUITE_P(Family, SampleDialog, ::testing::Bool(),
                         [](const auto& p) { return p.param ? "Installed" : "Missing"; });

} // namespace
} // namespace tarn::test
