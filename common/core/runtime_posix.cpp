// The host half of the run-time helpers: the Japanese default forms and the C library's
// local time.
#include <ctime>

#include "core/runtime.h"

namespace core {

std::wstring SystemShortDate(const Date& date) {
    return FormatDateTime(DateTime{date}, kDefaultShortDatePicture);
}

std::wstring SystemLongTime(const DateTime& when) {
    return FormatDateTime(when, kDefaultLongTimePicture);
}

DateTime Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTime{Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour,
                    local.tm_min, local.tm_sec};
}

}  // namespace core
