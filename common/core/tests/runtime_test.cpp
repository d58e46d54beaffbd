#include "core/runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace core {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(ValTest, ReadsTheLeadingNumberAndStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(Val(L"42"), 42);
    EXPECT_EQ(Val(L" \t\r\n-17abc"), -17);
    EXPECT_EQ(Val(L"+3.25kg"), 3.25);
    EXPECT_EQ(Val(L"-.5"), -0.5);
    EXPECT_EQ(Val(L"1.2.3"), 1.2);
    EXPECT_EQ(Val(L"12-5"), 12);
}

TEST(ValTest, SkipsBlanksInsideTheNumber) {
    EXPECT_EQ(Val(L"1 2 3"), 123);
    EXPECT_EQ(Val(L"- 1\t5 . 5"), -15.5);
    EXPECT_EQ(Val(L"2 e 3"), 2000);
}

TEST(ValTest, GivesZeroWithoutALeadingNumber) {
    EXPECT_EQ(Val(L""), 0);
    EXPECT_EQ(Val(L"abc12"), 0);
    EXPECT_EQ(Val(L"-"), 0);
    EXPECT_EQ(Val(L"."), 0);
    EXPECT_EQ(Val(L"\uFF11\uFF12"), 0);  // full-width digits are not digits
    EXPECT_FALSE(std::signbit(Val(L"-0")));
}

TEST(ValTest, ReadsExponentsWithEOrD) {
    EXPECT_EQ(Val(L"1.5E3"), 1500);
    EXPECT_EQ(Val(L"25D-1"), 2.5);
    EXPECT_EQ(Val(L"7d"), 7);   // no exponent digits
    EXPECT_EQ(Val(L"7e-"), 7);  // nor here
}

TEST(ValTest, OutOfRangeNumbersSaturateInsteadOfFailing) {
    EXPECT_EQ(Val(L"1e400"), kMax);
    EXPECT_EQ(Val(L"-9.9e308"), -kMax);
    EXPECT_EQ(Val(L"1e99999999999999999999999"), kMax);
    EXPECT_EQ(Val(L"1e-400"), 0);
    EXPECT_EQ(Val(L"1.7976931348623157e308"), kMax);
    EXPECT_EQ(Val(L"0.000000000000000000000000000000000000000000001e45"), 1);
    EXPECT_EQ(Val(std::wstring(400, L'9')), kMax);
}

TEST(ValTest, ReadsHexadecimalAndOctalPrefixes) {
    EXPECT_EQ(Val(L"&hff zz"), 255);
    EXPECT_EQ(Val(L"&HFFFF"), -1);  // 16-bit two's complement
    EXPECT_EQ(Val(L"&H8000"), -32768);
    EXPECT_EQ(Val(L"&H10000"), 65536);
    EXPECT_EQ(Val(L"&HFFFFFFFF"), -1);  // 32-bit two's complement
    EXPECT_EQ(Val(L"&H100000000"), 4294967296.0);
    EXPECT_EQ(Val(L"&O17"), 15);
    EXPECT_EQ(Val(L"&o78"), 7);
    EXPECT_EQ(Val(L"&H"), 0);
    EXPECT_EQ(Val(L"&12"), 0);
}

TEST(RoundTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(-1.5), -2);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(2.4999999), 2);
    EXPECT_EQ(RoundToInt32(2.5000001), 3);
    EXPECT_EQ(RoundToInt16(902.5), 902);
}

TEST(RoundTest, RefusesValuesOutsideTheRange) {
    EXPECT_EQ(RoundToInt16(32767.49), 32767);
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);       // even neighbour is in range
    EXPECT_EQ(RoundToInt16(-32768.51), std::nullopt);
    EXPECT_EQ(RoundToInt32(2147483646.5), 2147483646);
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(RoundToInt32(1e300), std::nullopt);
    EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(RoundToInt16(-std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(FormatNumberTest, PatternsTheProgramsUse) {
    EXPECT_EQ(FormatNumber(70, L"0.00"), L"70.00");
    EXPECT_EQ(FormatNumber(200.0 / 3, L"0.00"), L"66.67");
    EXPECT_EQ(FormatNumber(1, L"00"), L"01");
    EXPECT_EQ(FormatNumber(123, L"00"), L"123");
    EXPECT_EQ(FormatNumber(0, L"#"), L"");
    EXPECT_EQ(FormatNumber(2147483647, L"#"), L"2147483647");
    EXPECT_EQ(FormatNumber(439.0 / 25.4, L"##.#"), L"17.3");
    EXPECT_EQ(FormatNumber(3, L"##.#"), L"3.");  // the point stays
    EXPECT_EQ(FormatNumber(123.45, L"##.#"), L"123.5");
}

TEST(FormatNumberTest, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatNumber(0.625, L"0.00"), L"0.63");
    EXPECT_EQ(FormatNumber(-0.625, L"0.00"), L"-0.63");
    EXPECT_EQ(FormatNumber(2.675, L"0.00"), L"2.68");  // stored just below the half
    EXPECT_EQ(FormatNumber(0.5, L"#"), L"1");
    EXPECT_EQ(FormatNumber(9.995, L"0.00"), L"10.00");
    EXPECT_EQ(FormatNumber(99.96, L"##.#"), L"100.");
    EXPECT_EQ(FormatNumber(0.004, L"0.00"), L"0.00");
}

TEST(FormatNumberTest, SignsAndPadding) {
    EXPECT_EQ(FormatNumber(-5, L"000"), L"-005");
    EXPECT_EQ(FormatNumber(-0.4, L"#"), L"");  // rounds to zero: no sign
    EXPECT_EQ(FormatNumber(-0.001, L"0.00"), L"0.00");
    EXPECT_EQ(FormatNumber(0.25, L"#.##"), L".25");
    EXPECT_EQ(FormatNumber(1.5, L".00"), L"1.50");
    EXPECT_EQ(FormatNumber(3.1, L"0.0#"), L"3.1");
    EXPECT_EQ(FormatNumber(3.1, L"0.#0"), L"3.10");
    EXPECT_EQ(FormatNumber(1e20, L"#"), L"100000000000000000000");
}

TEST(FormatNumberTest, LiteralTextAroundTheDigits) {
    EXPECT_EQ(FormatNumber(7, L"(0)"), L"(7)");
    EXPECT_EQ(FormatNumber(1234, L"0\"点\""), L"1234点");
    EXPECT_EQ(FormatNumber(5, L"\\#0"), L"#5");
    EXPECT_EQ(FormatNumber(1234567, L"#-##0"), L"1234-567");
    EXPECT_EQ(FormatNumber(12.5, L"0.0.0"), L"12.5.0");  // only the first point counts
    EXPECT_EQ(FormatNumber(4, L"0 \"unclosed"), L"4 unclosed");
}

TEST(FormatNumberTest, EmptyPatternAndNonFiniteValues) {
    EXPECT_EQ(FormatNumber(1.5, L""), L"1.5");
    EXPECT_EQ(FormatNumber(0.1 + 0.2, L""), L"0.3");
    EXPECT_EQ(FormatNumber(0, L""), L"0");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), L"0.00"), L"inf");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), L"#"), L"nan");
}

TEST(DateTest, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
    EXPECT_TRUE(IsValidDate({2024, 2, 29}));
    EXPECT_FALSE(IsValidDate({2023, 2, 29}));
    EXPECT_FALSE(IsValidDate({2023, 4, 31}));
    EXPECT_FALSE(IsValidDate({2023, 1, 0}));
}

TEST(DateTest, DayDifferencesAcrossYearEndsAndLeapDays) {
    EXPECT_EQ(DayDiff({2023, 12, 31}, {2024, 1, 1}), 1);
    EXPECT_EQ(DayDiff({2024, 1, 1}, {2023, 12, 31}), -1);
    EXPECT_EQ(DayDiff({2024, 1, 1}, {2025, 1, 1}), 366);
    EXPECT_EQ(DayDiff({2024, 2, 28}, {2024, 3, 1}), 2);
    EXPECT_EQ(DayDiff({1900, 2, 28}, {1900, 3, 1}), 1);
    EXPECT_EQ(DayDiff({1970, 1, 1}, {2000, 1, 1}), 10957);
    EXPECT_EQ(DayDiff({1, 1, 1}, {1970, 1, 1}), 719162);
}

TEST(DateTest, DayOfYearCountsFromZero) {
    EXPECT_EQ(DayOfYear({2023, 1, 1}), 0);
    EXPECT_EQ(DayOfYear({2023, 3, 1}), 59);
    EXPECT_EQ(DayOfYear({2024, 3, 1}), 60);
    EXPECT_EQ(DayOfYear({2024, 12, 31}), 365);
}

TEST(DateTest, WeekdaysStartOnMonday) {
    EXPECT_EQ(WeekdayMondayFirst({2024, 1, 1}), 1);
    EXPECT_EQ(WeekdayMondayFirst({2000, 2, 29}), 2);
    EXPECT_EQ(WeekdayMondayFirst({1970, 1, 1}), 4);
    EXPECT_EQ(WeekdayMondayFirst({2023, 12, 31}), 7);
    EXPECT_EQ(WeekdayMondayFirst({1600, 3, 1}), 3);
}

const DateTime kMorning{{2024, 1, 1}, 8, 5, 9};       // a Monday
const DateTime kEvening{{2026, 11, 28}, 23, 59, 30};  // a Saturday

TEST(FormatDateTimeTest, PicturesTheProgramsUse) {
    EXPECT_EQ(FormatDateTime(kMorning, L"hh:mm"), L"08:05");
    EXPECT_EQ(FormatDateTime(kMorning, L"m/d"), L"1/1");
    EXPECT_EQ(FormatDateTime(kMorning, L"yyyy/mm/dd"), L"2024/01/01");
    EXPECT_EQ(FormatDateTime(kMorning, L"h:nn:ss"), L"8:05:09");
}

TEST(FormatDateTimeTest, MonthOrMinutesDependsOnTheCodeBefore) {
    EXPECT_EQ(FormatDateTime(kEvening, L"h:m"), L"23:59");
    EXPECT_EQ(FormatDateTime(kEvening, L"h時m分"), L"23時59分");
    EXPECT_EQ(FormatDateTime(kEvening, L"hh \"at\" mm"), L"23 at 59");
    EXPECT_EQ(FormatDateTime(kEvening, L"hh:nn m/d"), L"23:59 11/28");
    EXPECT_EQ(FormatDateTime(kEvening, L"m月d日 h:mm:ss"), L"11月28日 23:59:30");
    EXPECT_EQ(FormatDateTime(kEvening, L"YYYY/MM/DD HH:MM"), L"2026/11/28 23:59");
}

TEST(FormatDateTimeTest, YearsWeekdaysAndMonthNames) {
    EXPECT_EQ(FormatDateTime(kEvening, L"yy"), L"26");
    EXPECT_EQ(FormatDateTime(DateTime{{2005, 3, 4}}, L"yy"), L"05");
    EXPECT_EQ(FormatDateTime(kMorning, L"y"), L"1");  // day of the year from 1
    EXPECT_EQ(FormatDateTime(kEvening, L"y"), L"332");
    EXPECT_EQ(FormatDateTime(kMorning, L"(ddd)"), L"(月)");
    EXPECT_EQ(FormatDateTime(kEvening, L"dddd"), L"土曜日");
    EXPECT_EQ(FormatDateTime(kEvening, L"aaa aaaa"), L"土 土曜日");
    EXPECT_EQ(FormatDateTime(kEvening, L"mmm"), L"11月");
}

TEST(FormatDateTimeTest, LiteralText) {
    EXPECT_EQ(FormatDateTime(kMorning, L"\"d m y\" d"), L"d m y 1");
    EXPECT_EQ(FormatDateTime(kMorning, L"\\d\\h d"), L"dh 1");
    EXPECT_EQ(FormatDateTime(kMorning, L"a aa xqz!"), L"a aa xqz!");
    EXPECT_EQ(FormatDateTime(kMorning, L"d \"open"), L"1 open");
}

TEST(SystemFormsTest, ShortDateAndLongTimeShowTheirFields) {
    const DateTime when{{2024, 3, 5}, 13, 7, 9};
    const std::wstring date = SystemShortDate(when.date);
    EXPECT_NE(date.find(L"2024"), std::wstring::npos);
    const std::wstring time = SystemLongTime(when);
    EXPECT_NE(time.find(L"07"), std::wstring::npos);
    EXPECT_NE(time.find(L"09"), std::wstring::npos);
}

TEST(SystemFormsTest, NowIsAValidMoment) {
    const DateTime now = Now();
    EXPECT_TRUE(IsValidDate(now.date));
    EXPECT_GE(now.date.year, 2020);
    EXPECT_TRUE(now.hour >= 0 && now.hour < 24 && now.minute >= 0 && now.minute < 60);
}

TEST(RandomTest, SameSeedSameSequenceAndValuesInRange) {
    Random a(12345), b(12345);
    for (int i = 0; i < 1000; ++i) {
        const double x = a.Next();
        ASSERT_EQ(x, b.Next());
        ASSERT_TRUE(x >= 0.0 && x < 1.0);
    }
}

TEST(RandomTest, ValuesSpreadEvenlyOverTenBuckets) {
    Random random(7);
    int buckets[10] = {};
    constexpr int kDraws = 100000;
    for (int i = 0; i < kDraws; ++i) {
        ++buckets[static_cast<int>(random.Next() * 10)];
    }
    for (int count : buckets) {
        EXPECT_NEAR(count, kDraws / 10, kDraws / 100);
    }
}

TEST(RandomTest, ClockSeededGeneratorsDiffer) {
    std::set<double> firsts;
    for (int i = 0; i < 10; ++i) {
        firsts.insert(Random().Next());
    }
    EXPECT_EQ(firsts.size(), 10u);
}

}  // namespace
}  // namespace core
