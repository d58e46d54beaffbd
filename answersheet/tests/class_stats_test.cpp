// The class's figures worked out by hand, the class table cell by cell, and the class
// file: quoting, damaged files.
#include "class_stats.h"

#include <gtest/gtest.h>

#include "class_records.h"
#include "class_table.h"
#include "core/text.h"

namespace quillard {
namespace {

std::vector<ClassRecord> Records(const std::wstring& title,
                                 const std::vector<std::pair<std::wstring, std::wstring>>& sheets) {
    std::vector<ClassRecord> records;
    for (const auto& [name, choices] : sheets) {
        records.push_back({title, name, choices, L"2026/12/09 10:00:00"});
    }
    return records;
}

ClassResult Mark(const QuestionSet& set, const std::vector<ClassRecord>& records) {
    std::vector<const ClassRecord*> pointers;
    for (const ClassRecord& record : records) {
        pointers.push_back(&record);
    }
    return MarkClass(set, pointers);
}

std::vector<int> Scores(const ClassResult& result) {
    std::vector<int> scores;
    for (const PupilResult& pupil : result.pupils) {
        scores.push_back(pupil.score);
    }
    return scores;
}

const QuestionSet kSet{L"小テスト", L"アイウ", L"1231"};

TEST(MarkClass, AFivePupilClassWorkedOutByHand) {
    // Scores 4, 2, 3, 0, 3; ordered A C E B D, groups of 1 (5 x 0.27 = 1.35).
    const ClassResult r = Mark(kSet, Records(kSet.title, {{L"A", L"1231"},
                                                          {L"B", L"12"},  // short: no tick
                                                          {L"C", L"3231"},
                                                          {L"D", L"0000"},
                                                          {L"E", L"133199"}}));  // extra ignored
    EXPECT_EQ(Scores(r), (std::vector<int>{4, 2, 3, 0, 3}));
    EXPECT_EQ(TwoDecimals(r.mean), L"2.40");
    EXPECT_EQ(TwoDecimals(r.deviation), L"1.36");  // sqrt(9.2 / 5)
    EXPECT_EQ(TwoDecimals(r.median), L"3.00");
    EXPECT_EQ(r.highest, 4);
    EXPECT_EQ(r.lowest, 0);
    const QuestionResult& q1 = r.questions[0];
    EXPECT_EQ(q1.correct, 1);
    EXPECT_EQ(q1.right, 3);
    EXPECT_EQ(q1.chosen, (std::vector<int>{3, 0, 1}));
    EXPECT_EQ(q1.unanswered, 1);
    EXPECT_EQ(RightRateText(q1.right, 5), L"60.0");
    EXPECT_EQ(TwoDecimals(q1.index), L"1.00");
    EXPECT_EQ(r.questions[2].unanswered, 2);
    EXPECT_EQ(r.questions[2].chosen, (std::vector<int>{0, 0, 3}));
}

TEST(MarkClass, EqualScoresKeepRecordOrderInTheUpperAndLowerGroups) {
    const QuestionSet set{L"T", L"AB", L"11"};
    // P and Q both score 1, P first: P is the upper group, R the lower.
    const auto pqr = Mark(set, Records(L"T", {{L"P", L"12"}, {L"Q", L"21"}, {L"R", L"22"}}));
    EXPECT_EQ(TwoDecimals(pqr.questions[0].index), L"1.00");
    EXPECT_EQ(TwoDecimals(pqr.questions[1].index), L"0.00");
    const auto qpr = Mark(set, Records(L"T", {{L"Q", L"21"}, {L"P", L"12"}, {L"R", L"22"}}));
    EXPECT_EQ(TwoDecimals(qpr.questions[0].index), L"0.00");
    EXPECT_EQ(TwoDecimals(qpr.questions[1].index), L"1.00");
    // Wrong upper, right lower: a negative index.
    const auto low = Mark(set, Records(L"T", {{L"P", L"22"}, {L"Q", L"22"}, {L"R", L"12"}}));
    EXPECT_EQ(TwoDecimals(low.questions[0].index), L"1.00") << "R scores 1 and heads the order";
    const auto neg = Mark({L"T", L"AB", L"111"},
                          Records(L"T", {{L"P", L"211"}, {L"R", L"211"}, {L"Q", L"122"}}));
    EXPECT_EQ(Scores(neg), (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(TwoDecimals(neg.questions[0].index), L"-1.00");  // upper P wrong, lower Q right
}

TEST(MarkClass, GroupSizesRoundHalfUp) {
    const std::pair<int, int> sizes[] = {{1, 1},   {2, 1},   {3, 1},    {5, 1},   {6, 2},
                                         {40, 11}, {50, 14}, {150, 41}, {200, 54}};
    for (const auto& [pupils, group] : sizes) {
        EXPECT_EQ(GroupSize(pupils), group) << pupils;
    }
}

TEST(MarkClass, OnePupilNoPupilsAndASetWithoutQuestions) {
    const ClassResult one = Mark(kSet, Records(kSet.title, {{L"A", L"1200"}}));
    EXPECT_EQ(
        TwoDecimals(one.mean) + L" " + TwoDecimals(one.deviation) + L" " + TwoDecimals(one.median),
        L"2.00 0.00 2.00");
    EXPECT_FALSE(one.questions[0].index.has_value()) << "no index for fewer than two pupils";
    EXPECT_EQ(TwoDecimals(one.questions[0].index), L"");

    const ClassResult none = Mark(kSet, {});
    EXPECT_FALSE(none.mean || none.deviation || none.median || none.highest || none.lowest);
    EXPECT_EQ(RightRateText(0, 0), L"");

    const ClassResult even = Mark(
        kSet, Records(kSet.title, {{L"A", L"1"}, {L"B", L"12"}, {L"C", L"123"}, {L"D", L"1231"}}));
    EXPECT_EQ(TwoDecimals(even.median), L"2.50");

    const ClassResult empty = Mark({L"E", L"", L""}, Records(L"E", {{L"A", L""}, {L"B", L"1"}}));
    EXPECT_EQ(Scores(empty), (std::vector<int>{0, 0}));
    EXPECT_TRUE(empty.questions.empty());
}

TEST(MarkClass, AFixedKeyMarksEveryRecordAgainAndVanishedChoicesCountAsNoTick) {
    const auto records = Records(L"T", {{L"A", L"1234"}, {L"B", L"4321"}});
    EXPECT_EQ(Scores(Mark({L"T", L"ABCD", L"1234"}, records)), (std::vector<int>{4, 0}));
    EXPECT_EQ(Scores(Mark({L"T", L"ABCD", L"4331"}, records)), (std::vector<int>{1, 3}));
    // The set lost its fourth choice: a recorded 4 is no tick.
    const ClassResult three = Mark({L"T", L"ABC", L"1233"}, records);
    EXPECT_EQ(three.questions[3].unanswered, 1);
    EXPECT_EQ(three.questions[0].unanswered, 1);
}

TEST(MarkClass, ThreeHundredQuestionsFortyPupils) {
    std::wstring answers;
    for (int q = 0; q < 300; ++q) {
        answers += static_cast<wchar_t>(L'1' + q % 9);
    }
    const QuestionSet set{L"cap", L"アイウエオカキクケ", answers};
    std::vector<std::pair<std::wstring, std::wstring>> sheets;
    for (int p = 0; p < 40; ++p) {
        // Pupil p answers the first 300 - 5p questions right and leaves the rest empty.
        sheets.push_back({std::to_wstring(p), answers.substr(0, size_t(300 - 5 * p)) +
                                                  std::wstring(size_t(5 * p), L'0')});
    }
    const ClassResult r = Mark(set, Records(L"cap", sheets));
    EXPECT_EQ(r.pupils[39].score, 105);
    EXPECT_EQ(TwoDecimals(r.mean), L"202.50");
    EXPECT_EQ(r.questions[0].right, 40);
    EXPECT_EQ(r.questions[299].unanswered, 39);
    // Groups of 11: the top 11 reach question 250, the bottom 11 (pupils 29-39) do not.
    EXPECT_EQ(TwoDecimals(r.questions[249].index), L"1.00");
    EXPECT_EQ(TwoDecimals(r.questions[0].index), L"0.00");
}

TEST(ClassTable, EveryRowAndCellOfASmallClass) {
    const QuestionSet set{L"T", L"AB", L"12"};
    const ClassResult r =
        Mark(set, Records(L"T", {{L"佐藤, 一郎", L"12"}, {L"\"K\"", L"20"}, {L"C", L"1"}}));
    EXPECT_EQ(ClassTableText(set, r, L','),
              L"受験者,得点,正答率,問1,問2\r\n"
              L"\"佐藤, 一郎\",2,100.00,○,○\r\n"
              L"\"\"\"K\"\"\",0,0.00,B,\r\n"
              L"C,1,50.00,○,\r\n"
              L"\r\n"
              L"正答,,,A,B\r\n"
              L"正答率,,,66.7,33.3\r\n"
              L"識別指数,,,1.00,1.00\r\n"
              L"選択 A,,,2,0\r\n"
              L"選択 B,,,1,1\r\n"
              L"無答,,,0,2\r\n"
              L"\r\n"
              L"人数,3\r\n"
              L"平均点,1.00\r\n"
              L"標準偏差,0.82\r\n"
              L"中央値,1.00\r\n"
              L"最高点,2\r\n"
              L"最低点,0\r\n");
    // With tabs a comma needs no quotes.
    EXPECT_NE(ClassTableText(set, r, L'\t').find(L"\r\n佐藤, 一郎\t2\t100.00"), std::wstring::npos);
    const std::wstring empty = ClassTableText(set, Mark(set, {}), L'\t');
    EXPECT_NE(empty.find(L"正答率\t\t\t\t\r\n"), std::wstring::npos);
    EXPECT_NE(empty.find(L"人数\t0\r\n平均点\t\r\n"), std::wstring::npos);
}

TEST(ClassFile, NamesWithCommasAndQuotesComeBackWhole) {
    const std::vector<ClassRecord> records{
        {L"英語, 第1回", L"山田 \"花子\"", L"1203", L"2026/12/09 08:05:09"},
        {L"英語, 第1回", L"", L"", L"2026/12/09 08:06:00"}};
    const std::string bytes = ClassFileBytes(records);
    EXPECT_EQ(bytes, core::ToCp932(L"問題,受験者,解答,記録日時\r\n"
                                   L"\"英語, 第1回\",\"山田 \"\"花子\"\"\",\"1203\",\"2026/12/09 "
                                   L"08:05:09\"\r\n"
                                   L"\"英語, 第1回\",\"\",\"\",\"2026/12/09 08:06:00\"\r\n"));
    const ClassFileRead read = ParseClassFile(core::FromCp932(bytes));
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.records, records);
    // Written by hand: plain fields, LF line ends, blank lines, no final line end.
    const ClassFileRead hand =
        ParseClassFile(L"問題,受験者,解答,記録日時\n\nT,A,12,x\n\"T\",\"B\",,\n");
    EXPECT_EQ(hand.error, 0);
    ASSERT_EQ(hand.records.size(), 2u);
    EXPECT_EQ(hand.records[1].name, L"B");
    EXPECT_TRUE(ParseClassFile(L"").records.empty());
    EXPECT_EQ(ParseClassFile(L"\r\n").error, 0);
    EXPECT_EQ(RecordTime({{2026, 1, 2}, 3, 4, 5}), L"2026/01/02 03:04:05");
}

TEST(ClassFile, DamagedFilesAreNotRead) {
    const std::wstring header = L"問題,受験者,解答,記録日時\r\n";
    const std::pair<std::wstring, int> damaged[] = {
        {L"title,name\r\n", kErrBadFileFormat},
        {header + L"\"T\",\"A\",\"12\"\r\n", kErrBadFileFormat},
        {header + L"\"T\",\"A\",\"1x\",\"d\"\r\n", kErrBadFileFormat},
        {header + L"\"T\"x,\"A\",\"12\",\"d\"\r\n", kErrBadFileFormat},
        {header + L"\"T\",\"A,12,d\r\n", kErrInputPastEnd},
    };
    for (const auto& [text, error] : damaged) {
        EXPECT_EQ(ParseClassFile(text).error, error) << core::ToUtf8(text);
    }
}

TEST(ClassFile, NamesKeepOnlyWhatTheCodePageHolds) {
    EXPECT_EQ(NameCharacters(L"1年2組 山田\t太郎\x00e9\U0001F600髙"), L"1年2組 山田太郎髙");
    EXPECT_EQ(CsvCell(L"a\tb", L'\t'), L"\"a\tb\"");
    EXPECT_EQ(CsvCell(L"a\r\nb", L','), L"\"a\r\nb\"");
    EXPECT_EQ(CsvCell(L"a b", L','), L"a b");
}

}  // namespace
}  // namespace quillard
