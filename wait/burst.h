// One burst of processor load: the work Lindrow does on every timer tick.
#pragma once

#include <cstdint>

namespace lindrow {

// Counts a double-precision number up from 0 in steps of one while it is at most count:
// count + 1 dependent additions (none when count is negative). Returns the final value.
// The increment is read from memory the compiler cannot see through and the result is
// stored to such memory, so the optimiser can neither compute the loop's outcome ahead
// of time nor drop it: the time spent is proportional to the count.
double RunBurst(int32_t count);

}  // namespace lindrow
