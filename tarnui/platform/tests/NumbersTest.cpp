#include "tarnui/platform/Numbers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Case {
    const wchar_t* text;
    int32_t expected;
};

TEST(Numbers, DecimalIsLenient)
{
    const Case cases[] = {
        {L"", 0}, {L"abc", 0}, {L"201", 201}, {L"  42", 42}, {L"\t-7", -7}, {L"+15", 15},
        {L"12abc", 12}, {L"1 2", 1}, {L"- 5", 0}, {L"--5", 0}, {L"0x1F", 0}, {L"007", 7},
        {L"2147483647", INT_MAX}, {L"2147483648", INT_MAX}, {L"-2147483648", INT_MIN},
        {L"-99999999999999999999", INT_MIN}, {L"99999999999999999999", INT_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tarn::ReadDecimal(c.text), c.expected) << "text: \"" << c.text << '"';
}

TEST(Numbers, HexAcceptsPrefixAndEitherCase)
{
    const Case cases[] = {
        {L"", 0}, {L"zz", 0}, {L"258a", 0x258A}, {L"258A", 0x258A}, {L"0x258a", 0x258A},
        {L"0X258A", 0x258A}, {L"  1f", 0x1F}, {L"-10", -16}, {L"0x", 0}, {L"0xg", 0},
        {L"12g4", 0x12}, {L"FFFFFFFF", INT_MAX}, {L"7FFFFFFF", INT_MAX}, {L"-80000000", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tarn::ReadHex(c.text), c.expected) << "text: \"" << c.text << '"';
}

} // namespace
