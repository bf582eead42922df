#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/tests/GdiFixture.h"
#include "tarnui/platform/gdi/tests/SampleDialogWindow.h"

namespace tarn::test {
namespace {

class SampleDialog : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_FONT();
        ASSERT_TRUE(dialog.Load(CORVANE_TEST_DATA, GetParam() ? L"Open Sans" : L"SourceHanSansCN-Regular"));
        hwnd = dialog.Show(200, 200);
        host.PumpUntilIdle();
    }
    void TearDown() override { SampleDialogWindow::Detach(); }

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
    SampleDialogWindow dialog;
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
