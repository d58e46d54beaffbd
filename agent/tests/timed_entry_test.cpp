#include "agent/timed_entry.h"

#include <gtest/gtest.h>

#include "agent/catalogue_text.h"
#include "agent/read_errors.h"

namespace agent {
namespace {

constexpr int kYear = 2025;  // not a leap year
constexpr int16_t kDec20 = 353, kDec24 = 357, kDec30 = 363, kJan2 = 1, kJan5 = 4;

TEST(ClockTime, ValidAndInvalidTexts) {
    EXPECT_EQ(ParseClockTime(L"9:05"), 545);
    EXPECT_EQ(ParseClockTime(L"09:5"), 545);
    EXPECT_EQ(ParseClockTime(L"23:59"), 1439);
    EXPECT_EQ(ParseClockTime(L" 0:00 "), 0);
    for (const wchar_t* text : {L"24:00", L"12:60", L"1200", L"", L"  ", L"ab:cd", L"-1:30",
                                L"+1:30", L"12:345", L"1:2:3", L":30", L"1 :30"}) {
        EXPECT_EQ(ParseClockTime(text), -1) << text;
    }
}

TEST(TextRules, PictureSuffixesQuotesAndMarkers) {
    const PictureSuffix wait = TakePictureSuffix(L"\"text\",Picture_Wait");
    EXPECT_EQ(wait.picture, 8);
    EXPECT_EQ(wait.value, L"\"text\"");
    EXPECT_EQ(TakePictureSuffix(L"\"a,b\"").value, L"\"a,b\"");  // comma inside the quotes
    // The last comma after the last quote is cut off, whether or not it names a picture.
    for (const wchar_t* value : {L"\"x\",picture_wait", L"\"x\", Picture_Wait", L"\"x\",Other"}) {
        EXPECT_EQ(TakePictureSuffix(value).picture, 1) << value;
        EXPECT_EQ(TakePictureSuffix(value).value, L"\"x\"") << value;
    }
    EXPECT_EQ(ReplaceBreakMarkers(L"a<BR>b<br>c<Br>d"), L"a\r\nb\r\nc<Br>d");
    EXPECT_EQ(LineBreaks(2), L"\r\n\r\n");
    EXPECT_EQ(LineBreaks(-3), L"");
    EXPECT_EQ(ReadInt16(L"-32768"), int16_t{-32768});
    EXPECT_FALSE(ReadInt16(L"32768"));
}

TEST(ParseTimedEntry, DateAndTimeForms) {
    struct Case {
        const wchar_t* value;
        int16_t startDay, endDay, startMinute, endMinute;
    };
    const Case cases[] = {
        {L"[12/20-1/5]{17:00-18:30}\"x\"", kDec20, kJan5, 1020, 1110},
        {L"[12/20-]\"x\"", kDec20, kYearEnd, -1, -1},
        {L"[-1/5]\"x\"", 0, kJan5, -1, -1},
        {L"[ 12/24 ]{17:00}\"x\"", kDec24, -1, 1020, -1},
        {L"{17:00-}\"x\"", -1, -1, 1020, kMidnight},
        {L"{-9:00}\"x\"", -1, -1, 0, 540},
        {L"{22:00-02:00}\"x\"", -1, -1, 1320, 120},
        {L"{25:00-26:00}\"x\"", -1, -1, -1, -1},  // no clock times: read as none
        {L"  \"x\" ", -1, -1, -1, -1},
    };
    for (const Case& c : cases) {
        const TimedEntryParse p = ParseTimedEntry(c.value, kYear);
        ASSERT_EQ(p.error, 0) << c.value;
        EXPECT_EQ(p.entry.startDay, c.startDay) << c.value;
        EXPECT_EQ(p.entry.endDay, c.endDay) << c.value;
        EXPECT_EQ(p.entry.startMinute, c.startMinute) << c.value;
        EXPECT_EQ(p.entry.endMinute, c.endMinute) << c.value;
        EXPECT_EQ(p.entry.text, L"x") << c.value;
    }
    const TimedEntryParse p = ParseTimedEntry(L"{9:00}\"say \"\"hi\"\", now\",Picture_Wait", kYear);
    EXPECT_EQ(p.entry.text, L"say hi, now");
    EXPECT_EQ(p.entry.picture, 8);
}

TEST(ParseTimedEntry, WithoutQuotesTheMarksStayTextAndApplyAlways) {
    const TimedEntryParse p = ParseTimedEntry(L"[12/24]{9:00}text", kYear);
    EXPECT_EQ(p.entry.text, L"[12/24]{9:00}text");
    EXPECT_TRUE(TimedEntryMatches(p.entry, 100, 100));
}

TEST(ParseTimedEntry, DatesThatAreNoDates) {
    for (const wchar_t* value : {L"[13/1]\"x\"", L"[2/30]\"x\"", L"[ab/cd]\"x\"", L"[1/1-x/5]\"x\"",
                                 L"[0/5]\"x\"", L"[12/24/2025]\"x\""}) {
        EXPECT_EQ(ParseTimedEntry(value, kYear).error, kErrTypeMismatch) << value;
    }
    // 29 February is accepted every year; in a common year it falls on 1 March.
    EXPECT_EQ(ParseTimedEntry(L"[2/29]\"x\"", 2024).entry.startDay, 59);
    EXPECT_EQ(ParseTimedEntry(L"[3/1]\"x\"", 2024).entry.startDay, 60);
    EXPECT_EQ(ParseTimedEntry(L"[2/29]\"x\"", 2025).entry.startDay, 59);
}

TimedEntry Entry(int16_t startDay, int16_t endDay, int16_t startMinute, int16_t endMinute) {
    TimedEntry e;
    e.startDay = startDay;
    e.endDay = endDay;
    e.startMinute = startMinute;
    e.endMinute = endMinute;
    return e;
}

// Every cell of the rule, with days 100..110 and minutes 600..660 where a range is given.
TEST(TimedEntryMatches, FullTable) {
    struct Case {
        TimedEntry entry;
        int today, now;
        bool applies;
    };
    const TimedEntry always = Entry(-1, -1, -1, -1), times = Entry(-1, -1, 600, 660),
                     fromTime = Entry(-1, -1, 600, -1), days = Entry(100, 110, -1, -1),
                     daysTimes = Entry(100, 110, 600, 660), daysFromTime = Entry(100, 110, 600, -1),
                     fromDay = Entry(100, -1, -1, -1), fromDayTimes = Entry(100, -1, 600, 660),
                     fromMoment = Entry(100, -1, 600, -1);
    const Case cases[] = {
        {always, 0, 0, true},
        {always, 365, 1439, true},
        {times, 5, 600, true},
        {times, 5, 660, true},
        {times, 5, 599, false},
        {times, 5, 661, false},
        {fromTime, 5, 1439, true},
        {fromTime, 5, 599, false},
        {days, 100, 0, true},
        {days, 110, 1439, true},
        {days, 99, 700, false},
        {days, 111, 700, false},
        {daysTimes, 105, 630, true},
        {daysTimes, 105, 700, false},
        {daysTimes, 111, 630, false},
        {daysFromTime, 105, 630, false},  // never
        {daysFromTime, 105, 1439, false},
        {fromDay, 100, 0, true},
        {fromDay, 365, 0, true},
        {fromDay, 99, 1439, false},
        {fromDayTimes, 200, 630, true},
        {fromDayTimes, 200, 700, false},
        {fromDayTimes, 99, 630, false},
        {fromMoment, 100, 600, true},
        {fromMoment, 100, 599, false},
        {fromMoment, 101, 0, true},
        {fromMoment, 99, 1000, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimedEntryMatches(c.entry, c.today, c.now), c.applies)
            << "days " << c.entry.startDay << ".." << c.entry.endDay << " minutes "
            << c.entry.startMinute << ".." << c.entry.endMinute << " at " << c.today << "/"
            << c.now;
    }
}

std::vector<TimedEntry> SplitLines(std::initializer_list<const wchar_t*> values) {
    std::vector<TimedEntry> list;
    for (const wchar_t* value : values) {
        list.push_back(ParseTimedEntry(value, kYear).entry);
        list.back().line = static_cast<int32_t>(list.size());
    }
    SplitOverYearEndAndMidnight(list);
    return list;
}

bool AnyMatches(const std::vector<TimedEntry>& list, int today, int now) {
    for (const TimedEntry& e : list) {
        if (TimedEntryMatches(e, today, now)) {
            return true;
        }
    }
    return false;
}

TEST(SplitTimedEntries, OverTheYearsEndAndOverMidnight) {
    const auto winter = SplitLines({L"[12/20-1/5]\"winter\""});
    ASSERT_EQ(winter.size(), 2u);
    EXPECT_EQ(winter[0].endDay, kYearEnd);
    EXPECT_EQ(winter[1].startDay, 0);
    EXPECT_EQ(winter[1].endDay, kJan5);
    for (int day : {int{kDec20}, 365, 0, int{kJan5}}) {
        EXPECT_TRUE(AnyMatches(winter, day, 0)) << day;
    }
    EXPECT_FALSE(AnyMatches(winter, kJan5 + 1, 0));
    EXPECT_FALSE(AnyMatches(winter, kDec20 - 1, 0));

    const auto night = SplitLines({L"{22:00-02:00}\"night\""});
    ASSERT_EQ(night.size(), 2u);
    EXPECT_EQ(night[0].endMinute, kMidnight);
    EXPECT_EQ(night[1].startMinute, 0);
    EXPECT_EQ(night[1].endMinute, 120);
    for (int now : {1320, 1439, 0, 120}) {
        EXPECT_TRUE(AnyMatches(night, 50, now)) << now;
    }
    EXPECT_FALSE(AnyMatches(night, 50, 121));
    EXPECT_FALSE(AnyMatches(night, 50, 1319));
}

TEST(SplitTimedEntries, BothSplitsTogether) {
    const auto list = SplitLines({L"[12/30-1/2]{23:00-01:00}\"both\"", L"{9:00-10:00}\"plain\""});
    // The year-end part is split over midnight as well; each morning part reaches one day
    // further, into the morning after the range's last night.
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[1].startMinute, 540);  // the plain entry is left alone
    EXPECT_EQ(list[1].endMinute, 600);
    EXPECT_EQ(list[3].startDay, kDec30);
    EXPECT_EQ(list[3].endDay, kYearEnd + 1);
    EXPECT_EQ(list[4].startDay, 0);
    EXPECT_EQ(list[4].endDay, kJan2 + 1);
    std::vector<TimedEntry> both = list;
    both.erase(both.begin() + 1);
    EXPECT_TRUE(AnyMatches(both, 364, 23 * 60 + 30));
    EXPECT_TRUE(AnyMatches(both, 0, 30));
    EXPECT_TRUE(AnyMatches(both, kJan2 + 1, 30));
    EXPECT_FALSE(AnyMatches(both, kJan2 + 1, 23 * 60 + 30));
    EXPECT_FALSE(AnyMatches(both, 100, 30));
}

TEST(SplitTimedEntries, PartsShareBeingShown) {
    auto list = SplitLines({L"{23:30-00:30}\"a\"", L"{12:00}\"b\""});
    ASSERT_EQ(list.size(), 3u);
    MarkShown(list, 2);
    EXPECT_TRUE(list[0].shown);
    EXPECT_FALSE(list[1].shown);
    EXPECT_TRUE(list[2].shown);
}

}  // namespace
}  // namespace agent
