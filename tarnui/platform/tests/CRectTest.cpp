#include "tarnui/platform/CRect.h"

#include <gtest/gtest.h>

using tarn::CPoint;
using tarn::CRect;

TEST(CRect, EdgesAreExclusiveOnTheRightAndBottom)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 25)));
    EXPECT_FALSE(r.PtInRect(CPoint(15, 40)));
}

TEST(CRect, IntersectAndUnion)
{
    CRect out;
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(out, CRect(5, 5, 10, 10));
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(out.IsRectNull());

    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 0, 0), CRect(5, 5, 8, 9)));
    EXPECT_EQ(out, CRect(5, 5, 8, 9));
    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 2, 2), CRect(5, 5, 8, 9)));
    EXPECT_EQ(out, CRect(0, 0, 8, 9));
}
