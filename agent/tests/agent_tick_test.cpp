// What the tick computes: the minute's messages, the balloon texts, due message boxes and
// dates carried into a new year.
#include "agent/agent_tick.h"

#include <gtest/gtest.h>

namespace agent {
namespace {

// Monday 7 December 2026.
constexpr core::Date kMonday{2026, 12, 7};
constexpr core::Date kSunday{2026, 12, 13};

class MinuteTest : public ::testing::Test {
  protected:
    MinuteTest() {
        catalogue.headlineSuffix = L"の時間です。";
        catalogue.itemPicture = 3;
        catalogue.defaultPicture = 1;
        catalogue.holidayText = L"お休み";
        catalogue.holidayPicture = 2;
        catalogue.recesses.push_back({-1, -1, L"休み時間", 8});
        timetable.items[0] = {L"国語", 1, 530, 575, L""};
        timetable.items[1] = {L"算数", 1, 585, 630, L""};
        timetable.dayPlans[0] = L"0102";  // Monday
        dayTable = BuildDayTable(timetable, catalogue);
    }
    MinuteView At(const core::Date& date, int minute, bool inUse = true) const {
        return EvaluateMinute(catalogue, timetable, dayTable, date, minute, inUse);
    }
    MessageCatalogue catalogue;
    Timetable timetable;
    DayTable dayTable;
};

TEST_F(MinuteTest, LessonRecessAndNothingOn) {
    const MinuteView lesson = At(kMonday, 540);
    EXPECT_EQ(lesson.headline, L"国語の時間です。");
    EXPECT_EQ(lesson.picture, 3);
    EXPECT_FALSE(lesson.rest);

    const MinuteView recess = At(kMonday, 580);
    EXPECT_EQ(recess.headline, L"休み時間");
    EXPECT_EQ(recess.picture, 8);
    EXPECT_TRUE(recess.rest);

    const MinuteView evening = At(kMonday, 1200);
    EXPECT_EQ(evening.headline, L"");
    EXPECT_EQ(evening.picture, 1);
    EXPECT_TRUE(evening.rest);  // nothing on counts as rest
}

TEST_F(MinuteTest, EmptyDayPlanIsAHolidayAndAnUnusedTimetableSaysNothing) {
    const MinuteView holiday = At(kSunday, 540);
    EXPECT_EQ(holiday.headline, L"お休み");
    EXPECT_EQ(holiday.normalText, L"お休み");
    EXPECT_EQ(holiday.picture, 2);
    EXPECT_TRUE(holiday.rest);
    EXPECT_EQ(At(kMonday, 540, false).headline, L"");
}

TEST_F(MinuteTest, TimedBalloonMessagesAreAppendedAndLendTheirPicture) {
    TimedEntry evening;
    evening.startMinute = 1140;  // from 19:00
    evening.text = L"おつかれさま";
    evening.picture = 7;
    catalogue.schedules.push_back(evening);
    TimedEntry lessonTime = evening;
    lessonTime.startMinute = 530;
    lessonTime.endMinute = 540;
    lessonTime.text = L"がんばろう";
    catalogue.schedules.push_back(lessonTime);

    const MinuteView alone = At(kMonday, 1200);
    EXPECT_EQ(alone.headline, L"おつかれさま");
    EXPECT_EQ(alone.picture, 7);  // the default picture gives way
    const MinuteView both = At(kMonday, 535);
    EXPECT_EQ(both.headline, L"国語の時間です。\r\nがんばろう");
    EXPECT_EQ(both.normalText, L"国語\r\nがんばろう");
    EXPECT_EQ(both.picture, 3);  // the lesson's picture stays
}

TEST(BalloonText, ViewsWithAndWithoutClockFormats) {
    MessageCatalogue catalogue;
    catalogue.clockBreaks = L"\r\n";
    catalogue.messageBreaks = L"\r\n\r\n";
    EXPECT_EQ(AnnouncementView(catalogue, L"09:00", L"国語", L"静かに"), L"国語\r\n\r\n静かに");
    EXPECT_EQ(NormalView(catalogue, L"09:00", L"国語"), L"国語");
    catalogue.timeFormat = L"h時nn分";
    EXPECT_EQ(AnnouncementView(catalogue, L"9時00分", L"国語", L""), L"9時00分\r\n国語\r\n\r\n");
    EXPECT_EQ(NormalView(catalogue, L"9時00分", L"国語"), L"9時00分\r\n国語");

    const core::DateTime at{{2026, 3, 1}, 9, 5, 0};
    EXPECT_EQ(ClockText(catalogue, at), L"9時05分");
    catalogue.dateFormat = L"m/d";
    EXPECT_EQ(ClockText(catalogue, at), L"3/1 9時05分");
    EXPECT_EQ(ClockText(MessageCatalogue{}, at), L"09:05");
}

TEST(BalloonText, ReplaceHeadKeepsWhatFollowsAndNeverReadsPastTheText) {
    EXPECT_EQ(ReplaceHead(L"old message and my note", 11, L"new"), L"new and my note");
    EXPECT_EQ(ReplaceHead(L"short", 40, L"new"), L"new");  // the user shortened the text
    EXPECT_EQ(ReplaceHead(L"", 0, L"first"), L"first");
}

TEST(ShownPicture, NumbersOutsideOneToNineShowTheNormalPicture) {
    EXPECT_EQ(ShownPicture(0), 1);
    EXPECT_EQ(ShownPicture(10), 1);
    EXPECT_EQ(ShownPicture(-1), 1);
    EXPECT_EQ(ShownPicture(9), 9);
    EXPECT_EQ(ShownPicture(4), 4);
}

TEST(DueMessageBox, FirstMatchingBoxNotShownYet) {
    std::vector<TimedEntry> boxes(3);
    boxes[0].startMinute = 900;  // from 15:00
    boxes[1].startMinute = 540;  // from 9:00
    boxes[2].startMinute = 540;
    boxes[1].line = 2;
    boxes[2].line = 3;
    EXPECT_FALSE(DueMessageBox(boxes, 100, 500).has_value());
    EXPECT_EQ(DueMessageBox(boxes, 100, 600), 1u);
    MarkShown(boxes, 1);
    EXPECT_EQ(DueMessageBox(boxes, 100, 600), 2u);
    MarkShown(boxes, 2);
    EXPECT_FALSE(DueMessageBox(boxes, 100, 600).has_value());
    EXPECT_EQ(DueMessageBox(boxes, 100, 900), 0u);
}

TEST(MoveDayToYear, SameMonthAndDayInTheNewYear) {
    // 1 March: day 59 outside leap years, 60 in them.
    EXPECT_EQ(MoveDayToYear(59, 2027, 2028), 60);
    EXPECT_EQ(MoveDayToYear(60, 2028, 2029), 59);
    EXPECT_EQ(MoveDayToYear(58, 2027, 2028), 58);    // 28 February stays
    EXPECT_EQ(MoveDayToYear(59, 2028, 2029), 59);    // 29 February falls on 1 March
    EXPECT_EQ(MoveDayToYear(364, 2027, 2028), 365);  // 31 December
    EXPECT_EQ(MoveDayToYear(365, 2028, 2027), 364);
    EXPECT_EQ(MoveDayToYear(100, 2027, 2026), 100);  // neither is a leap year
    EXPECT_EQ(MoveDayToYear(-1, 2027, 2028), -1);
    EXPECT_EQ(MoveDayToYear(0, 2027, 2028), 0);
    EXPECT_EQ(MoveDayToYear(kYearEnd, 2027, 2028), kYearEnd);
}

TEST(MoveCatalogueToYear, DatedEntriesFollowTheYear) {
    CatalogueRead read = ParseMessageCatalogue(
        "SCHEDULE=[3/1]\"spring\"\r\n"
        "MESSAGEBOX=[3/1-3/2]\"box\"\r\n",
        L".", 2027);
    ASSERT_EQ(read.error, 0);
    MessageCatalogue& catalogue = read.catalogue;
    EXPECT_EQ(catalogue.year, 2027);
    MoveCatalogueToYear(catalogue, 2028);
    EXPECT_EQ(catalogue.year, 2028);
    EXPECT_EQ(catalogue.schedules[0].startDay, 60);
    EXPECT_EQ(catalogue.messageBoxes[0].startDay, 60);
    EXPECT_EQ(catalogue.messageBoxes[0].endDay, 61);
    EXPECT_TRUE(TimedEntryMatches(catalogue.schedules[0], core::DayOfYear({2028, 3, 1}), 0));
    EXPECT_FALSE(TimedEntryMatches(catalogue.schedules[0], core::DayOfYear({2028, 2, 29}), 0));
}

}  // namespace
}  // namespace agent
