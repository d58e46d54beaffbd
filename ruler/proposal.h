// 新規: a calibration proposed for the present screen from the physical size the system
// reports, and its name.
#pragma once

#include <string>

#include "core/geometry.h"

namespace mensato {

struct ScreenFacts {
    int widthPixels = 0;
    int heightPixels = 0;
    int widthMillimetres = 0;  // the physical size as reported; 0 when unknown
    int heightMillimetres = 0;
    core::TwipsPerPixel tpp;
};

// The calibration of the logical centimetre (1440 twips to the inch): what a screen
// reporting no physical size is assumed to show.
inline constexpr float kLogicalTwipsPerCm = 566.93f;

struct Proposal {
    float twipsPerCm = 0;  // two decimals
    std::wstring name;     // e.g. "17.3inch 1024*768"
};

// twips per centimetre = the screen's width in twips / its width in mm x 10, with two
// decimals; the name gives the diagonal in inches ("##.#") and the pixel counts. When the
// system reports no physical size (0 or less on either axis), the screen is taken at its
// logical size.
Proposal ProposeCalibration(const ScreenFacts& screen);

}  // namespace mensato
