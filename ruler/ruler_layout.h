// The ruler's drawing: window size, base line, ticks and numbers, in twips, from a
// calibration (twips per centimetre), the margin and length and the orientation; and the
// bound that keeps a ruler window within a sensible size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"

namespace mensato {

enum class Orientation : int16_t { Vertical = 1, Horizontal = 2 };

// What the boxes and 縦 ⇔ 横 choose.
struct RulerShape {
    int16_t marginMm = 5;
    int16_t lengthCm = 10;
    Orientation orientation = Orientation::Horizontal;
};

// The margin and length boxes take two digits.
inline constexpr int16_t kLargestMarginMm = 99;
inline constexpr int16_t kLargestLengthCm = 99;

// A ruler window measures at most this many pixels on either side ...
inline constexpr int32_t kLargestRulerSide = 32767;
// ... and at most this many pixels in all (a bitmap of 128 MiB).
inline constexpr int64_t kLargestRulerArea = int64_t{1} << 25;

struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A number's text and the top-left corner of its text box.
struct ScaleNumber {
    double x = 0, y = 0;
    std::wstring text;
};

struct RulerLayout {
    double width = 0;   // the window, twips
    double height = 0;  // twips
    Segment baseLine;
    std::vector<Segment> ticks;        // from 0 mm on, one per millimetre
    std::vector<ScaleNumber> numbers;  // 1 to the length in centimetres
};

// Every position is its distance in millimetres from the window's corner times the
// calibration's millimetre, computed afresh for each tick, so rounding never accumulates
// along the scale.
RulerLayout LayOutRuler(const RulerShape& shape, float twipsPerCm);

// Margin and length within their boxes' range, and a positive, finite calibration whose
// window stays within kLargestRulerSide and kLargestRulerArea.
bool RulerFits(const RulerShape& shape, float twipsPerCm, const core::TwipsPerPixel& tpp);

}  // namespace mensato
