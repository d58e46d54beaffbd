// The timetable editor's data: typed times, day plans and seconds both ways, the keys a
// save writes into the file (and those it leaves alone), the findings list, and the
// clock adjustment across the minute, midnight and the year's end.
#include "agent/timetable_draft.h"

#include <gtest/gtest.h>

#include "agent/clock_adjust.h"
#include "agent/timetable_checks.h"
#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

using testing::Cp932Lines;

TEST(TimetableDraft, TypedTimesPlansAndSeconds) {
    for (const wchar_t* typed : {L"8:50", L"08:50", L"８：５０", L" 8:50　"}) {
        EXPECT_EQ(ParseTypedTime(typed), 530) << typed;
    }
    EXPECT_EQ(ParseTypedTime(L""), -1);
    EXPECT_EQ(ParseTypedTime(L"0:00"), 0);
    EXPECT_EQ(ParseTypedTime(L"24:00"), 1440);
    for (const wchar_t* typed :
         {L"8:5", L"850", L"8.50", L"8:50:00", L"24:01", L"12:60", L"a:bc", L"-1:00", L"123:00"}) {
        EXPECT_EQ(ParseTypedTime(typed), std::nullopt) << typed;
    }

    EXPECT_EQ(ParseTypedPlan(L"1 2 3 4 5"), L"0102030405");
    EXPECT_EQ(ParseTypedPlan(L"１　２  21 "), L"01020021");
    EXPECT_EQ(ParseTypedPlan(L""), L"");
    EXPECT_EQ(ParseTypedPlan(L"0"), L"00");
    for (const wchar_t* typed : {L"22", L"1,2", L"001", L"a", L"-1"}) {
        EXPECT_EQ(ParseTypedPlan(typed), std::nullopt) << typed;
    }
    std::wstring slots;
    for (int i = 0; i < 21; ++i) {
        slots += L"1 ";
    }
    EXPECT_EQ(ParseTypedPlan(slots).value_or(L"").size(), 42u);
    EXPECT_EQ(ParseTypedPlan(slots + L"1"), std::nullopt);  // one slot more than rows

    // Shown as typed, and a slot naming no row shows nothing.
    EXPECT_EQ(PlanShown(L"0102000405"), L"1 2  4 5");
    EXPECT_EQ(PlanShown(L"0803"), L"8 3");
    EXPECT_EQ(PlanShown(L"1 x1"), L"1");
    EXPECT_EQ(PlanShown(L"0000"), L"0");  // a school day without names, not a holiday
    EXPECT_EQ(PlanShown(L""), L"");
    for (const wchar_t* plan : {L"111213141516", L"000001", L"00", L""}) {
        EXPECT_EQ(ParseTypedPlan(PlanShown(plan)), plan) << plan;
    }

    EXPECT_EQ(ParseTypedSeconds(L"40"), 40);
    EXPECT_EQ(ParseTypedSeconds(L"－４０"), -40);
    EXPECT_EQ(ParseTypedSeconds(L"+3599"), 3599);
    EXPECT_EQ(ParseTypedSeconds(L""), 0);
    for (const wchar_t* typed : {L"3600", L"-3600", L"4a", L"-", L"1.5"}) {
        EXPECT_EQ(ParseTypedSeconds(typed), std::nullopt) << typed;
    }
}

TEST(TimetableDraft, TheDemoTimetableReadsAndListsRowByRow) {
    const TimetableDraft draft = ReadDraft(testing::DemoFile(L"Timetable.ini"));
    EXPECT_EQ(RowLabel(0), L"日課1");
    EXPECT_EQ(RowLabel(29), L"時限21");
    EXPECT_EQ(RowSummary(1, draft.rows[1]), L"日課2  給食             12:35～13:20 ○");
    EXPECT_EQ(RowSummary(9, draft.rows[9]), L"時限1  1時間目          8:50～9:35   ○");
    EXPECT_EQ(RowSummary(20, draft.rows[20]), L"時限12 算数                          ○");
    EXPECT_EQ(RowSummary(29, draft.rows[29]), L"時限21                               ");
    EXPECT_EQ(PlanShown(draft.plans[0]), L"11 12 13 14 15 16");
    EXPECT_TRUE(ChangedKeys(draft, draft).empty());
    // Nothing in the demo timetable is amiss.
    EXPECT_EQ(TimetableFindings(draft, {1}), std::vector<std::wstring>{});
}

class TimetableFileTest : public ::testing::Test {
  protected:
    std::wstring Path() const { return folder.File(L"Timetable.ini"); }
    testkit::TempDir folder;
};

TEST_F(TimetableFileTest, SavingWritesOnlyChangedKeysAndKeepsTheRest) {
    const std::string demo = testing::DemoFile(L"Timetable.ini");
    folder.Write(L"Timetable.ini", demo);
    const TimetableDraft asRead = ReadDraft(demo);
    TimetableDraft edited = asRead;
    edited.rows[9].start = {520, L""};                         // 時限1 from 8:40
    edited.rows[9].end = {*ParseTypedTime(L"9:35"), L""};      // retyped as it was
    edited.rows[2].takesPart = true;                           // 日課3 taken in
    edited.rows[2].name = L" おやつ ";                         // the same name, spaced
    edited.rows[22].remark = L"";                              // 時限14 had none: still none
    edited.plans[1] = *ParseTypedPlan(L"12 11 14 16 15 13 ");  // as it was
    edited.plans[5] = *ParseTypedPlan(L"1");
    edited.plans[6] = *ParseTypedPlan(L"2");

    const std::vector<KeyChange> changes = ChangedKeys(asRead, edited);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(WriteKeyChanges(Path(), changes), 0);

    std::string expected = demo;
    const auto replace = [&](const std::wstring& from, const std::wstring& to, std::size_t after) {
        const std::string f = core::ToCp932(from);
        const std::size_t at = expected.find(f, after);
        ASSERT_NE(at, std::string::npos);
        expected.replace(at, f.size(), core::ToCp932(to));
    };
    replace(L"Item3=おやつ\r\nCheck3=0", L"Item3=おやつ\r\nCheck3=1", 0);
    replace(L"S_Time1=530", L"S_Time1=520", expected.find("[Item]"));
    replace(L"Cell6=111216", L"Cell6=01", 0);
    replace(L"Cell7=", L"Cell7=02", 0);
    EXPECT_EQ(folder.Read(L"Timetable.ini"), expected);
}

TEST_F(TimetableFileTest, ATimeTheFileHoldsInAnotherFormStaysUntilReplaced) {
    const std::string file = Cp932Lines({L"[Item]", L"Item1=国語", L"Check1=1", L"S_Time1=8.50",
                                         L"E_Time1=09:35", L"S_Time2=2000", L"E_Time2=-1"});
    folder.Write(L"Timetable.ini", file);
    const TimetableDraft asRead = ReadDraft(file);
    EXPECT_EQ(asRead.rows[9].start, (DraftTime{-1, L"8.50"}));
    EXPECT_EQ(asRead.rows[9].end, (DraftTime{575, L""}));
    EXPECT_EQ(TimeShown(asRead.rows[9].start), L"8.50");
    EXPECT_EQ(TimeShown(asRead.rows[9].end), L"9:35");
    EXPECT_EQ(asRead.rows[10].start.unreadable, L"2000");
    EXPECT_EQ(asRead.rows[10].end, DraftTime{});
    EXPECT_EQ(RowSummary(9, asRead.rows[9]), L"時限1  国語             ?～9:35      ○");
    EXPECT_EQ(TimetableFindings(asRead, {}),
              (std::vector<std::wstring>{L"時限1 の開始「8.50」は時刻として読めません。",
                                         L"時限2 の開始「2000」は時刻として読めません。"}));

    TimetableDraft edited = asRead;
    EXPECT_EQ(WriteKeyChanges(Path(), ChangedKeys(asRead, edited)), 0);
    EXPECT_EQ(folder.Read(L"Timetable.ini"), file);
    edited.rows[9].start = {-1, L""};  // emptied: not given
    ASSERT_EQ(ChangedKeys(asRead, edited).size(), 1u);
    EXPECT_EQ(ChangedKeys(asRead, edited)[0].value, L"-1");
}

TEST_F(TimetableFileTest, AFailedWriteLeavesNothingBehindAndAMissingFileIsCreated) {
    const std::wstring nowhere = folder.File(L"missing\\Timetable.ini");
    const std::vector<KeyChange> changes = {{L"Item", L"Item1", L"国語"}};
    EXPECT_NE(WriteKeyChanges(nowhere, changes), 0);
    EXPECT_FALSE(folder.Exists(L"missing"));
    EXPECT_EQ(WriteKeyChanges(Path(), changes), 0);
    EXPECT_EQ(folder.Read(L"Timetable.ini"), Cp932Lines({L"[Item]", L"Item1=国語"}));
}

TEST(TimetableChecks, EachKindOfFinding) {
    const std::string file = Cp932Lines(
        {L"[Meal]",        L"Item1=給食",    L"Check1=1",    L"S_Time1=12:20", L"E_Time1=13:00",
         L"[Item]",        L"Item1=1時間目", L"Check1=1",    L"S_Time1=530",   L"E_Time1=575",
         L"Item2=2時間目", L"Check2=1",      L"S_Time2=570", L"E_Time2=630",   L"Item3=4時間目",
         L"Check3=1",      L"S_Time3=720",   L"E_Time3=770", L"Item4=朝読書",  L"Check4=1",
         L"E_Time4=500",   L"Item5=国語",    L"Check5=0",    L"Item6=算数",    L"Check6=1",
         L"[Cell]",        L"Cell1=0607",    L"Cell2=0005"});
    EXPECT_EQ(TimetableFindings(ReadDraft(file), {}),
              (std::vector<std::wstring>{
                  L"月曜日の 2 番目の時限7 には名前がありません。",
                  L"火曜日の 2 番目の時限5「国語」は使用しないため表示されません。",
                  L"時限1「1時間目」と時限2「2時間目」の時刻が重なっています (時限1 が出ます)。",
                  L"時限3「4時間目」と日課1「給食」の時刻が重なっています (時限3 が出ます)。",
                  L"時限4「朝読書」は開始の時刻がないため、0:00 から始まります。"}));
    // A meal the catalogue leaves out of the day overlaps nothing.
    EXPECT_EQ(TimetableFindings(ReadDraft(file), {1}).size(), 4u);
}

TEST(ClockAdjust, MovesTheClockOverTheMinuteMidnightAndTheYearsEnd) {
    EXPECT_EQ(AdjustClock({{2026, 12, 7}, 8, 49, 20}, 40),
              (core::DateTime{{2026, 12, 7}, 8, 50, 0}));
    EXPECT_EQ(AdjustClock({{2026, 12, 7}, 8, 50, 0}, -1),
              (core::DateTime{{2026, 12, 7}, 8, 49, 59}));
    EXPECT_EQ(AdjustClock({{2026, 12, 31}, 23, 59, 30}, 40),
              (core::DateTime{{2027, 1, 1}, 0, 0, 10}));
    EXPECT_EQ(AdjustClock({{2027, 1, 1}, 0, 0, 10}, -40),
              (core::DateTime{{2026, 12, 31}, 23, 59, 30}));
    EXPECT_EQ(AdjustClock({{2028, 2, 28}, 23, 30, 0}, 3599),
              (core::DateTime{{2028, 2, 29}, 0, 29, 59}));
    EXPECT_EQ(AdjustClock({{2027, 3, 1}, 0, 10, 0}, -3599),
              (core::DateTime{{2027, 2, 28}, 23, 10, 1}));
}

}  // namespace
}  // namespace agent
