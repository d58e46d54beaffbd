// What one run of Ordinell produces: the parts of each line and the two counted numbers,
// read from the window's boxes when the run starts, and the checks made before it starts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ordinell {

// One counted number: from start to end in steps of one, upward or downward.
struct NumberRange {
    int32_t start = 0;
    int32_t end = 0;
    // Minimum digit count of each value (zero padding); 0 without the zero format.
    size_t padWidth = 0;

    int Step() const { return end >= start ? 1 : -1; }
    // How many values the range counts through (at least one).
    uint64_t Count() const;
    // The index-th value counted, from 0.
    int64_t ValueAt(uint64_t index) const;
};

// The parts of a line in order, each included when its row's box is checked:
// string 1, number 1, string 2, number 2, string 3.
enum LinePart : size_t { kString1, kNumber1, kString2, kNumber2, kString3, kPartCount };

struct RunParams {
    std::array<std::wstring, 3> strings;
    std::array<bool, kPartCount> include{};
    std::array<NumberRange, 2> numbers;
};

// The bounds of what a range box may hold: the largest value leaves room to count one
// past it in a 32-bit counter; the smallest is the least 32-bit integer.
inline constexpr double kLargestRangeValue = 2147483646.0;
inline constexpr double kSmallestRangeValue = -2147483648.0;

enum class RangeCheck { kOk, kAboveLargest, kBelowSmallest };

// Checks the four range boxes (start 1, end 1, start 2, end 2) by their numeric values.
// A value above the largest is reported before one below the smallest.
RangeCheck CheckRangeTexts(const std::array<std::wstring, 4>& texts);

// A range from its boxes, after CheckRangeTexts passed: start and end are the boxes'
// numeric values rounded halves to even; with the zero format, the pad width is the
// number of characters typed in the end box.
NumberRange ReadRange(std::wstring_view startText, std::wstring_view endText, bool zeroFormat);

}  // namespace ordinell
