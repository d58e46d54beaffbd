// The demo folder's Setting.txt and timetable, read as the agent reads them.
#include <gtest/gtest.h>

#include "agent/catalogue.h"
#include "agent/timetable.h"
#include "core/runtime.h"
#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

using testing::DemoFile;
using testkit::TempDir;

constexpr int kYear = 2025;

int Minutes(int hours, int minutes) {
    return hours * 60 + minutes;
}
int Day(int month, int day) {
    return core::DayOfYear(core::Date{kYear, month, day});
}

class DemoData : public ::testing::Test {
  protected:
    DemoData() {
        dir_.Write(L"Setting.txt", DemoFile(L"Setting.txt"));
        for (const wchar_t* picture :
             {L"normal.bmp", L"good.bmp", L"info.bmp", L"bad.bmp", L"critical.bmp", L"question.bmp",
              L"exclamation.bmp", L"wait.bmp", L"negative.bmp"}) {
            dir_.Write(picture, "BM");
        }
        const CatalogueRead read = LoadMessageCatalogue(dir_.Path(), kYear);
        EXPECT_EQ(read.error, 0);
        catalogue_ = read.catalogue;
        timetable_ = ReadTimetable(DemoFile(L"Timetable.ini"));
        table_ = BuildDayTable(timetable_, catalogue_);
    }

    // What the balloon's headline says on a weekday (1 Monday ... 7 Sunday) at a minute.
    EntryWording At(int weekday, int now) const {
        const std::wstring& plan = timetable_.dayPlans[weekday - 1];
        if (plan.empty()) {
            return {catalogue_.holidayText, catalogue_.holidayText, catalogue_.holidayPicture,
                    true};
        }
        const auto current = FindCurrentEntry(table_, now);
        if (!current) {
            return {L"", L"", catalogue_.defaultPicture, true};
        }
        return EntryTexts(table_, table_[*current], plan, catalogue_.defaultPicture);
    }

    std::vector<std::wstring> SchedulesAt(int today, int now) const {
        std::vector<std::wstring> texts;
        for (const TimedEntry& e : catalogue_.schedules) {
            if (TimedEntryMatches(e, today, now)) {
                texts.push_back(e.text);
            }
        }
        return texts;
    }

    TempDir dir_;
    MessageCatalogue catalogue_;
    Timetable timetable_;
    DayTable table_;
};

TEST_F(DemoData, CatalogueWording) {
    const MessageCatalogue& c = catalogue_;
    EXPECT_EQ(c.dateFormat + L" " + c.timeFormat, L"yyyy年m月d日 h時nn分");
    EXPECT_EQ(c.clockBreaks, L"\r\n");
    EXPECT_EQ(c.messageBreaks, L"\r\n\r\n");
    EXPECT_EQ(c.recesses.size(), 4u);
    EXPECT_EQ(c.excludedMeals, std::vector<int16_t>{1});
    ASSERT_EQ(c.lessonMessages.size(), 3u);
    EXPECT_EQ(c.lessonMessages[1], L"ノートをきちんと取りましょう。\r\n字はていねいに。");
    EXPECT_EQ(c.picturePaths[1], dir_.File(L"good.bmp"));
    // Picture_Wait is written in lower case, so the normal picture stands in for it.
    EXPECT_EQ(c.picturePaths[7], dir_.File(L"normal.bmp"));
}

TEST_F(DemoData, DayTableOfTheSchoolWeek) {
    // 7 subject rows without times, 6 periods and lunch (breakfast is excluded, the snack
    // not checked), then the recesses from midnight to the first period and between entries.
    ASSERT_EQ(table_.size(), 21u);
    EXPECT_EQ(table_[11].normalText, L"いまは給食の時間です\r\n<< 手を洗いましょう >>");
    EXPECT_EQ(table_[11].picture, 2);
    const wchar_t* rest = L"休み時間です。";
    const wchar_t* brief = L"少し休憩しましょう。";
    const wchar_t* play = L"中休みです。外で遊びましょう。";
    const wchar_t* ready = L"次の時間の準備をしましょう。";
    const std::wstring recesses[] = {rest, brief, play, brief, ready, play, brief};
    for (std::size_t i = 0; i < std::size(recesses); ++i) {
        EXPECT_EQ(table_[14 + i].headline, recesses[i]) << i;
    }
}

TEST_F(DemoData, WhatTheWeekSays) {
    EXPECT_EQ(At(1, Minutes(9, 0)).headline, L"ただいま、国語の時間です。");
    EXPECT_EQ(At(2, Minutes(9, 0)).headline, L"ただいま、算数の時間です。");
    const EntryWording science = At(1, Minutes(10, 50));
    EXPECT_EQ(science.normalText, L"いまは理科の時間です\r\n<< 実験室に集まりましょう >>");
    EXPECT_EQ(science.picture, 3);
    EXPECT_FALSE(science.rest);
    EXPECT_EQ(At(5, Minutes(14, 40)).headline, L"ただいま、6時間目の時間です。");
    EXPECT_TRUE(At(1, Minutes(9, 40)).rest);
    EXPECT_EQ(At(1, Minutes(12, 40)).headline, L"ただいま、給食の時間です。");
    // Saturday is a half day: three lessons, then nothing is said in lesson time.
    EXPECT_EQ(At(6, Minutes(11, 0)).headline, L"ただいま、体育の時間です。");
    EXPECT_EQ(At(6, Minutes(11, 50)).headline, L"");
    // Sunday is a holiday; in the evening no entry is current.
    EXPECT_EQ(At(7, Minutes(10, 0)).headline, L"今日はお休みです。");
    EXPECT_EQ(At(1, Minutes(18, 0)).headline, L"");
    EXPECT_EQ(At(1, Minutes(6, 0)).headline, L"休み時間です。");
}

TEST_F(DemoData, TimedMessages) {
    const std::vector<std::wstring> none, winter{L"冬休みの宿題を忘れずに。"};
    EXPECT_EQ(SchedulesAt(Day(4, 3), Minutes(12, 0)),
              std::vector<std::wstring>{L"新学期が始まりました。"});
    EXPECT_EQ(SchedulesAt(Day(12, 31), Minutes(12, 0)), winter);
    EXPECT_EQ(SchedulesAt(Day(7, 15), Minutes(12, 0)),
              std::vector<std::wstring>{L"夏休みまであと少し。"});
    EXPECT_EQ(SchedulesAt(Day(1, 6), Minutes(12, 0)), winter);
    EXPECT_EQ(SchedulesAt(Day(3, 10), Minutes(8, 40)),
              std::vector<std::wstring>{L"朝の会の時間です。"});
    EXPECT_EQ(SchedulesAt(Day(5, 10), Minutes(0, 30)),
              std::vector<std::wstring>{L"夜ふかしはやめましょう。"});
    EXPECT_EQ(SchedulesAt(Day(5, 10), Minutes(12, 0)), none);

    // Something to say at every hour of a school day, evening and night included.
    for (int hour = 0; hour < 24; ++hour) {
        const int now = Minutes(hour, 30);
        EXPECT_TRUE(!At(1, now).headline.empty() || !SchedulesAt(Day(5, 11), now).empty()) << hour;
    }
    EXPECT_EQ(SchedulesAt(Day(5, 11), Minutes(19, 0)),
              std::vector<std::wstring>{L"こんばんは。宿題は終わりましたか？"});

    std::vector<TimedEntry> boxes = catalogue_.messageBoxes;
    ASSERT_EQ(boxes.size(), 5u);  // three lines, two of them split
    auto due = [&boxes](int today, int now) -> int {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (!boxes[i].shown && TimedEntryMatches(boxes[i], today, now)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    EXPECT_EQ(due(Day(5, 10), Minutes(15, 0)), -1);
    EXPECT_EQ(boxes[due(Day(5, 10), Minutes(15, 30))].text, L"帰りの会の準備をしてください。");
    EXPECT_EQ(due(Day(5, 10), Minutes(18, 0)), -1);  // not all evening long
    // The box for the year's end still appears on New Year's Day, once.
    const int newYear = due(Day(1, 1), Minutes(12, 0));
    ASSERT_NE(newYear, -1);
    EXPECT_EQ(boxes[newYear].text, L"よいお年を。");
    MarkShown(boxes, newYear);
    EXPECT_EQ(due(Day(12, 30), Minutes(12, 0)), -1);
    // The bedtime box over midnight appears after midnight too.
    const int bedtime = due(Day(5, 10), Minutes(0, 15));
    ASSERT_NE(bedtime, -1);
    EXPECT_EQ(boxes[bedtime].text, L"もう寝る時間です。");
    EXPECT_EQ(boxes[bedtime].picture, 5);
}

}  // namespace
}  // namespace agent
