// The agent window's arrangement for each balloon side.
#include "agent/agent_layout.h"

#include <gtest/gtest.h>

namespace agent {
namespace {

// A 2700 x 1845 balloon, pictures 1 and 2 of 1500 x 2400 and 3000 x 600 twips, a 375 x 375
// minimise button, 405-twip launchers, a 60-twip gap, 15 twips per pixel, 3-pixel dialog
// frames and a 19-pixel caption (frame allowance 90 x 375 twips).
LayoutInput Input(int tail) {
    LayoutInput in;
    in.tail = tail;
    in.balloon = {2700, 1845};
    in.text = {198, 198};
    in.pictures[0] = {1500, 2400};
    in.pictures[1] = {3000, 600};
    in.minButton = {375, 375};
    in.launcherWidth = 405;
    in.gap = 60;
    return in;
}

// The row: 5 x (405 - 15) + 375 + 315 = 2640 twips wide, launchers overlapping by a pixel.
void ExpectRow(const AgentLayout& layout, double left, double top) {
    EXPECT_DOUBLE_EQ(layout.minButton.left, left);
    EXPECT_DOUBLE_EQ(layout.minButton.top, top);
    for (int i = 0; i < kLaunchers; ++i) {
        EXPECT_DOUBLE_EQ(layout.launchers[i].left, left + 375 + 315 + i * 390) << i;
        EXPECT_DOUBLE_EQ(layout.launchers[i].top, top) << i;
    }
}

TEST(AgentLayout, TailForDirectionPointsFromTheBalloonToTheCharacter) {
    EXPECT_EQ(TailForDirection(1), 2);
    EXPECT_EQ(TailForDirection(2), 1);
    EXPECT_EQ(TailForDirection(3), 4);
    EXPECT_EQ(TailForDirection(4), 3);
    EXPECT_EQ(TailForDirection(0), 2);  // an unknown direction stands the balloon above
}

TEST(AgentLayout, BalloonAboveTheCharacterWithTheButtonsOnTop) {
    const AgentLayout layout = ComputeAgentLayout(Input(2));
    EXPECT_DOUBLE_EQ(layout.cover.width, 3000);
    EXPECT_DOUBLE_EQ(layout.cover.height, 2400);
    ExpectRow(layout, 30, 0);  // (2700 - 2640) / 2
    EXPECT_EQ(layout.balloon, (Place{0, 435}));
    EXPECT_EQ(layout.text, (Place{198, 198 + 435}));
    EXPECT_EQ(layout.pictures[0], (Place{600, 435 + 1845}));   // centred under the balloon
    EXPECT_EQ(layout.pictures[1], (Place{0, 435 + 1845}));     // wider: stays at the left
    EXPECT_EQ(layout.pictures[2], (Place{1350, 435 + 1845}));  // no picture: width 0
    EXPECT_EQ(layout.pictures[9], (Place{0, 435 + 1845}));     // the cover is the widest
    EXPECT_DOUBLE_EQ(layout.window.width, 3000 + 90);
    EXPECT_DOUBLE_EQ(layout.window.height, 375 + 60 + 1845 + 2400 + 375);
}

TEST(AgentLayout, BalloonBelowTheCharacter) {
    const AgentLayout layout = ComputeAgentLayout(Input(1));
    EXPECT_EQ(layout.balloon, (Place{0, 2400}));
    EXPECT_EQ(layout.text, (Place{198, 198 + 2400}));
    ExpectRow(layout, 30, 1845 + 60 + 2400);
    EXPECT_EQ(layout.pictures[0], (Place{600, 0}));
    EXPECT_DOUBLE_EQ(layout.window.width, 3000 + 90);
    // The cover's height is counted twice, as the window has always been sized.
    EXPECT_DOUBLE_EQ(layout.window.height, 2400 + 1845 + 2400 + 375 + 60 + 375);
}

TEST(AgentLayout, BalloonRightOfTheCharacterRowShiftedPastTheTail) {
    const AgentLayout layout = ComputeAgentLayout(Input(3));
    // The row is centred under the body (2700 - 180 wide) that starts after the tail.
    const double rowLeft = -60 + 3000 + 180;
    ExpectRow(layout, rowLeft, 1845 + 60);
    EXPECT_EQ(layout.balloon, (Place{3000, 0}));
    EXPECT_EQ(layout.text, (Place{198 + 3000, 198}));
    EXPECT_EQ(layout.pictures[0], (Place{0, 0}));    // taller than the balloon
    EXPECT_EQ(layout.pictures[1], (Place{0, 622}));  // (1845 - 600) / 2 = 622.5
    EXPECT_DOUBLE_EQ(layout.window.width, 2700 + 3000 + 90);
    // 60 + 1845 + 375 <= 2400: the character decides the height.
    EXPECT_DOUBLE_EQ(layout.window.height, 2400 + 375);
}

TEST(AgentLayout, BalloonLeftOfTheCharacter) {
    LayoutInput in = Input(4);
    in.pictures[0] = {1500, 1200};
    const AgentLayout layout = ComputeAgentLayout(in);
    EXPECT_EQ(layout.balloon, (Place{0, 0}));
    ExpectRow(layout, -60, 1845 + 60);  // (2700 - 180 - 2640) / 2
    EXPECT_EQ(layout.pictures[0], (Place{2700, 322}));
    EXPECT_DOUBLE_EQ(layout.window.width, 2700 + 3000 + 90);
    // 60 + 1845 + 375 > 1200: the balloon and the row decide the height.
    EXPECT_DOUBLE_EQ(layout.window.height, 1845 + 375 + 60 + 375);
}

TEST(AgentLayout, WithoutPicturesTheWindowHoldsBalloonAndButtonsOnly) {
    LayoutInput in = Input(2);
    in.pictures = {};
    const AgentLayout layout = ComputeAgentLayout(in);
    EXPECT_DOUBLE_EQ(layout.cover.width, 0);
    EXPECT_DOUBLE_EQ(layout.window.width, 2700 + 90);
    EXPECT_DOUBLE_EQ(layout.window.height, 375 + 60 + 1845 + 375);
}

}  // namespace
}  // namespace agent
