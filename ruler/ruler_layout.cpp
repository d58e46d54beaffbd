#include "ruler_layout.h"

#include <algorithm>
#include <cmath>

namespace mensato {

namespace {

// Tick lengths in millimetres: every centimetre, every other half centimetre, the rest.
constexpr double kLongTick = 10;
constexpr double kMiddleTick = 7.5;
constexpr double kShortTick = 5;
// The window's extent across the scale, besides the two margins.
constexpr double kAcrossMm = 13;
// A number's text box starts this far before its mark and this far below the base line.
constexpr double kNumberBeforeMarkMm = 4;
constexpr double kNumberBelowLineMm = 9;

double TickLength(int mm) {
    if (mm % 10 == 0) {
        return kLongTick;
    }
    return mm % 5 == 0 ? kMiddleTick : kShortTick;
}

// Maps millimetres along and across the scale to twips on the window.
class Scale {
  public:
    Scale(float twipsPerCm, Orientation orientation)
        : twipsPerCm_(twipsPerCm), horizontal_(orientation == Orientation::Horizontal) {}

    double Twips(double mm) const { return mm * twipsPerCm_ / 10.0; }
    double X(double along, double across) const { return Twips(horizontal_ ? along : across); }
    double Y(double along, double across) const { return Twips(horizontal_ ? across : along); }
    Segment Across(double along, double from, double to) const {
        return {X(along, from), Y(along, from), X(along, to), Y(along, to)};
    }

  private:
    double twipsPerCm_;
    bool horizontal_;
};

}  // namespace

RulerLayout LayOutRuler(const RulerShape& shape, float twipsPerCm) {
    const Scale scale(twipsPerCm, shape.orientation);
    const double margin = shape.marginMm;
    const int lengthMm = shape.lengthCm * 10;

    RulerLayout layout;
    layout.width = scale.X(lengthMm + 2 * margin + 1, 2 * margin + kAcrossMm);
    layout.height = scale.Y(lengthMm + 2 * margin + 1, 2 * margin + kAcrossMm);
    layout.baseLine = {scale.X(margin, margin), scale.Y(margin, margin),
                       scale.X(margin + lengthMm, margin), scale.Y(margin + lengthMm, margin)};
    for (int i = 0; i <= lengthMm; ++i) {
        layout.ticks.push_back(scale.Across(margin + i, margin, margin + TickLength(i)));
    }
    for (int j = 1; j <= shape.lengthCm; ++j) {
        const double along = 10.0 * j + margin - kNumberBeforeMarkMm;
        const double across = margin + kNumberBelowLineMm;
        layout.numbers.push_back(
            {scale.X(along, across), scale.Y(along, across), std::to_wstring(j)});
    }
    return layout;
}

bool RulerFits(const RulerShape& shape, float twipsPerCm, const core::TwipsPerPixel& tpp) {
    if (shape.marginMm < 0 || shape.marginMm > kLargestMarginMm || shape.lengthCm < 0 ||
        shape.lengthCm > kLargestLengthCm) {
        return false;
    }
    // Any positive size is drawn, ticks closer than a pixel included (a large projected
    // picture has under a pixel a millimetre); NaN fails here too.
    if (!(twipsPerCm > 0) || !std::isfinite(twipsPerCm)) {
        return false;
    }
    const double longMm = shape.lengthCm * 10.0 + 2 * shape.marginMm + 1;
    const double shortMm = 2 * shape.marginMm + kAcrossMm;
    // Pixels counted on the finer axis, whichever way the ruler lies.
    const double pixelsPerMm = twipsPerCm / 10.0 / std::min(tpp.x, tpp.y);
    const double longPixels = std::ceil(longMm * pixelsPerMm);
    const double shortPixels = std::ceil(shortMm * pixelsPerMm);
    return longPixels <= kLargestRulerSide &&
           longPixels * shortPixels <= static_cast<double>(kLargestRulerArea);
}

}  // namespace mensato
