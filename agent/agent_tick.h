// What the agent's one-second tick computes: the clock line, what the balloon says in a
// given minute, the texts written into the balloon and the next due message box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "agent/catalogue.h"
#include "agent/timetable.h"
#include "core/runtime.h"

namespace agent {

// A picture number the window can show: 1…9; anything else shows the normal picture 1.
int16_t ShownPicture(int16_t picture);

// Whether the catalogue gives a date or a time format for the clock line.
bool HasClockFormat(const MessageCatalogue& catalogue);

// The clock line: the date and time in the catalogue's formats, or "hh:mm" when it gives
// none (then only used to notice that the minute changed).
std::wstring ClockText(const MessageCatalogue& catalogue, const core::DateTime& now);

struct MinuteView {
    std::wstring headline;    // announced when it differs from the last one
    std::wstring normalText;  // shown once the announcement has been held
    int16_t picture = 0;
    bool rest = false;  // a meal, a recess, a holiday or nothing on: rest lines apply
};

// What the balloon says at minute now of the date: the current timetable entry worded by
// the weekday's day plan (or the holiday wording when the plan is empty) when the
// timetable is in use, then every timed balloon message that applies.
MinuteView EvaluateMinute(const MessageCatalogue& catalogue, const Timetable& timetable,
                          const DayTable& dayTable, const core::Date& date, int now,
                          bool timetableInUse);

// The balloon's text announcing a new message, and its text once the message was held.
std::wstring AnnouncementView(const MessageCatalogue& catalogue, std::wstring_view clock,
                              std::wstring_view headline, std::wstring_view extra);
std::wstring NormalView(const MessageCatalogue& catalogue, std::wstring_view clock,
                        std::wstring_view normalText);

// The text with its first headLength characters (at most all of them) replaced by head;
// what the user typed after them stays.
std::wstring ReplaceHead(std::wstring_view text, std::size_t headLength, std::wstring_view head);

// The first message box not shown yet that applies on day today at minute now.
std::optional<std::size_t> DueMessageBox(const std::vector<TimedEntry>& boxes, int today, int now);

}  // namespace agent
