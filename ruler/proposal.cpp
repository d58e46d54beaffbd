#include "proposal.h"

#include <cmath>

#include "core/runtime.h"

namespace mensato {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kMillimetresPerInch = 25.4;

}  // namespace

Proposal ProposeCalibration(const ScreenFacts& screen) {
    const double widthTwips = screen.widthPixels * screen.tpp.x;
    const double heightTwips = screen.heightPixels * screen.tpp.y;
    double widthMm = screen.widthMillimetres;
    double heightMm = screen.heightMillimetres;
    if (widthMm <= 0 || heightMm <= 0) {
        widthMm = widthTwips / kTwipsPerInch * kMillimetresPerInch;
        heightMm = heightTwips / kTwipsPerInch * kMillimetresPerInch;
    }
    const double diagonalMm =
        core::RoundToInt32(std::sqrt(widthMm * widthMm + heightMm * heightMm)).value_or(0);
    const std::wstring value = core::FormatNumber(widthTwips / widthMm * 10, L"0.00");
    return {static_cast<float>(core::Val(value)),
            core::FormatNumber(diagonalMm / kMillimetresPerInch, L"##.#") + L"inch " +
                std::to_wstring(screen.widthPixels) + L"*" + std::to_wstring(screen.heightPixels)};
}

}  // namespace mensato
