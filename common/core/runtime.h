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
// Blanks inside the number are skipped too ("1 2 3" is 123). "&H" and "&O" start a
// hexadecimal or octal number, read as a 16-bit signed value when it fits 16 bits, as a
// 32-bit signed value when it fits 32 bits ("&HFFFF" is -1), else unsigned. Reading stops
// at the first other character; full-width digits are not digits. 0 when the text starts
// with no number. A number beyond the double range gives the largest finite value with
// its sign; one too small to represent gives 0.
double Val(std::wstring_view text);

// Rounds to the nearest integer, halves to even. nullopt when the result does not fit
// (or the value is not a number): the caller decides what an out-of-range value means.
std::optional<int16_t> RoundToInt16(double value);
std::optional<int32_t> RoundToInt32(double value);

// Number format patterns: digits "0" (always shown) and "#" (shown when significant),
// one optional "." and literal characters around them; e.g. "0.00", "00", "#", "##.#".
// Text in double quotes and a character after "\" are literal as well.
// The value is rounded half away from zero to the pattern's decimals. The leftmost integer
// placeholder takes every digit that does not fit ("#" of 2147483647 is "2147483647");
// "#" of 0 is empty; the decimal point is always written ("##.#" of 3 is "3."); a negative
// value that does not round to zero gets a leading "-". An empty pattern gives the plain
// decimal form (up to 15 significant digits). Infinities and NaN give "inf", "-inf", "nan".
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

// Dates follow the Gregorian calendar, extended to every year.
bool IsLeapYear(int year);
bool IsValidDate(const Date& date);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// Days from a to b (b - a).
int64_t DayDiff(const Date& a, const Date& b);

// 1 = Monday ... 7 = Sunday.
int WeekdayMondayFirst(const Date& date);

// Day of the year counted from 0 (1 January is 0).
int DayOfYear(const Date& date);

// Date and time pictures with the classic letters, in either case: d dd (day), ddd dddd
// and aaa aaaa (weekday "月" / "月曜日"), m mm (month; minutes when the code before it,
// literal text aside, is h or hh: "hh:mm", "h時m分"), mmm mmmm (month name "1月"), y (day
// of the year from 1), yy yyyy, h hh, n nn (minutes), s ss. ":" and "/" are separators;
// text in double quotes, a character after "\" and every other character are literal.
std::wstring FormatDateTime(const DateTime& when, std::wstring_view picture);

// The forms used where the system gives none: the Japanese short date and long time.
inline constexpr std::wstring_view kDefaultShortDatePicture = L"yyyy/mm/dd";
inline constexpr std::wstring_view kDefaultLongTimePicture = L"h:nn:ss";

// The system's short date and long time forms (Windows: GetDateFormatW/GetTimeFormatW
// of the user's locale; elsewhere, or when the system cannot format the value, the
// default pictures above).
std::wstring SystemShortDate(const Date& date);
std::wstring SystemLongTime(const DateTime& when);

// The local date and time now.
DateTime Now();

// Uniform numbers in [0, 1) from a 64-bit splitmix generator.
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
