#include "catalogue/LayoutParse.h"

#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <climits>

using corvane::ParseKeyRect;
using corvane::ParseRowCol;
using tarn::CRect;

TEST(LayoutParse, RowColTakesTheFirstCharacterAndTheLastOneOrTwo)
{
    struct Case {
        const wchar_t* text;
        int row, col;
    };
    const Case cases[] = {
        {L"0,5", 0, 5}, {L"0#5", 0, 5}, {L"3,12", 3, 12}, {L"2#10", 2, 10}, {L"05", 0, 5}, {L"7,31", 7, 31},
        {L"a,5", 0, 5},          // a non-digit row reads as 0
        {L"1,2,3", 1, 0},        // longer texts take the last two characters: ",3" reads 0
        // No position: too short, outside 8 x 32, negative.
        {L"", -1, -1}, {L"5", -1, -1}, {L"8,1", -1, -1}, {L"1,32", -1, -1}, {L"1,-5", -1, -1}, {L"9999", -1, -1},
    };
    for (const Case& c : cases) {
        const auto at = ParseRowCol(c.text);
        EXPECT_EQ(at.row, c.row) << "row_col \"" << c.text << '"';
        EXPECT_EQ(at.col, c.col) << "row_col \"" << c.text << '"';
    }
}

TEST(LayoutParse, RectKeepsTheRestWhenASeparatorIsMissing)
{
    struct Case {
        const wchar_t* text;
        CRect rect;
    };
    const Case cases[] = {
        {L"100#50#40#38", CRect(100, 50, 140, 88)},
        {L"100#50#40", CRect(100, 50, 100, 90)},
        {L"100#50", CRect(100, 0, 100, 50)},
        {L"5", CRect(0, 0, 0, 5)},
        {L"", CRect(0, 0, 0, 0)},
        {L"1#2#3#4#5", CRect(1, 2, 4, 6)},
        {L"x#-2#3#4", CRect(0, -2, 3, 2)},
        {L"2147483647#0#10#2147483647", CRect(INT_MAX, 0, INT_MAX, INT_MAX)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseKeyRect(c.text), c.rect) << "rect \"" << c.text << '"';
}
