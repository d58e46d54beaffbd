// 新規's proposal: value and name from the screen's pixels and physical size.
#include "proposal.h"

#include <gtest/gtest.h>

namespace mensato {
namespace {

TEST(ProposeCalibration, FromThePhysicalWidth) {
    // 15 360 twips over 270 mm: 568.888... twips a cm, kept with two decimals.
    const Proposal proposal = ProposeCalibration({1024, 768, 270, 203, {15, 15}});
    EXPECT_FLOAT_EQ(proposal.twipsPerCm, 568.89f);
    EXPECT_EQ(proposal.name, L"13.3inch 1024*768");  // a 338 mm diagonal
}

TEST(ProposeCalibration, NamesTheDiagonalToATenthOfAnInch) {
    // 352 x 264 mm: a 440 mm diagonal, 17.32 inches.
    EXPECT_EQ(ProposeCalibration({1024, 768, 352, 264, {15, 15}}).name, L"17.3inch 1024*768");
    // A whole number of inches keeps the pattern's point: 381 mm is 15 inches.
    EXPECT_EQ(ProposeCalibration({1280, 1024, 297, 238, {15, 15}}).name, L"15.inch 1280*1024");
}

TEST(ProposeCalibration, PixelCountsComeFromTheSystemAlsoWithAFractionalFactor) {
    // 125 dpi: 11.52 twips a pixel. Twips integer-divided by a rounded factor of 12 would
    // give 1843*1037.
    const Proposal proposal = ProposeCalibration({1920, 1080, 344, 194, {11.52, 11.52}});
    EXPECT_EQ(proposal.name.substr(proposal.name.find(L' ')), L" 1920*1080");
    EXPECT_FLOAT_EQ(proposal.twipsPerCm, 642.98f);  // 22 118.4 / 344 x 10
}

TEST(ProposeCalibration, AScreenOfUnknownSizeIsTakenAtItsLogicalSize) {
    for (const ScreenFacts& screen :
         {ScreenFacts{1024, 768, 0, 0, {15, 15}}, ScreenFacts{1024, 768, 270, 0, {15, 15}},
          ScreenFacts{1024, 768, -1, 203, {15, 15}}}) {
        const Proposal proposal = ProposeCalibration(screen);
        EXPECT_FLOAT_EQ(proposal.twipsPerCm, kLogicalTwipsPerCm);
        EXPECT_EQ(proposal.name, L"13.3inch 1024*768");  // 270.9 x 203.2 mm
    }
}

}  // namespace
}  // namespace mensato
