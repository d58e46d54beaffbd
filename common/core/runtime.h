// Run-time helpers: leading-number conversion, rounding to integers, format patterns,
// dates and weekdays, random numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The value of the leading number of text: leading blanks (space, tab, LF, CR), an
// optional sign, digits with at most one decimal point, an optional exponent (E or D).
// 0 when the text starts with no number.
double Val(std::wstring_view text);

// Rounds to the nearest integer, halves to even. nullopt when the result does not fit
// (or the value is not a number): the caller decides what an out-of-range value means.
std::optional<int16_t> RoundToInt16(double value);
std::optional<int32_t> RoundToInt32(double value);

// Number format patterns: digits "0" (always shown) and "#" (shown when significant),
// one optional "." and literal characters around them; e.g. "0.00", "00", "#", "##.#".
// The value is rounded half away from zero to the pattern's decimals.
std::wstring FormatNumber(double value, std::wstring_view pattern);

struct Date {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    friend bool operator==(const Date&, const Date&) = default;
};

struct DateTime {
    Date date;
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

bool IsLeapYear(int year);
bool IsValidDate(const Date& date);
int DaysInMonth(int year, int month);

// Days from a to b (b - a).
int64_t DayDiff(const Date& a, const Date& b);

// 1 = Monday ... 7 = Sunday.
int WeekdayMondayFirst(const Date& date);

// Day of the year counted from 0 (1 January is 0).
int DayOfYear(const Date& date);

// Date and time pictures with the classic letters: d dd (day), m mm (month, or minutes
// right after h/hh), yy yyyy, h hh, n nn (minutes), s ss; ":" and "/" are separators;
// text in double quotes and every other character are literal.
std::wstring FormatDateTime(const DateTime& when, std::wstring_view picture);

// The system's short date and long time forms (Windows: GetDateFormatW/GetTimeFormatW
// of the user's locale; elsewhere the Japanese defaults yyyy/MM/dd and H:mm:ss).
std::wstring SystemShortDate(const Date& date);
std::wstring SystemLongTime(const DateTime& when);

// The local date and time now.
DateTime Now();

// Uniform numbers in [0, 1).
class Random {
public:
    explicit Random(uint64_t seed);
    // Seeded from the clock.
    Random();
    double Next();

private:
    uint64_t state_;
};

}  // namespace core
