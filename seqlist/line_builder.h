// Builds Ordinell's output text: one line per combination of the two numbers, each value
// formatted once, the whole text sized before anything is allocated.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run_params.h"

namespace ordinell {

// The decimal text of value with at least padWidth digits (zeros in front); a minus sign
// goes before the zeros: -5 with width 3 is "-005".
std::wstring FormatValue(int64_t value, size_t padWidth);

// Total characters of the texts of every value of range, computed without formatting them.
// Saturates at UINT64_MAX.
uint64_t SumOfValueWidths(const NumberRange& range);

// The texts of every value of a range, formatted once and kept side by side.
template <class Char>
class ValueTexts {
  public:
    ValueTexts() = default;
    explicit ValueTexts(const NumberRange& range);

    // The text of the index-th value counted (from 0).
    std::basic_string_view<Char> operator[](size_t index) const {
        return std::basic_string_view<Char>(chars_).substr(starts_[index],
                                                           starts_[index + 1] - starts_[index]);
    }

  private:
    std::basic_string<Char> chars_;
    std::vector<size_t> starts_;
};

struct OutputSize {
    uint64_t lines = 0;
    uint64_t chars = 0;  // CR LF included; saturates at UINT64_MAX
};

// The size of the output of a run, computed from the parameters alone.
OutputSize MeasureOutput(const RunParams& params);

// The most a run may produce; a larger run is refused before anything is allocated. The
// output box keeps its own copy of the text, and rich-edit controls spend far more memory
// per line and per character than the text itself: one implementation takes about 11 KB a
// line and 40 bytes a character, and a second or more for every 10,000 lines. The bound
// keeps the box within about 1.5 GB and half a minute: 100,000 lines (0-99 by
// 0-999) and 8 Mi characters.
inline constexpr uint64_t kMaxOutputChars = 8ull * 1024 * 1024;
inline constexpr uint64_t kMaxOutputLines = 100ull * 1000;

bool FitsInOutputBox(const OutputSize& size);

// Builds every line of a run: s1, i, s2, j, s3 (each when included) and CR LF, the first
// number counting in the outer loop and the second in the inner loop; without the second
// number, one line per value of the first. afterOuterValue runs after the lines of each
// value of the first number; when it returns false the run ends and nothing is returned.
// Call only for parameters that FitsInOutputBox accepts.
// Text is std::wstring or, for two-byte characters on every platform (the size they have
// on Windows), std::u16string; the parts' characters are copied one for one.
template <class Text = std::wstring>
std::optional<Text> BuildOutput(const RunParams& params,
                                const std::function<bool()>& afterOuterValue);

}  // namespace ordinell
