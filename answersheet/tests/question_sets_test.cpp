// The set file read and written byte for byte, list entries, and the editor's checks.
#include "question_sets.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace quillard {
namespace {

using Sets = std::vector<QuestionSet>;

TEST(ParseSetFile, ReadsQuotedAndUnquotedFieldsWithTheirBlankRules) {
    const SetFileRead read = ParseSetFile(
        L"\"国語 小テスト\",\"アイウエ\",\"314322\"\r\n"
        L"  plain title  ,  abc  , 123   \r\n"
        L"\"a, b\",\" x \",\"\"\r\n");
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.sets, (Sets{{L"国語 小テスト", L"アイウエ", L"314322"},
                               {L"plain title", L"abc", L"123"},
                               {L"a, b", L" x ", L""}}));
}

TEST(ParseSetFile, TakesMissingFieldsFromTheNextLinesWhateverTheLineEnds) {
    const Sets expected{{L"t1", L"ab", L"12"}, {L"t2", L"abc", L"3"}};
    for (const wchar_t* text : {L"\"t1\",\"ab\",\"12\"\r\n\"t2\",\"abc\",\"3\"\r\n",
                                L"\"t1\",\"ab\",\"12\"\n\"t2\",\"abc\",\"3\"",
                                L"\"t1\",\"ab\",\"12\"\r\"t2\",\"abc\",\"3\"\r",
                                L"\"t1\"\r\n\"ab\",\"12\",\"t2\"\r\n\"abc\"\r\n\"3\"\r\n"}) {
        const SetFileRead read = ParseSetFile(text);
        EXPECT_EQ(read.error, 0) << core::ToUtf8(text);
        EXPECT_EQ(read.sets, expected) << core::ToUtf8(text);
    }
}

TEST(ParseSetFile, TrailingBlankLinesAndBlanksAreNotASet) {
    for (const wchar_t* text : {L"\"t\",\"ab\",\"1\"\r\n\r\n", L"\"t\",\"ab\",\"1\"\r\n  \t ",
                                L"\"t\",\"ab\",\"1\"\r\n\r\n \r\n"}) {
        const SetFileRead read = ParseSetFile(text);
        EXPECT_EQ(read.error, 0);
        EXPECT_EQ(read.sets.size(), 1u);
    }
    EXPECT_TRUE(ParseSetFile(L"").sets.empty());
    EXPECT_EQ(ParseSetFile(L"").error, 0);
}

TEST(ParseSetFile, EndOfInputInsideASetIsAReadErrorKeepingWhatWasRead) {
    SetFileRead read = ParseSetFile(L"\"t1\",\"ab\",\"12\"\r\n\"t2\",\"abc\"\r\n");
    EXPECT_EQ(read.error, kErrInputPastEnd);
    EXPECT_EQ(read.sets, (Sets{{L"t1", L"ab", L"12"}, {L"t2", L"abc", L""}}));

    read = ParseSetFile(L"\"t1\",\"ab\",\"12");  // no closing quote
    EXPECT_EQ(read.error, kErrInputPastEnd);
    EXPECT_EQ(read.sets.size(), 1u);
}

TEST(SetFileBytes, WritesOneQuotedLinePerSetInCp932) {
    EXPECT_EQ(SetFileBytes({{L"国語", L"アイ", L"12"}, {L"t", L"", L""}}),
              "\"\x8d\x91\x8c\xea\",\"\x83\x41\x83\x43\",\"12\"\r\n\"t\",\"\",\"\"\r\n");
    EXPECT_EQ(SetFileBytes({}), "");
}

TEST(SetFileBytes, HandEditedFieldsSurviveAWriteAndReadUnchanged) {
    const Sets sets{{L"ten choices", L"ABCDEFGHIJ", L"0A9"}, {L" spaced ", L"ア イ", L"x,1"}};
    const SetFileRead read = ParseSetFile(core::FromCp932(SetFileBytes(sets)));
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.sets, sets);
}

TEST(SetEntry, TitleTwentyFiveSpacesChoicesCommaAnswersAndBack) {
    const QuestionSet set{L"中間 テスト 第2回", L"アイウエ", L"314322"};
    EXPECT_EQ(SetEntry(set), L"中間 テスト 第2回                         アイウエ,314322");
    EXPECT_EQ(ParseSetEntry(SetEntry(set)), set);
    EXPECT_EQ(ParseSetEntry(SetEntry({L"t", L"", L""})), (QuestionSet{L"t", L"", L""}));
    EXPECT_EQ(ParseSetEntry(L"  t   ab,1,2  "), (QuestionSet{L"t", L"ab", L"1,2"}));
}

TEST(CorrectChoice, OnlyADigitNamingAShownChoiceCanBeMarkedRight) {
    const QuestionSet set{L"t", L"アイウ", L"130a4"};
    EXPECT_EQ(set.CorrectChoice(1), 1);
    EXPECT_EQ(set.CorrectChoice(2), 3);
    EXPECT_EQ(set.CorrectChoice(3), 0);  // digit 0
    EXPECT_EQ(set.CorrectChoice(4), 0);  // a letter
    EXPECT_EQ(set.CorrectChoice(5), 0);  // beyond the three choices
    EXPECT_EQ(set.CorrectChoice(6), 0);  // no such question
    // The grid shows nine choices at most.
    EXPECT_EQ((QuestionSet{L"t", L"ABCDEFGHIJK", L"9"}).CorrectChoice(1), 9);
}

TEST(CheckSet, RefusesInOrderWithTheMessages) {
    const std::vector<std::wstring> others{L"英語", L"数学"};
    EXPECT_EQ(CheckSet({L"理科", L"アイウエ", L"314322"}, others), SetCheck::kOk);
    EXPECT_EQ(CheckSet({L"理科", L"", L""}, others), SetCheck::kOk);
    EXPECT_EQ(CheckSet({L"", L"アイウ", L"9"}, others), SetCheck::kNoTitle);
    EXPECT_EQ(CheckSet({L"数学", L"アイウ", L"9"}, others), SetCheck::kDuplicateTitle);
    EXPECT_EQ(CheckSet({L"数学x", L"アイウ", L"314322"}, others), SetCheck::kAnswersBeyondChoices);
    EXPECT_EQ(CheckSet({L"長い", L"アイウ", std::wstring(kMaxQuestions, L'1')}, others),
              SetCheck::kOk);
    EXPECT_EQ(CheckSet({L"長い", L"アイウ", std::wstring(kMaxQuestions + 1, L'1')}, others),
              SetCheck::kTooManyQuestions);
    EXPECT_EQ(SetCheckMessage(SetCheck::kAnswersBeyondChoices),
              L"選択肢と答えの整合性が取れていません。");
    EXPECT_EQ(SetCheckMessage(SetCheck::kTooManyQuestions),
              L"答えが長すぎます。1 つのセットの問題は 300 問までです。");
}

TEST(CheckSet, ComparesTitlesAsTheFileHoldsThem) {
    // Both would be stored as "数学?": the second would duplicate the first after a restart.
    EXPECT_EQ(CheckSet({L"数学한", L"AB", L"1"}, {L"数学?"}), SetCheck::kDuplicateTitle);
    EXPECT_EQ(CheckSet({L"数学①", L"AB", L"1"}, {L"数学?"}), SetCheck::kOk);
}

TEST(FilterField, KeepsOutWhatWouldSpoilTheFileOrTheEntry) {
    // Characters the file's code page cannot hold, each half of a pair of units included.
    EXPECT_FALSE(FileHolds(L'한'));
    EXPECT_FALSE(FileHolds(L'\xD83D'));  // the two halves of U+1F600
    EXPECT_FALSE(FileHolds(L'\xDE00'));
    EXPECT_TRUE(FileHolds(L'①'));
    EXPECT_EQ(FilterField(SetField::kTitle, L"国語한😀①"), L"国語①");
    EXPECT_EQ(FilterField(SetField::kChoices, L"ア😀イ"), L"アイ");
    EXPECT_EQ(FilterField(SetField::kTitle, L"a, \"b\"\r\n c　d"), L"a b c　d");
    EXPECT_EQ(FilterField(SetField::kChoices, L"ア イ,\"ウ　エ"), L"アイウエ");
    EXPECT_EQ(FilterField(SetField::kAnswers, L"1 20,3a9４"), L"1239");
}

}  // namespace
}  // namespace quillard
