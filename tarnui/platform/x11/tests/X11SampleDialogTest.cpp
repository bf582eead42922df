// The drawing layer's sample dialog as a real window: its screenshot must show what the
// headless run presents. The dialog's header comes before Xlib's, whose macros break it.
#include "tarnui/platform/gdi/tests/SampleDialogWindow.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <cstdlib>
#include <filesystem>

namespace tarn::test {
namespace {

class X11SampleDialog : public X11Fixture {
protected:
    void SetUp() override
    {
        const std::string folder = SampleDialogWindow::DataFolder();
        if (!std::filesystem::exists("/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf"))
            GTEST_SKIP() << "needs Debian's fonts-open-sans (scripts/setup.sh)";
        // The drawing tests' fonts, unless the drawing layer has already read others.
        setenv("FONTCONFIG_FILE", (folder + "/fonts.conf").c_str(), 0);
        X11Fixture::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(dialog.Load(folder, L"Open Sans"));
    }
    void TearDown() override
    {
        X11Fixture::TearDown();
        SampleDialogWindow::Detach();
    }

    // The window as the server shows it, one pixel as 0xRRGGBB.
    struct Shot {
        XImage* image = nullptr;
        ~Shot()
        {
            if (image)
                XDestroyImage(image);
        }
        uint32_t At(int x, int y) const { return static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF; }
        int DarkIn(RECT r) const
        {
            int n = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    n += (At(x, y) & 0xFF00) < 0x8000;
            return n;
        }
    };
    void Take(Shot& shot, ::Window w, int width, int height)
    {
        m_session->Sync();
        shot.image = XGetImage(m_probe, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), ~0ul, ZPixmap);
        ASSERT_NE(shot.image, nullptr);
    }

    SampleDialogWindow dialog;
};

TEST_F(X11SampleDialog, ScreenshotShowsThePaintedDialogAndItsRepaints)
{
    HWND h = dialog.Show(150, 120);
    ASSERT_NE(h, nullptr);
    m_windows.push_back(h);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(h) && dialog.paints >= 1; }));
    Pump(50); // the first expose

    {
        Shot shot;
        Take(shot, Native(h), SampleDialogWindow::kWidth, SampleDialogWindow::kHeight);
        EXPECT_EQ(shot.At(2, 2), 0xFFFF00u); // the background picture, stretched to the corners
        EXPECT_EQ(shot.At(199, 99), 0xFFFF00u);
        EXPECT_EQ(shot.At(10, 10), 0x00FF00u); // one frame of the strip, no neighbour at its edges
        EXPECT_EQ(shot.At(29, 29), 0x00FF00u);
        EXPECT_EQ(shot.At(30, 30), 0xFFFF00u);
        EXPECT_GT(shot.DarkIn(RECT(50, 40, 150, 70)), 20); // "Apply"
        EXPECT_EQ(shot.DarkIn(RECT(150, 0, 200, 40)), 0);
    }
    {
        // The screen itself, where the window sits.
        Shot screen;
        Take(screen, DefaultRootWindow(m_probe), 400, 300);
        EXPECT_EQ(screen.At(150 + 20, 120 + 20), 0x00FF00u);
        EXPECT_EQ(screen.At(150 + 100, 120 + 90), 0xFFFF00u);
    }

    // An update rectangle repaints and presents only itself.
    dialog.background = gp::Image::FromFile(SampleDialogWindow::Picture(SampleDialogWindow::DataFolder(), "strip4.png").c_str());
    const int before = dialog.paints;
    RECT part(0, 80, 20, 100);
    InvalidateRect(h, &part, FALSE);
    ASSERT_TRUE(PumpUntil([&] { return dialog.paints > before; }));
    Shot shot;
    Take(shot, Native(h), SampleDialogWindow::kWidth, SampleDialogWindow::kHeight);
    EXPECT_EQ(shot.At(5, 95), 0xFF0000u);
    EXPECT_EQ(shot.At(5, 50), 0xFFFF00u);
}

} // namespace
} // namespace tarn::test
