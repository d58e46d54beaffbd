#include "agent/timetable.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

using testing::Cp932Lines;

TimetableRow Row(const wchar_t* name, int16_t start, int16_t end, const wchar_t* remark = L"") {
    return TimetableRow{name, 1, start, end, remark};
}

MessageCatalogue Wording(std::vector<RecessWording> recesses = {}) {
    MessageCatalogue c;
    c.headlinePrefix = L"[";
    c.headlineSuffix = L"]";
    c.itemPicture = 3;
    c.normalPrefix = L"(";
    c.normalSuffix = L")";
    c.holidayPicture = 2;
    c.recesses = std::move(recesses);
    return c;
}

std::vector<int> Numbers(const DayTable& table) {
    std::vector<int> numbers;
    for (const DayEntry& e : table) {
        numbers.push_back(e.number);
    }
    return numbers;
}

TEST(TimetableFile, RowsDayPlansAndSixteenBitValues) {
    const Timetable t = ReadTimetable(Cp932Lines(
        {L"[Meal]", L"Item2= 給食 ", L"Check2=1", L"S_Time2=750", L"E_Time2=795", L"Remark2=手洗い",
         L"[Item]", L"Item21=最後", L"Check21=1", L"S_Time21=1000", L"Check1=65537",
         L"S_Time1=99999", L"E_Time1=-32768", L"[Cell]", L"Cell1=0102"}));
    EXPECT_EQ(t.meals[1].name, L"給食");
    EXPECT_EQ(t.meals[1].check, 1);
    EXPECT_EQ(t.meals[1].start, 750);
    EXPECT_EQ(t.meals[1].end, 795);
    EXPECT_EQ(t.meals[1].remark, L"手洗い");
    EXPECT_EQ(t.items[20].start, 1000);
    EXPECT_EQ(t.items[20].end, -1);
    EXPECT_EQ(t.items[0].check, 0);  // beyond 16 bits: the default
    EXPECT_EQ(t.items[0].start, -1);
    EXPECT_EQ(t.items[0].end, -32768);
    EXPECT_EQ(t.dayPlans[0], L"0102");
    EXPECT_EQ(t.dayPlans[6], L"");
    testkit::TempDir dir;
    EXPECT_EQ(LoadTimetableFile(dir.File(L"none.ini"))->meals[1].check, 0);
    // There but held by another program (here a folder of its name): no timetable at all,
    // rather than one whose empty day plans make every day a holiday.
    std::filesystem::create_directory(dir.Dir() / "held.ini");
    EXPECT_FALSE(LoadTimetableFile(dir.File(L"held.ini")).has_value());
}

TEST(TimetableFile, TimesThatAreNotWholeMinutesAreClockTimesOrNotGiven) {
    const Timetable t =
        ReadTimetable(Cp932Lines({L"[Item]", L"S_Time1=8:50", L"E_Time1= 09:35 ", L"S_Time2=abc",
                                  L"E_Time2=8:50x", L"S_Time3=25:00", L"E_Time3=-"}));
    EXPECT_EQ(t.items[0].start, 530);
    EXPECT_EQ(t.items[0].end, 575);
    for (int16_t minutes : {t.items[1].start, t.items[1].end, t.items[2].start, t.items[2].end}) {
        EXPECT_EQ(minutes, -1);
    }
}

TEST(DayTable, WordingAndWhichRowsTakePart) {
    Timetable t;
    t.meals[0] = Row(L"breakfast", 420, 450);  // excluded
    t.meals[1] = Row(L"lunch", 750, 795, L"wash hands");
    t.meals[2] = Row(L"tea", 900, 915);
    t.meals[2].check = -1;
    t.items[0] = Row(L"first", 530, 575);
    t.items[1] = Row(L"second", 585, 630);
    t.items[1].check = 2;
    MessageCatalogue c = Wording();
    c.excludedMeals = {1, 5};
    const DayTable table = BuildDayTable(t, c);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].kind, EntryKind::Item);
    EXPECT_EQ(table[0].headline, L"[first]");
    EXPECT_EQ(table[0].normalText, L"(first)");
    EXPECT_EQ(table[0].picture, 3);
    EXPECT_EQ(table[1].kind, EntryKind::Meal);
    EXPECT_EQ(table[1].number, 2);
    EXPECT_EQ(table[1].normalText, L"(lunch)\r\n<< wash hands >>");
    EXPECT_EQ(table[1].picture, 2);
}

TEST(DayTable, SortsByStartWithThePairwiseExchange) {
    // Equal starts end up in the order the exchange leaves them, not always the rows' order.
    Timetable t;
    t.items[0] = Row(L"A", 600, 610);
    t.items[1] = Row(L"B", 600, 620);
    t.items[2] = Row(L"C", 500, 510);
    EXPECT_EQ(Numbers(BuildDayTable(t, Wording())), (std::vector<int>{3, 2, 1}));
    t.items[3] = Row(L"D", -1, -1);  // rows without times sort first
    t.items[4] = Row(L"E", 1200, 1300);
    t.items[5] = Row(L"F", 0, 10);
    EXPECT_EQ(Numbers(BuildDayTable(t, Wording())), (std::vector<int>{4, 6, 3, 1, 2, 5}));
}

TEST(DayTable, RecessesFillTheGapsAndAreAppended) {
    Timetable t;
    t.items[0] = Row(L"first", 530, 575);   // 8:50-9:35
    t.items[1] = Row(L"second", 585, 630);  // 9:45-10:30
    t.items[2] = Row(L"third", 631, 680);   // adjacent: no recess
    t.items[3] = Row(L"fourth", 700, 745);
    t.items[10] = Row(L"maths", -1, -1);  // leaves a recess from midnight
    const DayTable table = BuildDayTable(
        t, Wording({RecessWording{-1, -1, L"break", 8}, RecessWording{0, 10, L"short", 6}}));
    EXPECT_EQ(Numbers(table), (std::vector<int>{11, 1, 2, 3, 4, 0, 0, 0}));
    EXPECT_EQ(table[5].start, 0);
    EXPECT_EQ(table[5].end, 529);
    EXPECT_EQ(table[5].headline, L"break");
    EXPECT_EQ(table[6].kind, EntryKind::Recess);
    EXPECT_EQ(table[6].start, 576);
    EXPECT_EQ(table[6].end, 584);  // length 8
    EXPECT_EQ(table[6].normalText, L"short");
    EXPECT_EQ(table[6].picture, 6);
    EXPECT_EQ(table[7].start, 681);  // length 18: only the line without a range fits
    EXPECT_EQ(table[7].headline, L"break");
    EXPECT_EQ(table[7].picture, 8);
}

TEST(DayTable, RecessWordingSearchAndRemoval) {
    Timetable t;
    t.items[0] = Row(L"first", 530, 575);
    t.items[1] = Row(L"second", 585, 630);  // a gap of length 8
    auto recess = [&t](std::vector<RecessWording> lines) {
        const DayTable table = BuildDayTable(t, Wording(std::move(lines)));
        return table.size() == 3 ? table.back().headline : L"<none>";
    };
    // A fitting range ends the search; a line without a range does not.
    EXPECT_EQ(recess({{5, 10, L"ranged", 1}, {-1, -1, L"plain", 1}}), L"ranged");
    EXPECT_EQ(recess({{-1, -1, L"plain", 1}, {8, 8, L"exact", 1}, {0, 99, L"later", 1}}), L"exact");
    EXPECT_EQ(recess({{20, 30, L"long only", 1}}), L"<none>");
    EXPECT_EQ(recess({}), L"<none>");
}

DayEntry Slot(int16_t start, int16_t end, int16_t number, EntryKind kind = EntryKind::Item) {
    DayEntry e;
    e.start = start;
    e.end = end;
    e.number = number;
    e.kind = kind;
    return e;
}

TEST(CurrentEntry, SlotsOpenEndsAndMidnight) {
    const DayTable table = {Slot(-1, -1, 1), Slot(600, 660, 2), Slot(1320, 60, 3), Slot(900, -1, 4),
                            Slot(600, 700, 5)};
    struct Case {
        int now;
        std::optional<std::size_t> entry;
    };
    for (const Case& c :
         {Case{600, 1}, Case{660, 1}, Case{661, 4}, Case{1410, 2}, Case{30, 2},
          Case{61, std::nullopt}, Case{900, 3}, Case{1319, 3}, Case{800, std::nullopt}}) {
        EXPECT_EQ(FindCurrentEntry(table, c.now), c.entry) << c.now;
    }
}

TEST(EntryTexts, TheDayPlanChoosesTheWording) {
    Timetable t;
    t.items[0] = Row(L"first", 530, 575);
    t.items[1] = Row(L"second", 585, 630);
    t.items[2] = Row(L"maths", -1, -1);
    t.items[7] = Row(L"music", -1, -1);
    const DayTable table = BuildDayTable(t, Wording());
    const DayEntry& second = table[*FindCurrentEntry(table, 600)];
    const EntryWording w = EntryTexts(table, second, L"0803", 1);
    EXPECT_EQ(w.headline, L"[maths]");
    EXPECT_EQ(w.normalText, L"(maths)");
    EXPECT_EQ(w.picture, 3);
    EXPECT_FALSE(w.rest);
    EXPECT_EQ(EntryTexts(table, table[*FindCurrentEntry(table, 540)], L"0803", 1).headline,
              L"[music]");
    EXPECT_EQ(EntryTexts(table, second, L"083", 1).headline, L"[maths]");
    // Fields that are missing, not numbers or name no row show nothing.
    for (const wchar_t* plan : {L"08", L"08x3", L"0899", L"", L"0800"}) {
        const EntryWording none = EntryTexts(table, second, plan, 7);
        EXPECT_EQ(none.headline + none.normalText, L"") << plan;
        EXPECT_EQ(none.picture, 7) << plan;
    }
    DayEntry recess = Slot(576, 584, 0, EntryKind::Recess);
    recess.headline = recess.normalText = L"break";
    recess.picture = 8;
    const EntryWording r = EntryTexts(table, recess, L"01", 1);
    EXPECT_EQ(r.headline, L"break");
    EXPECT_EQ(r.picture, 8);
    EXPECT_TRUE(r.rest);
    EXPECT_TRUE(EntryTexts(table, Slot(750, 795, 2, EntryKind::Meal), L"", 1).rest);
}

}  // namespace
}  // namespace agent
