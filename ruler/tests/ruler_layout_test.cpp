// The ruler's geometry in twips, and the bound on the window a calibration may ask for.
#include "ruler_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace mensato {
namespace {

constexpr core::TwipsPerPixel kTpp{15, 15};

TEST(RulerLayout, HorizontalTenCentimetresWithFiveMillimetreMargins) {
    const RulerLayout layout = LayOutRuler({5, 10, Orientation::Horizontal}, 567);
    EXPECT_DOUBLE_EQ(layout.width, 6293.7);   // 111 mm
    EXPECT_DOUBLE_EQ(layout.height, 1304.1);  // 23 mm
    EXPECT_DOUBLE_EQ(layout.baseLine.x1, 283.5);
    EXPECT_DOUBLE_EQ(layout.baseLine.y1, 283.5);
    EXPECT_DOUBLE_EQ(layout.baseLine.x2, 5953.5);
    EXPECT_DOUBLE_EQ(layout.baseLine.y2, 283.5);
    ASSERT_EQ(layout.ticks.size(), 101u);
    ASSERT_EQ(layout.numbers.size(), 10u);
    for (size_t j = 0; j < layout.numbers.size(); ++j) {
        const ScaleNumber& number = layout.numbers[j];
        EXPECT_EQ(number.text, std::to_wstring(j + 1));
        EXPECT_NEAR(number.x, (10.0 * double(j + 1) + 5 - 4) * 56.7, 1e-9);
        EXPECT_NEAR(number.y, 14 * 56.7, 1e-9);
    }
}

TEST(RulerLayout, TicksAreLongEveryCentimetreMiddleEveryHalfAndShortOtherwise) {
    const RulerLayout layout = LayOutRuler({5, 3, Orientation::Horizontal}, 567);
    ASSERT_EQ(layout.ticks.size(), 31u);
    for (size_t i = 0; i < layout.ticks.size(); ++i) {
        const Segment& tick = layout.ticks[i];
        const double expected = i % 10 == 0 ? 10 : i % 5 == 0 ? 7.5 : 5;
        EXPECT_NEAR(tick.x1, (5.0 + double(i)) * 56.7, 1e-9) << i;
        EXPECT_EQ(tick.x2, tick.x1) << i;
        EXPECT_DOUBLE_EQ(tick.y1, 283.5) << i;
        EXPECT_NEAR(tick.y2 - tick.y1, expected * 56.7, 1e-9) << i;
    }
}

TEST(RulerLayout, VerticalSwapsTheAxes) {
    const RulerShape across{7, 4, Orientation::Horizontal};
    const RulerShape down{7, 4, Orientation::Vertical};
    const RulerLayout h = LayOutRuler(across, 600.5f);
    const RulerLayout v = LayOutRuler(down, 600.5f);
    EXPECT_DOUBLE_EQ(v.width, h.height);
    EXPECT_DOUBLE_EQ(v.height, h.width);
    EXPECT_DOUBLE_EQ(v.baseLine.x2, h.baseLine.y2);
    EXPECT_DOUBLE_EQ(v.baseLine.y2, h.baseLine.x2);
    ASSERT_EQ(v.ticks.size(), h.ticks.size());
    for (size_t i = 0; i < v.ticks.size(); ++i) {
        EXPECT_DOUBLE_EQ(v.ticks[i].x1, h.ticks[i].y1);
        EXPECT_DOUBLE_EQ(v.ticks[i].y1, h.ticks[i].x1);
        EXPECT_DOUBLE_EQ(v.ticks[i].x2, h.ticks[i].y2);
        EXPECT_DOUBLE_EQ(v.ticks[i].y2, h.ticks[i].x2);
    }
    ASSERT_EQ(v.numbers.size(), 4u);
    EXPECT_DOUBLE_EQ(v.numbers[3].x, h.numbers[3].y);
    EXPECT_DOUBLE_EQ(v.numbers[3].y, h.numbers[3].x);
}

TEST(RulerLayout, EveryMarkOfALongRulerWithAnOddCalibrationIsWhereTheCalibrationSays) {
    // 566.93 twips per cm is 3.7795 pixels per mm: a step rounded to whole pixels (or
    // twips) and added up would put the 99 cm mark pixels away from its place.
    const float twipsPerCm = 566.93f;
    const RulerLayout layout = LayOutRuler({3, 99, Orientation::Horizontal}, twipsPerCm);
    ASSERT_EQ(layout.ticks.size(), 991u);
    for (size_t i = 0; i < layout.ticks.size(); i += 10) {
        const double exact = (3.0 + double(i)) * double(twipsPerCm) / 10;
        EXPECT_NEAR(layout.ticks[i].x1, exact, 1e-6) << i;
    }
    EXPECT_NEAR(layout.ticks.back().x1 - layout.ticks.front().x1, 99 * double(twipsPerCm), 1e-6);
    EXPECT_NEAR(layout.width, 997 * double(twipsPerCm) / 10, 1e-6);
}

TEST(RulerFits, AcceptsRealScreensUpToTheLongestRuler) {
    EXPECT_TRUE(RulerFits({5, 10, Orientation::Horizontal}, 567, kTpp));
    EXPECT_TRUE(RulerFits({99, 99, Orientation::Vertical}, 567, kTpp));
    EXPECT_TRUE(RulerFits({0, 0, Orientation::Horizontal}, 150, kTpp));  // one pixel a mm
    // A 100-inch picture 1920 pixels wide: 130 twips a cm, 0.87 pixels a millimetre.
    EXPECT_TRUE(RulerFits({5, 10, Orientation::Horizontal}, 130.08f, kTpp));
    EXPECT_TRUE(RulerFits({99, 99, Orientation::Vertical}, 0.01f, kTpp));
    // A fine screen (114 pixels a cm at 15 twips a pixel): 13 586 x 2 411 pixels.
    EXPECT_TRUE(RulerFits({99, 99, Orientation::Horizontal}, 1714, kTpp));
}

TEST(RulerFits, RefusesInvisibleOrEnormousRulers) {
    const RulerShape usual{5, 10, Orientation::Horizontal};
    EXPECT_FALSE(RulerFits(usual, 0, kTpp));
    EXPECT_FALSE(RulerFits(usual, -567, kTpp));
    EXPECT_FALSE(RulerFits(usual, std::nanf(""), kTpp));
    EXPECT_FALSE(RulerFits(usual, INFINITY, kTpp));
    EXPECT_FALSE(RulerFits(usual, 9999999, kTpp));
    // The long side of a thin 99 cm ruler (991 x 13 mm): 33 pixels a millimetre make
    // 32 703 pixels, 34 make 33 694, beyond the 32 767 a side may have.
    const RulerShape thin{0, 99, Orientation::Horizontal};
    EXPECT_TRUE(RulerFits(thin, 33 * 150, kTpp));
    EXPECT_FALSE(RulerFits(thin, 34 * 150, kTpp));
    // The area: a short, wide-margined ruler (209 x 211 mm at 33 pixels a millimetre) whose
    // sides stay far below the limit.
    EXPECT_TRUE(RulerFits({99, 1, Orientation::Horizontal}, 27 * 150, kTpp));
    EXPECT_FALSE(RulerFits({99, 1, Orientation::Horizontal}, 33 * 150, kTpp));
    // With pixels that are not square the finer axis counts: 49.5 pixels a millimetre.
    EXPECT_FALSE(RulerFits(thin, 33 * 150, {15, 10}));
}

TEST(RulerFits, RefusesMarginsAndLengthsBeyondTheirBoxes) {
    EXPECT_FALSE(RulerFits({-1, 10, Orientation::Horizontal}, 567, kTpp));
    EXPECT_FALSE(RulerFits({100, 10, Orientation::Horizontal}, 567, kTpp));
    EXPECT_FALSE(RulerFits({5, -1, Orientation::Horizontal}, 567, kTpp));
    EXPECT_FALSE(RulerFits({5, 100, Orientation::Horizontal}, 567, kTpp));
    EXPECT_FALSE(RulerFits({5, 32767, Orientation::Horizontal}, 567, kTpp));
}

}  // namespace
}  // namespace mensato
