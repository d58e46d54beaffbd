// The loop counts of the three load levels: how they are kept in Lindrow.ini and how the
// options dialog turns its boxes into counts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/profile.h"

namespace lindrow {

using LevelCounts = std::array<int32_t, 3>;

// Used when the file gives no count at all (all three missing, empty or 0).
inline constexpr LevelCounts kDefaultLevelCounts{1000000, 3000000, 10000000};

// Reads Level1..Level3 of [Option]. Only when all three are 0 do the defaults apply;
// otherwise the counts are taken as they are, zeros included.
LevelCounts LoadLevelCounts(const core::ProfileFile& file);

// Writes Level1..Level3 of [Option] with the pattern "#", so a count of 0 is written as an
// empty value (and reads back as 0). 0, or the error number of the first write that failed
// (the keys after it are not tried; the file keeps what it held).
int SaveLevelCounts(core::ProfileFile& file, const LevelCounts& counts);

// A count typed into the options dialog: the box's leading number rounded to a 32-bit
// integer. A number beyond the 32-bit range is replaced by the nearest limit, and the
// box then shows that limit (boxText is set to it).
int32_t CountFromBox(std::wstring& boxText);

// The text a box shows for a count: "#" formatting, so 0 shows as an empty box.
std::wstring CountText(int32_t count);

}  // namespace lindrow
