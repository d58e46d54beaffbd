// What in a timetable will not work as its author probably means: the editor's "確認"
// list, one line per finding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "agent/timetable_draft.h"

namespace agent {

// The findings, in this order:
// - a time the agent cannot read from the file (with the file's text);
// - a day plan slot naming an item row that has no name, or a row that does not take
//   part (its name is then never shown);
// - two rows taking part whose times overlap, naming the one the agent announces (the one
//   first in its daily list);
// - a row taking part that has an end but no start time (it then runs from midnight).
// excludedMeals: the meal rows the message catalogue leaves out of the day.
std::vector<std::wstring> TimetableFindings(const TimetableDraft& draft,
                                            const std::vector<int16_t>& excludedMeals);

}  // namespace agent
