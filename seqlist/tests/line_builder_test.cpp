// Line building below the window: counting directions, signs and padding, the parts left
// out, and the output size computed ahead against the text actually built.
#include "line_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace ordinell {
namespace {

// The lines of a finished run, each without its CR LF; fails when a line lacks one.
std::vector<std::wstring> Lines(const RunParams& params) {
    const std::optional<std::wstring> out = BuildOutput(params, [] { return true; });
    std::vector<std::wstring> lines;
    size_t from = 0;
    for (size_t end; out && (end = out->find(L"\r\n", from)) != std::wstring::npos;
         from = end + 2) {
        lines.push_back(out->substr(from, end - from));
    }
    EXPECT_TRUE(out && from == out->size()) << "every line, the last included, ends with CR LF";
    return lines;
}

RunParams Numbers(NumberRange first, NumberRange second, bool withFirst, bool withSecond) {
    RunParams params;
    params.strings = {L"<", L"|", L">"};
    params.include = {false, withFirst, false, withSecond, false};
    params.numbers = {first, second};
    return params;
}

TEST(FormatValue, PadsWithZerosAfterTheSign) {
    EXPECT_EQ(FormatValue(5, 3), L"005");
    EXPECT_EQ(FormatValue(-5, 3), L"-005");
    EXPECT_EQ(FormatValue(1234, 2), L"1234");
    EXPECT_EQ(FormatValue(0, 0), L"0");
    EXPECT_EQ(FormatValue(-2147483648LL, 0), L"-2147483648");
    EXPECT_EQ(FormatValue(7, 25), std::wstring(24, L'0') + L"7");
}

TEST(Lines, CountDownAndThroughZeroWithoutPaddingBeyondTheWidth) {
    const auto down = Lines(Numbers({10, 1, 1}, {}, true, false));
    ASSERT_EQ(down.size(), 10u);
    EXPECT_EQ(down[0], L"10");
    EXPECT_EQ(down[1], L"9");
    EXPECT_EQ(down[9], L"1");
    EXPECT_EQ(Lines(Numbers({-3, 2, 1}, {}, true, false)),
              (std::vector<std::wstring>{L"-3", L"-2", L"-1", L"0", L"1", L"2"}));
}

TEST(Lines, WithoutTheSecondNumberEachFirstValueGivesOneLine) {
    RunParams params = Numbers({1, 3, 0}, {0, 2000000000, 0}, true, false);
    params.include = {true, true, true, false, true};
    EXPECT_EQ(Lines(params), (std::vector<std::wstring>{L"<1|>", L"<2|>", L"<3|>"}));
}

TEST(Lines, WithoutTheFirstNumberTheSecondRangeRepeatsPerFirstValue) {
    EXPECT_EQ(Lines(Numbers({1, 3, 0}, {5, 6, 0}, false, true)),
              (std::vector<std::wstring>{L"5", L"6", L"5", L"6", L"5", L"6"}));
    EXPECT_EQ(Lines(Numbers({1, 4, 0}, {1, 9, 0}, false, false)), std::vector<std::wstring>(4));
}

// The size computed from the parameters matches what is built, for a spread of ranges,
// signs, pad widths and included parts.
TEST(MeasureOutput, MatchesTheBuiltText) {
    const std::vector<NumberRange> ranges = {{0, 0, 0},
                                             {-3, 2, 1},
                                             {10, 1, 0},
                                             {-120, 15, 4},
                                             {995, 1003, 0},
                                             {-9, -11, 2},
                                             {99999, 100001, 7},
                                             {-2147483647 - 1, -2147483640, 0},
                                             {2147483640, 2147483646, 12}};
    for (const NumberRange& first : ranges) {
        for (const NumberRange& second : ranges) {
            for (unsigned mask = 0; mask < 32; mask += 3) {
                RunParams params;
                params.strings = {L"a", L"第２", L""};
                for (size_t part = 0; part < kPartCount; ++part) {
                    params.include[part] = (mask >> part) & 1;
                }
                params.numbers = {first, second};
                const auto out = BuildOutput(params, [] { return true; });
                const OutputSize size = MeasureOutput(params);
                EXPECT_EQ(size.chars, out->size());
                EXPECT_EQ(size.lines, Lines(params).size());
            }
        }
    }
}

TEST(OutputBound, AHundredThousandLinesFitAndTheWidestRangesAreRefusedWithoutOverflow) {
    RunParams params = Numbers({0, 99, 3}, {0, 999, 3}, true, true);
    params.include = {true, true, true, true, true};
    params.strings = {L"第１文字列", L"第２文字列", L"第３文字列"};
    EXPECT_TRUE(FitsInOutputBox(MeasureOutput(params)));
    params.numbers[0].end = 100;
    EXPECT_FALSE(FitsInOutputBox(MeasureOutput(params)));

    params.numbers = {NumberRange{-2147483647 - 1, 2147483646, 200},
                      NumberRange{-2147483647 - 1, 2147483646, 200}};
    const OutputSize widest = MeasureOutput(params);
    EXPECT_EQ(widest.lines, 4294967295ull * 4294967295ull);
    EXPECT_EQ(widest.chars, UINT64_MAX);  // saturated, not wrapped round
    EXPECT_FALSE(FitsInOutputBox(widest));
}

TEST(OutputBound, LongStringsMeetTheCharacterLimit) {
    RunParams params = Numbers({1, 1000, 0}, {}, false, false);
    params.include[kString1] = true;
    params.strings[0] = std::wstring(kMaxOutputChars / 1000 - 2, L'x');
    EXPECT_TRUE(FitsInOutputBox(MeasureOutput(params)));
    params.strings[0] += L'x';
    EXPECT_FALSE(FitsInOutputBox(MeasureOutput(params)));
}

}  // namespace
}  // namespace ordinell
