// Score texts and the exported result, byte for byte.
#include "result_export.h"

#include <gtest/gtest.h>

#include <map>

#include "core/text.h"

namespace quillard {
namespace {

// A sheet given as the states of its non-empty boxes.
BoxStates Sheet(std::map<std::pair<int, int>, int> states) {
    return [states = std::move(states)](int q, int c) {
        const auto found = states.find({q, c});
        return found == states.end() ? kBoxEmpty : found->second;
    };
}

const core::DateTime kWhen{{2026, 12, 7}, 9, 5, 3};

TEST(ScoreTexts, CountAndPercentageWithTwoDecimals) {
    EXPECT_EQ(ScoreText(7, 10), L"7 / 10");
    EXPECT_EQ(PercentText(7, 10), L"70.00");
    EXPECT_EQ(PercentText(3, 8), L"37.50");
    EXPECT_EQ(PercentText(2, 3), L"66.67");
    EXPECT_EQ(ScoreText(0, 0), L"0 / 0");
    EXPECT_EQ(PercentText(0, 0), L"0.00");
}

TEST(ResultText, TabSeparatedSheetWithMarksAndSummary) {
    const QuestionSet set{L"小テスト", L"アイウエ", L"23"};
    // Question 1 right on the second choice; question 2 ticked on the first, the third
    // being correct (grey after marking, which the export does not depend on).
    const std::wstring text = ResultText(
        set, Sheet({{{1, 2}, kBoxTicked}, {{2, 1}, kBoxTicked}, {{2, 3}, kBoxGrey}}), L'\t', kWhen);
    EXPECT_EQ(text, L"小テスト（" + core::SystemShortDate(kWhen.date) + L" " +
                        core::SystemLongTime(kWhen) +
                        L"）　：　1/2 (50.00%)\r\n"
                        L"\r\n"
                        L"\tア\tイ\tウ\tエ\r\n"
                        L"問1\t\t○\t\t\r\n"
                        L"問2\t×\t\t●\t\r\n"
                        L"\r\n");
}

TEST(ResultText, CommaSeparatedBytesInCp932) {
    const QuestionSet set{L"T", L"AB", L"2"};
    const std::string bytes =
        core::ToCp932(ResultText(set, Sheet({{{1, 2}, kBoxTicked}}), L',', kWhen));
    const std::string summaryEnd = core::ToCp932(L"）　：　1/1 (100.00%)\r\n");
    const size_t body = bytes.find(summaryEnd);
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(bytes.substr(body + summaryEnd.size()),
              "\r\n,A,B\r\n\x96\xe2"
              "1,,\x81\x9b\r\n\r\n");
}

TEST(ResultText, UnmarkableAnswersAndSetsWithoutQuestions) {
    // Answer 0 and a letter name no choice: nothing is shown as correct and nothing counts.
    const std::wstring text =
        ResultText({L"T", L"AB", L"0x"}, Sheet({{{1, 1}, kBoxTicked}}), L'\t', kWhen);
    EXPECT_NE(text.find(L"0/2 (0.00%)"), std::wstring::npos);
    EXPECT_NE(text.find(L"問1\t×\t\r\n問2\t\t\r\n"), std::wstring::npos);
    EXPECT_NE(
        ResultText({L"E", L"", L""}, Sheet({}), L'\t', kWhen).find(L"0/0 (0.00%)\r\n\r\n\r\n\r\n"),
        std::wstring::npos);
}

TEST(SeparatorForType, TabForTextCommaForCsv) {
    EXPECT_EQ(SeparatorForType(1), L'\t');
    EXPECT_EQ(SeparatorForType(2), L',');
}

}  // namespace
}  // namespace quillard
