#include "core/geometry.h"

#include <gtest/gtest.h>

namespace core {
namespace {

const TwipsPerPixel kTpp{15, 15};

SystemMetrics Screen1024x768() {
    SystemMetrics m;
    m.cxVirtualScreen = 1024;
    m.cyVirtualScreen = 768;
    return m;
}

TEST(KeepOnScreen, PullsWindowsBackToTheVirtualScreen) {
    const auto m = Screen1024x768();
    Position p{-100000, 3000};
    KeepOnScreen(3000, 2000, p, m, kTpp, 0, 0);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 3000);

    // Left edge exactly 50 pixels inside the right edge: right edge to the screen's edge.
    p = {(1024 - 50) * 15, 0};
    KeepOnScreen(3000, 2000, p, m, kTpp, 0, 0);
    EXPECT_EQ(p.left, 1024 * 15 - 3000);

    // 51 pixels inside stays.
    p = {(1024 - 51) * 15, (768 - 51) * 15};
    KeepOnScreen(3000, 2000, p, m, kTpp, 0, 0);
    EXPECT_EQ(p.left, (1024 - 51) * 15);
    EXPECT_EQ(p.top, (768 - 51) * 15);

    // Only 50 pixels left showing on the top side: moved to the top edge.
    p = {100, -2000 + 50 * 15};
    KeepOnScreen(3000, 2000, p, m, kTpp, 0, 0);
    EXPECT_EQ(p.top, 0);
}

TEST(KeepOnScreen, UsesTheScreenSizeWithoutVirtualMetricsAndOffsetMonitors) {
    Position p{99999, 99999};
    KeepOnScreen(1500, 1500, p, SystemMetrics{}, kTpp, 12000, 9000);
    EXPECT_EQ(p.left, 12000 - 1500);
    EXPECT_EQ(p.top, 9000 - 1500);

    SystemMetrics left = Screen1024x768();
    left.xVirtualScreen = -1280;
    left.cxVirtualScreen = 2304;
    p = {-1280 * 15 + 10, 0};
    KeepOnScreen(1500, 1500, p, left, kTpp, 0, 0);
    EXPECT_EQ(p.left, -1280 * 15 + 10);
}

TEST(FormFrameExtra, FollowsBorderStyleAndMenus) {
    SystemMetrics m;
    m.cxFrame = 4;
    m.cyFrame = 5;
    m.cxDlgFrame = 3;
    m.cyDlgFrame = 2;
    m.cyCaption = 19;
    m.cySmCaption = 13;
    m.cyMenu = 20;
    auto extra = FormFrameExtra(0, MenuState::None, m, kTpp);
    EXPECT_EQ(extra.width, 0);
    EXPECT_EQ(extra.height, 0);
    // Borderless with only hidden pop-up menus: dialog frame plus caption.
    extra = FormFrameExtra(0, MenuState::Present, m, kTpp);
    EXPECT_EQ(extra.width, 6 * 15);
    EXPECT_EQ(extra.height, (4 + 19) * 15);
    extra = FormFrameExtra(2, MenuState::Visible, m, kTpp);
    EXPECT_EQ(extra.width, 8 * 15);
    EXPECT_EQ(extra.height, (10 + 19 + 20) * 15);
    extra = FormFrameExtra(5, MenuState::None, m, kTpp);
    EXPECT_EQ(extra.height, (10 + 13) * 15);
    extra = FormFrameExtra(5, MenuState::Present, m, kTpp);
    EXPECT_EQ(extra.width, 6 * 15);
    EXPECT_EQ(extra.height, (4 + 13) * 15);
    extra = FormFrameExtra(1, MenuState::Visible, m, TwipsPerPixel{12, 12.5});
    EXPECT_EQ(extra.width, 72);
    EXPECT_EQ(extra.height, 538);  // 43 pixels x 12.5 = 537.5, halves to even
}

TEST(PictureFrameExtra, AddsBorderEdgeAndOnePixel) {
    EXPECT_EQ(PictureFrameExtra(0, 0, 1, kTpp).width, 15);
    EXPECT_EQ(PictureFrameExtra(1, 0, 2, kTpp).width, 75);
    EXPECT_EQ(PictureFrameExtra(1, 1, 1, kTpp).height, 75);
    EXPECT_EQ(PictureFrameExtra(0, 1, 3, kTpp).height, 45);
}

}  // namespace
}  // namespace core
