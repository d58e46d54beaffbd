// The agent's clock: the system time moved by the user's adjustment, so that the balloon
// and the timetable agree with the school's bell rather than with the computer's clock.
#pragma once

#include "core/runtime.h"

namespace agent {

// The date and time seconds later (earlier when negative), across midnight, the month's
// and the year's end.
core::DateTime AdjustClock(const core::DateTime& now, int seconds);

}  // namespace agent
