#include "run_params.h"

#include "core/runtime.h"

namespace ordinell {

uint64_t NumberRange::Count() const {
    const int64_t span = static_cast<int64_t>(end) - start;
    return static_cast<uint64_t>(span < 0 ? -span : span) + 1;
}

int64_t NumberRange::ValueAt(uint64_t index) const {
    return start + Step() * static_cast<int64_t>(index);
}

RangeCheck CheckRangeTexts(const std::array<std::wstring, 4>& texts) {
    bool belowSmallest = false;
    for (const std::wstring& text : texts) {
        const double value = core::Val(text);
        if (value > kLargestRangeValue) {
            return RangeCheck::kAboveLargest;
        }
        belowSmallest = belowSmallest || value < kSmallestRangeValue;
    }
    return belowSmallest ? RangeCheck::kBelowSmallest : RangeCheck::kOk;
}

NumberRange ReadRange(std::wstring_view startText, std::wstring_view endText, bool zeroFormat) {
    // Checked values lie within [kSmallestRangeValue, kLargestRangeValue] and round into range.
    return {core::RoundToInt32(core::Val(startText)).value_or(0),
            core::RoundToInt32(core::Val(endText)).value_or(0), zeroFormat ? endText.size() : 0};
}

}  // namespace ordinell
