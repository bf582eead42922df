#include "tarnui/platform/RectRegion.h"

#include <gtest/gtest.h>

using tarn::CPoint;
using tarn::CRect;
using tarn::RectRegion;

TEST(RectRegion, OverlappingAddsCountTheirAreaOnce)
{
    RectRegion r;
    r.Add(CRect(0, 0, 10, 10));
    r.Add(CRect(5, 5, 15, 15));
    r.Add(CRect(2, 2, 4, 4));
    r.Add(CRect(3, 3, 3, 9)); // empty
    EXPECT_EQ(r.Area(), 100 + 100 - 25);
    EXPECT_EQ(r.Bounds(), CRect(0, 0, 15, 15));
    EXPECT_TRUE(r.Contains(CPoint(14, 14)));
    EXPECT_FALSE(r.Contains(CPoint(12, 2)));
}

TEST(RectRegion, SubtractLeavesAFrameAndIntersectClips)
{
    RectRegion r(CRect(0, 0, 10, 10));
    r.Subtract(CRect(2, 2, 8, 8));
    EXPECT_EQ(r.Area(), 100 - 36);
    EXPECT_FALSE(r.Contains(CPoint(5, 5)));
    EXPECT_EQ(r.Bounds(), CRect(0, 0, 10, 10));
    r.Intersect(CRect(0, 0, 10, 2));
    EXPECT_EQ(r.Area(), 20);
    r.Subtract(CRect(-5, -5, 50, 50));
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_TRUE(r.Bounds().IsRectEmpty());
}
