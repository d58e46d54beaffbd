// The balloon's limits, key colour, tail and text box, and what it draws.
#include "agent/balloon.h"

#include <gtest/gtest.h>

#include "forms/forms.h"
#include "headless/test_host.h"

namespace agent {
namespace {

BalloonShape Shape(int16_t width, int16_t height, int16_t tail) {
    BalloonShape shape;
    shape.width = width;
    shape.height = height;
    shape.tailSide = tail;
    return shape;
}

TEST(PlanBalloon, RadiusAndBorderAreLimitedBySize) {
    BalloonShape large = Shape(2000, 1000, kNoTail);
    PlanBalloon(large);
    EXPECT_EQ(large.cornerRadius, 198);
    EXPECT_EQ(large.borderWidth, 30);

    BalloonShape square = Shape(300, 300, kNoTail);
    PlanBalloon(square);
    EXPECT_EQ(square.cornerRadius, 120);  // 150 - 30
    EXPECT_EQ(square.borderWidth, 30);

    // A tiny balloon: the radius falls below the border, which then shrinks to it; an
    // odd half rounds to even (61 / 2 - 30 = 0.5 -> 0).
    BalloonShape tiny = Shape(61, 400, kNoTail);
    PlanBalloon(tiny);
    EXPECT_EQ(tiny.cornerRadius, 0);
    EXPECT_EQ(tiny.borderWidth, 0);
}

TEST(PlanBalloon, BodyMakesRoomForTheTailOnEachSide) {
    struct Case {
        int16_t tail;
        int W, H, offX, offY, P;
    };
    const Case cases[] = {
        {kNoTail, 1985, 985, 0, 0, 0},
        {kTailTop, 1985, 805, 0, 180, 902},  // (1985 - 180) / 2 = 902.5 -> 902
        {kTailBottom, 1985, 805, 0, 0, 902},
        {kTailLeft, 1805, 985, 180, 0, 402},  // (985 - 180) / 2 = 402.5 -> 402
        {kTailRight, 1805, 985, 0, 0, 402},
        {7, 2000, 1000, 0, 0, 0},  // unknown side: no tail, no reduction
    };
    for (const Case& c : cases) {
        BalloonShape shape = Shape(2000, 1000, c.tail);
        const BalloonPlan plan = PlanBalloon(shape);
        EXPECT_EQ(plan.W, c.W) << c.tail;
        EXPECT_EQ(plan.H, c.H) << c.tail;
        EXPECT_EQ(plan.offX, c.offX) << c.tail;
        EXPECT_EQ(plan.offY, c.offY) << c.tail;
        EXPECT_EQ(plan.P, c.P) << c.tail;
        EXPECT_EQ(shape.tailOffset, c.P) << c.tail;
    }
    BalloonShape placed = Shape(2000, 1000, kTailTop);
    placed.tailOffset = 300;
    EXPECT_EQ(PlanBalloon(placed).P, 300);  // a given offset stays
}

TEST(BalloonKeyColor, FirstOfBlackWhiteBlueNotUsedByTheBalloon) {
    EXPECT_EQ(BalloonKeyColor(forms::kBlack, forms::kWhite), 0xFF0000u);
    EXPECT_EQ(BalloonKeyColor(forms::kWhite, forms::kBlack), 0xFF0000u);
    EXPECT_EQ(BalloonKeyColor(forms::kRed, forms::kWhite), forms::kBlack);
    EXPECT_EQ(BalloonKeyColor(forms::kBlack, 0xCCFFFF), forms::kWhite);
}

TEST(BalloonTextPlace, TextLiesOnTheBodyAwayFromTheTail) {
    BalloonShape shape = Shape(2700, 1845, kTailTop);
    BalloonPlan plan = PlanBalloon(shape);  // radius 198: margin 198
    TextPlace top = BalloonTextPlace(shape, plan, 100, 50, 2700, 1845);
    EXPECT_DOUBLE_EQ(top.left, 298);
    EXPECT_DOUBLE_EQ(top.top, 50 + 198 + 180);
    EXPECT_DOUBLE_EQ(top.width, 2700 - 396);
    EXPECT_DOUBLE_EQ(top.height, 1845 - 396 - 180);
    shape.tailSide = kTailLeft;
    TextPlace left = BalloonTextPlace(shape, plan, 0, 0, 2700, 1845);
    EXPECT_DOUBLE_EQ(left.left, 198 + 180);
    EXPECT_DOUBLE_EQ(left.width, 2700 - 396 - 180);
    EXPECT_DOUBLE_EQ(left.height, 1845 - 396);
    shape.tailSide = kTailRight;
    TextPlace right = BalloonTextPlace(shape, plan, 0, 0, 2700, 1845);
    EXPECT_DOUBLE_EQ(right.left, 198);
    EXPECT_DOUBLE_EQ(right.width, 2700 - 396 - 180);
    shape.tailSide = kTailBottom;
    TextPlace bottom = BalloonTextPlace(shape, plan, 0, 0, 2700, 1845);
    EXPECT_DOUBLE_EQ(bottom.top, 198);
    EXPECT_DOUBLE_EQ(bottom.height, 1845 - 396 - 180);
}

class BalloonForm : public forms::Form {
  public:
    BalloonForm() : Form(L"BalloonForm") {
        Picture1.SetBorderStyle(0);
        Picture1.Move(0, 0, 2700, 1845);
    }
    forms::PictureBox Picture1{*this, L"Picture1"};
    forms::TextBox Text1{*this, L"Text1"};
};

TEST(DrawBalloon, KeyAroundTheBodyBorderAndFillInsideTailPointingDown) {
    headless::TestHost host;
    forms::App app(host);
    BalloonForm form;
    form.Load();
    BalloonShape shape = Shape(2700, 1845, kTailBottom);
    shape.borderColor = forms::kBlack;
    shape.fillColor = 0xE0FFFF;
    DrawBalloon(form.Picture1, shape, &form.Text1);
    const forms::Image image = form.Picture1.Pixels();
    ASSERT_EQ(image.width, 180);
    ASSERT_EQ(image.height, 123);
    const forms::Color key = forms::kWhite;  // black is the border
    EXPECT_EQ(image.At(0, 0), key);
    EXPECT_EQ(image.At(179, 0), key);
    EXPECT_EQ(image.At(0, 110), key);
    EXPECT_EQ(image.At(90, 0), forms::kBlack);  // top border strip
    EXPECT_EQ(image.At(0, 55), forms::kBlack);  // left border strip
    EXPECT_EQ(image.At(90, 50), 0xE0FFFFu);     // body
    // The tail under the body's middle: body bottom at 1665 twips (111 px), tip at 123.
    EXPECT_NE(image.At(90, 115), key);
    EXPECT_EQ(image.At(20, 115), key);
    EXPECT_EQ(form.Text1.BackColor(), 0xE0FFFFu);
    EXPECT_DOUBLE_EQ(form.Text1.Top(), 198);
    EXPECT_DOUBLE_EQ(form.Text1.Height(), 1845 - 396 - 180);
}

}  // namespace
}  // namespace agent
