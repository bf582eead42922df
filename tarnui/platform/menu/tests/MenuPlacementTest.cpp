#include "tarnui/platform/Menu.h"
#include "tarnui/platform/menu/MenuPlacement.h"

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

struct PlaceCase {
    const char* name;
    POINT at;
    UINT flags;
    std::optional<RECT> exclude;
    RECT monitor;
    RECT expected;
};

class MenuPlacementCases : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(MenuPlacementCases, OpensWhereItFits)
{
    const PlaceCase& c = GetParam();
    const RECT* exclude = c.exclude ? &*c.exclude : nullptr;
    EXPECT_EQ(MenuPlacement::Place(SIZE(150, 60), c.at, c.flags, exclude, c.monitor), c.expected);
}

const RECT kScreen(0, 0, 1920, 1080);

INSTANTIATE_TEST_SUITE_P(
    Menu, MenuPlacementCases,
    ::testing::Values(
        PlaceCase{"TopLeftAtThePoint", POINT(100, 100), 0, std::nullopt, kScreen, RECT(100, 100, 250, 160)},
        // The tray's corner: the menu opens up and to the left of the pointer, over the panel.
        PlaceCase{"FlipsAtTheBottomRight", POINT(1900, 1060), 0, std::nullopt, kScreen, RECT(1750, 1000, 1900, 1060)},
        PlaceCase{"RightBottomAlignedFlipsBackNearTheTopLeft", POINT(100, 40), TPM_RIGHTALIGN | TPM_BOTTOMALIGN,
                  std::nullopt, kScreen, RECT(100, 40, 250, 100)},
        PlaceCase{"Centred", POINT(960, 500), TPM_CENTERALIGN | TPM_VCENTERALIGN, std::nullopt, kScreen,
                  RECT(885, 470, 1035, 530)},
        PlaceCase{"CentredIsKeptOnTheMonitor", POINT(5, 1075), TPM_CENTERALIGN | TPM_VCENTERALIGN, std::nullopt,
                  kScreen, RECT(0, 1020, 150, 1080)},
        PlaceCase{"SecondMonitorLeftOfThePrimary", POINT(-10, 10), 0, std::nullopt, RECT(-1280, 0, 0, 1024),
                  RECT(-160, 10, -10, 70)},
        PlaceCase{"ExcludedAreaHorizontally", POINT(100, 100), 0, RECT(90, 90, 200, 120), kScreen,
                  RECT(200, 100, 350, 160)},
        PlaceCase{"ExcludedAreaVertically", POINT(100, 100), TPM_VERTICAL, RECT(90, 90, 200, 120), kScreen,
                  RECT(100, 120, 250, 180)},
        PlaceCase{"ExcludedAreaAtTheRightEdgeGoesLeftOfIt", POINT(1800, 100), 0, RECT(1790, 90, 1900, 120), kScreen,
                  RECT(1640, 100, 1790, 160)}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace tarn::test
