// Timed entries of the message catalogue: balloon messages and message boxes that apply on
// given days of the year and at given minutes of the day.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace agent {

// Day of the year (0 = 1 January) that stands for "to the end of the year".
inline constexpr int16_t kYearEnd = 366;
// Minute that stands for "up to midnight".
inline constexpr int16_t kMidnight = 1440;

struct TimedEntry {
    int16_t startDay = -1;     // day of the year from 0; -1 none
    int16_t endDay = -1;       // -1 none; kYearEnd to the year's end
    int16_t startMinute = -1;  // minutes after midnight; -1 none
    int16_t endMinute = -1;    // -1 none; kMidnight up to midnight
    std::wstring text;
    int16_t picture = 1;
    bool shown = false;  // message boxes: shown since start-up
    // Position of the catalogue line in its list, from 1. The parts an entry is split into
    // (over the year's end, over midnight) share it, and so share being shown.
    int32_t line = 0;
};

// Minutes after midnight of a clock text "h:mm", "hh:mm" or "hh:m" (surrounding spaces
// ignored); -1 when the text is not a valid time of day.
int16_t ParseClockTime(std::wstring_view text);

struct TimedEntryParse {
    TimedEntry entry;
    int error = 0;  // kErrTypeMismatch when a text in square brackets is not a date
};

// Reads the value of a timed line: an optional date part "[m/d]", "[m/d-m/d]", "[m/d-]" or
// "[-m/d]", an optional time part in braces of the same forms with clock times, the text
// in double quotes and an optional picture suffix. Dates count in the given year.
TimedEntryParse ParseTimedEntry(std::wstring_view value, int year);

// Whether the entry applies on day of the year today at minute now.
bool TimedEntryMatches(const TimedEntry& entry, int today, int now);

// Splits entries whose date range runs over the year's end into two, then entries whose
// time range runs over midnight into two, so that every part is an ordinary range.
void SplitOverYearEndAndMidnight(std::vector<TimedEntry>& entries);

// The day of the year that has the same month and day in toYear as day has in fromYear.
// 29 February of a leap year becomes 1 March, as a catalogue date 2/29 does outside leap
// years. Day 0, "none" (-1) and the year's end (kYearEnd and beyond) stay.
int16_t MoveDayToYear(int16_t day, int fromYear, int toYear);

// Moves the days of every entry from fromYear to toYear (see MoveDayToYear).
void MoveEntriesToYear(std::vector<TimedEntry>& entries, int fromYear, int toYear);

// Marks the entry at index shown, together with the other parts of the same line.
void MarkShown(std::vector<TimedEntry>& entries, std::size_t index);

}  // namespace agent
