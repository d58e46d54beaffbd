#include "run_params.h"

#include <gtest/gtest.h>

namespace ordinell {
namespace {

std::array<std::wstring, 4> Boxes(std::wstring a, std::wstring b = L"0") {
    return {std::move(a), std::move(b), L"0", L"9"};
}

TEST(RangeCheck, AcceptsExactlyMinus2147483648To2147483646) {
    EXPECT_EQ(CheckRangeTexts(Boxes(L"2147483646", L"-2147483648")), RangeCheck::kOk);
    EXPECT_EQ(CheckRangeTexts(Boxes(L"0", L"2147483647")), RangeCheck::kAboveLargest);
    EXPECT_EQ(CheckRangeTexts(Boxes(L"2147483646.5")), RangeCheck::kAboveLargest);
    EXPECT_EQ(CheckRangeTexts(Boxes(L"1e10")), RangeCheck::kAboveLargest);
    EXPECT_EQ(CheckRangeTexts(Boxes(L"0", L"-2147483649")), RangeCheck::kBelowSmallest);
    EXPECT_EQ(CheckRangeTexts(Boxes(L"-1e300")), RangeCheck::kBelowSmallest);
    // Both faults at once: the message about the largest value comes first.
    EXPECT_EQ(CheckRangeTexts(Boxes(L"-9999999999", L"9999999999")), RangeCheck::kAboveLargest);
    EXPECT_EQ(CheckRangeTexts(Boxes(L"abc", L"+.")), RangeCheck::kOk);
}

TEST(ReadRange, RoundsHalvesToEvenAndTakesThePadWidthFromTheEndTextAsTyped) {
    NumberRange range = ReadRange(L"2.5", L"3.5", true);
    EXPECT_EQ(range.start, 2);
    EXPECT_EQ(range.end, 4);
    EXPECT_EQ(range.padWidth, 3u);
    EXPECT_EQ(ReadRange(L"1", L" 100", true).padWidth, 4u);
    EXPECT_EQ(ReadRange(L"1", L"100", false).padWidth, 0u);
    range = ReadRange(L"abc", L"x9", false);
    EXPECT_EQ(range.start, 0);
    EXPECT_EQ(range.end, 0);
}

TEST(NumberRange, CountsTheWidestRangeWithoutOverflow) {
    const NumberRange widest{-2147483647 - 1, 2147483646, 0};
    EXPECT_EQ(widest.Count(), 4294967295u);
    EXPECT_EQ(widest.ValueAt(widest.Count() - 1), 2147483646);
    const NumberRange down{10, 1, 0};
    EXPECT_EQ(down.Step(), -1);
    EXPECT_EQ(down.Count(), 10u);
    EXPECT_EQ(down.ValueAt(9), 1);
}

}  // namespace
}  // namespace ordinell
