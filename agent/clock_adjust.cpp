#include "agent/clock_adjust.h"

namespace agent {

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;

core::Date NextDay(core::Date date) {
    if (date.day < core::DaysInMonth(date.year, date.month)) {
        ++date.day;
    } else if (date.month < 12) {
        ++date.month;
        date.day = 1;
    } else {
        date = {date.year + 1, 1, 1};
    }
    return date;
}

core::Date PreviousDay(core::Date date) {
    if (date.day > 1) {
        --date.day;
    } else if (date.month > 1) {
        --date.month;
        date.day = core::DaysInMonth(date.year, date.month);
    } else {
        date = {date.year - 1, 12, 31};
    }
    return date;
}

}  // namespace

core::DateTime AdjustClock(const core::DateTime& now, int seconds) {
    core::DateTime result = now;
    int total = now.hour * 3600 + now.minute * 60 + now.second + seconds;
    for (; total < 0; total += kSecondsPerDay) {
        result.date = PreviousDay(result.date);
    }
    for (; total >= kSecondsPerDay; total -= kSecondsPerDay) {
        result.date = NextDay(result.date);
    }
    result.hour = total / 3600;
    result.minute = total / 60 % 60;
    result.second = total % 60;
    return result;
}

}  // namespace agent
