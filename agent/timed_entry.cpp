#include "agent/timed_entry.h"

#include <initializer_list>
#include <optional>

#include "agent/catalogue_text.h"
#include "agent/read_errors.h"
#include "core/runtime.h"
#include "core/text.h"

namespace agent {

namespace {

// Positions count from 1; 0 means "not found", as the marks of a line are compared.
using Pos = std::size_t;

Pos Find(std::wstring_view text, wchar_t c, Pos after = 0) {
    const auto at = text.find(c, after);
    return at == std::wstring_view::npos ? 0 : at + 1;
}

// True when the first position is found and every following one lies after the previous.
bool InOrder(std::initializer_list<Pos> positions) {
    Pos previous = 0;
    for (Pos p : positions) {
        if (p <= previous) {
            return false;
        }
        previous = p;
    }
    return true;
}

std::wstring_view Between(std::wstring_view text, Pos open, Pos close) {
    return text.substr(open, close - open - 1);
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool AllDigits(std::wstring_view text) {
    if (text.empty()) {
        return false;
    }
    for (wchar_t c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// Day of the year of a "m/d" text in the given year. 29 February is accepted in every
// year, so a catalogue naming it keeps loading; outside leap years it falls on 1 March.
std::optional<int16_t> ParseMonthDay(std::wstring_view text, int year) {
    const std::wstring trimmed = core::Trim(text);
    const auto slash = trimmed.find(L'/');
    if (slash == std::wstring::npos) {
        return std::nullopt;
    }
    const std::wstring_view month = std::wstring_view(trimmed).substr(0, slash);
    const std::wstring_view day = std::wstring_view(trimmed).substr(slash + 1);
    if (!AllDigits(month) || !AllDigits(day) || month.size() > 2 || day.size() > 2) {
        return std::nullopt;
    }
    core::Date date{year, std::stoi(std::wstring(month)), std::stoi(std::wstring(day))};
    if (date.month == 2 && date.day == 29 && !core::IsLeapYear(year)) {
        date = core::Date{year, 3, 1};
    }
    if (!core::IsValidDate(date)) {
        return std::nullopt;
    }
    return static_cast<int16_t>(core::DayOfYear(date));
}

// Reads the date part of value into entry and cuts value to what follows it. false when a
// date in it is not a date.
bool TakeDatePart(std::wstring& value, TimedEntry& entry, int year) {
    const std::wstring_view v = value;
    const Pos l = Find(v, L'['), s1 = Find(v, L'/'), m = Find(v, L'-');
    const Pos s2 = s1 != 0 ? Find(v, L'/', s1) : 0;
    const Pos r = Find(v, L']'), q = Find(v, L'"');
    std::optional<int16_t> start, end;
    if (InOrder({l, s1, m, s2, r, q})) {
        start = ParseMonthDay(Between(v, l, m), year);
        end = ParseMonthDay(Between(v, m, r), year);
    } else if (InOrder({l, s1, m, r, q})) {
        start = ParseMonthDay(Between(v, l, m), year);
        end = kYearEnd;
    } else if (InOrder({l, m, s1, r, q})) {
        start = 0;
        end = ParseMonthDay(Between(v, m, r), year);
    } else if (InOrder({l, s1, r, q})) {
        start = ParseMonthDay(Between(v, l, r), year);
        end = -1;
    } else {
        return true;
    }
    if (!start || !end) {
        return false;
    }
    entry.startDay = *start;
    entry.endDay = *end;
    value.erase(0, r);
    return true;
}

// Reads the time part of value into entry and cuts value to what follows it. Times that
// are not clock times read as -1.
void TakeTimePart(std::wstring& value, TimedEntry& entry) {
    const std::wstring_view v = value;
    const Pos b = Find(v, L'{'), c1 = Find(v, L':'), m = Find(v, L'-');
    const Pos c2 = c1 != 0 ? Find(v, L':', c1) : 0;
    const Pos e = Find(v, L'}'), q = Find(v, L'"');
    if (InOrder({b, c1, m, c2, e, q})) {
        entry.startMinute = ParseClockTime(Between(v, b, m));
        entry.endMinute = ParseClockTime(Between(v, m, e));
    } else if (InOrder({b, c1, m, e, q})) {
        entry.startMinute = ParseClockTime(Between(v, b, m));
        entry.endMinute = kMidnight;
    } else if (InOrder({b, m, c1, e, q})) {
        entry.startMinute = 0;
        entry.endMinute = ParseClockTime(Between(v, m, e));
    } else if (InOrder({b, c1, e, q})) {
        entry.startMinute = ParseClockTime(Between(v, b, e));
        entry.endMinute = -1;
    } else {
        return;
    }
    value.erase(0, e);
}

enum class Span { None, Range, From };

Span SpanOf(int16_t start, int16_t end) {
    if (end != -1) {
        return Span::Range;
    }
    return start != -1 ? Span::From : Span::None;
}

}  // namespace

int16_t ParseClockTime(std::wstring_view text) {
    std::wstring t = core::Trim(text);
    if (t.empty()) {
        return -1;
    }
    if (t.find(L':') == 1) {
        t.insert(0, 1, L'0');
    }
    if (t.size() < 3 || t[2] != L':') {
        return -1;
    }
    if (t.size() == 4) {
        t.insert(3, 1, L'0');
    }
    if (t.size() != 5 || !AllDigits(t.substr(0, 2)) || !AllDigits(t.substr(3, 2))) {
        return -1;
    }
    const int hours = (t[0] - L'0') * 10 + (t[1] - L'0');
    const int minutes = (t[3] - L'0') * 10 + (t[4] - L'0');
    if (hours > 23 || minutes >= 60) {
        return -1;
    }
    return static_cast<int16_t>(hours * 60 + minutes);
}

TimedEntryParse ParseTimedEntry(std::wstring_view value, int year) {
    TimedEntryParse result;
    PictureSuffix split = TakePictureSuffix(value);
    result.entry.picture = split.picture;
    if (!TakeDatePart(split.value, result.entry, year)) {
        result.error = kErrTypeMismatch;
        return result;
    }
    TakeTimePart(split.value, result.entry);
    result.entry.text = core::Trim(core::WithoutQuotes(split.value));
    return result;
}

bool TimedEntryMatches(const TimedEntry& entry, int today, int now) {
    const Span date = SpanOf(entry.startDay, entry.endDay);
    const Span time = SpanOf(entry.startMinute, entry.endMinute);
    const bool inDays = entry.startDay <= today && today <= entry.endDay;
    const bool fromDay = today >= entry.startDay;
    const bool inTimes = entry.startMinute <= now && now <= entry.endMinute;
    switch (date) {
        case Span::None:
            return time == Span::None    ? true
                   : time == Span::Range ? inTimes
                                         : now >= entry.startMinute;
        case Span::Range:
            return time == Span::None ? inDays : time == Span::Range ? inDays && inTimes : false;
        case Span::From:
            return time == Span::None    ? fromDay
                   : time == Span::Range ? fromDay && inTimes
                                         : today > entry.startDay || (today == entry.startDay &&
                                                                      now >= entry.startMinute);
    }
    return false;
}

void SplitOverYearEndAndMidnight(std::vector<TimedEntry>& entries) {
    const std::size_t asRead = entries.size();
    for (std::size_t i = 0; i < asRead; ++i) {
        if (entries[i].endDay != -1 && entries[i].endDay < entries[i].startDay) {
            TimedEntry january = entries[i];
            january.startDay = 0;
            entries[i].endDay = kYearEnd;
            entries.push_back(std::move(january));
        }
    }
    const std::size_t afterYearEnd = entries.size();
    for (std::size_t i = 0; i < afterYearEnd; ++i) {
        if (entries[i].endMinute != -1 && entries[i].endMinute < entries[i].startMinute) {
            TimedEntry morning = entries[i];
            morning.startMinute = 0;
            if (morning.endDay != -1) {
                ++morning.endDay;
            }
            entries[i].endMinute = kMidnight;
            entries.push_back(std::move(morning));
        }
    }
}

int16_t MoveDayToYear(int16_t day, int fromYear, int toYear) {
    constexpr int16_t kFirstOfMarchOutsideLeapYears = 59;
    const bool fromLeap = core::IsLeapYear(fromYear), toLeap = core::IsLeapYear(toYear);
    if (day <= 0 || day >= kYearEnd || fromLeap == toLeap) {
        return day;
    }
    if (toLeap) {
        return day >= kFirstOfMarchOutsideLeapYears ? int16_t(day + 1) : day;
    }
    return day > kFirstOfMarchOutsideLeapYears ? int16_t(day - 1) : day;
}

void MoveEntriesToYear(std::vector<TimedEntry>& entries, int fromYear, int toYear) {
    for (TimedEntry& entry : entries) {
        entry.startDay = MoveDayToYear(entry.startDay, fromYear, toYear);
        entry.endDay = MoveDayToYear(entry.endDay, fromYear, toYear);
    }
}

void MarkShown(std::vector<TimedEntry>& entries, std::size_t index) {
    const int32_t line = entries.at(index).line;
    entries[index].shown = true;
    for (TimedEntry& entry : entries) {
        if (line != 0 && entry.line == line) {
            entry.shown = true;
        }
    }
}

}  // namespace agent
