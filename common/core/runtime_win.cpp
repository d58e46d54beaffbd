// The Windows half of the run-time helpers: the user's locale formats dates and times,
// and the local clock gives the time now.
#include <windows.h>

#include "core/runtime.h"

namespace core {

namespace {

SYSTEMTIME ToSystemTime(const DateTime& when) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(when.date.year);
    time.wMonth = static_cast<WORD>(when.date.month);
    time.wDay = static_cast<WORD>(when.date.day);
    time.wDayOfWeek = static_cast<WORD>(WeekdayMondayFirst(when.date) % 7);  // Sunday = 0
    time.wHour = static_cast<WORD>(when.hour);
    time.wMinute = static_cast<WORD>(when.minute);
    time.wSecond = static_cast<WORD>(when.second);
    return time;
}

// Runs one of the locale formatting functions (first to size the text, then to fill it);
// empty when the system cannot format the value.
template <typename FormatFunction>
std::wstring FormatWithLocale(FormatFunction format, DWORD flags, const SYSTEMTIME& time) {
    const int length = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length), L'\0');
    const int written = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text.data(), length);
    text.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);  // without the NUL
    return text;
}

}  // namespace

std::wstring SystemShortDate(const Date& date) {
    std::wstring text = FormatWithLocale(GetDateFormatW, DATE_SHORTDATE, ToSystemTime({date}));
    return text.empty() ? FormatDateTime(DateTime{date}, kDefaultShortDatePicture) : text;
}

std::wstring SystemLongTime(const DateTime& when) {
    std::wstring text = FormatWithLocale(GetTimeFormatW, 0, ToSystemTime(when));
    return text.empty() ? FormatDateTime(when, kDefaultLongTimePicture) : text;
}

DateTime Now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return DateTime{Date{local.wYear, local.wMonth, local.wDay}, local.wHour, local.wMinute,
                    local.wSecond};
}

}  // namespace core
