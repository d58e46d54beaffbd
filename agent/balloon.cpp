#include "agent/balloon.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/runtime.h"

namespace agent {

namespace {

constexpr int kPixel = 15;  // one pixel at 15 twips per pixel, used as a fixed amount
constexpr int kTextMargin = 300;

int RoundHalfEven(double value) {
    return core::RoundToInt16(value).value_or(0);
}

using Triangle = std::array<std::pair<double, double>, 3>;

// The tail: the outer triangle in the border colour, then the inner one moved twice the
// border width towards the body in the fill colour, which also covers the border under
// the tail's base.
std::array<Triangle, 2> TailTriangles(const BalloonShape& shape, const BalloonPlan& plan) {
    const double p = plan.P, tw = shape.tailWidth, tl = shape.tailHeight, b2 = 2.0 * plan.B;
    const double w = plan.W, h = plan.H;
    switch (shape.tailSide) {
        case kTailTop:
            return {Triangle{{{p, tl}, {p + tw, tl}, {p + tw / 2, 0}}},
                    Triangle{{{p, tl + b2}, {p + tw, tl + b2}, {p + tw / 2, b2}}}};
        case kTailBottom:
            return {Triangle{{{p, h}, {p + tw, h}, {p + tw / 2, h + tl}}},
                    Triangle{{{p, h - b2}, {p + tw, h - b2}, {p + tw / 2, h + tl - b2}}}};
        case kTailLeft:
            return {Triangle{{{tw, p}, {tw, p + tl}, {0, p + tl / 2}}},
                    Triangle{{{tw + b2, p}, {tw + b2, p + tl}, {b2, p + tl / 2}}}};
        default:  // right
            return {Triangle{{{w, p}, {w, p + tl}, {w + tw, p + tl / 2}}},
                    Triangle{{{w - b2, p}, {w - b2, p + tl}, {w + tw - b2, p + tl / 2}}}};
    }
}

bool HasTail(int16_t side) {
    return side >= kTailTop && side <= kTailRight;
}

void FillTriangle(forms::PictureBox& box, const Triangle& triangle, forms::Color color) {
    box.SetFillColor(color);
    std::vector<double> values;
    for (const auto& [x, y] : triangle) {
        values.push_back(x);
        values.push_back(y);
    }
    PaintPolygon(box, values);
}

}  // namespace

BalloonPlan PlanBalloon(BalloonShape& shape) {
    const int s = std::min(shape.width, shape.height);
    if (shape.cornerRadius > s / 2.0 - shape.borderWidth) {
        shape.cornerRadius = int16_t(RoundHalfEven(s / 2.0 - shape.borderWidth));
    }
    if (shape.cornerRadius < shape.borderWidth) {
        shape.borderWidth = shape.cornerRadius;
    }
    BalloonPlan plan;
    plan.W = shape.width;
    plan.H = shape.height;
    switch (shape.tailSide) {
        case kNoTail:
            plan.W -= kPixel;
            plan.H -= kPixel;
            break;
        case kTailTop:
            plan.W -= kPixel;
            plan.H -= shape.tailHeight + kPixel;
            plan.offY = shape.tailHeight;
            break;
        case kTailBottom:
            plan.W -= kPixel;
            plan.H -= shape.tailHeight + kPixel;
            break;
        case kTailLeft:
            plan.W -= shape.tailWidth + kPixel;
            plan.H -= kPixel;
            plan.offX = shape.tailWidth;
            break;
        case kTailRight:
            plan.W -= shape.tailWidth + kPixel;
            plan.H -= kPixel;
            break;
        default:
            break;
    }
    if (shape.tailOffset == 0 && HasTail(shape.tailSide)) {
        const bool alongWidth = shape.tailSide == kTailTop || shape.tailSide == kTailBottom;
        shape.tailOffset = int16_t(RoundHalfEven(alongWidth ? (plan.W - shape.tailWidth) / 2.0
                                                            : (plan.H - shape.tailHeight) / 2.0));
    }
    plan.R = shape.cornerRadius;
    plan.B = shape.borderWidth;
    plan.P = shape.tailOffset;
    return plan;
}

forms::Color BalloonKeyColor(forms::Color border, forms::Color fill) {
    for (forms::Color candidate : {forms::kBlack, forms::kWhite, forms::Color(0xFF0000)}) {
        if (candidate != border && candidate != fill) {
            return candidate;
        }
    }
    return forms::kBlack;  // not reached: three candidates, two excluded at most
}

TextPlace BalloonTextPlace(const BalloonShape& shape, const BalloonPlan& plan, double left,
                           double top, double width, double height) {
    const double m = std::min(plan.R, kTextMargin);
    const double tw = shape.tailWidth, tl = shape.tailHeight;
    switch (shape.tailSide) {
        case kTailTop:
            return {left + m, top + m + tl, width - 2 * m, height - 2 * m - tl};
        case kTailBottom:
            return {left + m, top + m, width - 2 * m, height - 2 * m - tl};
        case kTailLeft:
            return {left + m + tw, top + m, width - 2 * m - tw, height - 2 * m};
        case kTailRight:
            return {left + m, top + m, width - 2 * m - tw, height - 2 * m};
        default:
            return {left, top, width, height};
    }
}

void DrawBalloon(forms::PictureBox& box, BalloonShape& shape, forms::TextBox* text) {
    const BalloonPlan plan = PlanBalloon(shape);
    const int offX = plan.offX, offY = plan.offY, W = plan.W, H = plan.H, R = plan.R, B = plan.B;
    if (shape.keyBackground == 1) {
        box.SetBackground(BalloonKeyColor(shape.borderColor, shape.fillColor));
    }
    box.SetDrawWidth(1);
    box.SetFillStyle(0);
    const std::array<std::pair<int, int>, 4> corners{{{offX + R, offY + R},
                                                      {offX + R, offY + H - R},
                                                      {offX + W - R - kPixel, offY + R},
                                                      {offX + W - R - kPixel, offY + H - R}}};
    for (const auto& [cx, cy] : corners) {
        box.SetFillColor(shape.borderColor);
        box.Circle(cx, cy, R, shape.borderColor);
        box.SetFillColor(shape.fillColor);
        box.Circle(cx, cy, R - B, shape.fillColor);
    }
    const forms::Color border = shape.borderColor, fill = shape.fillColor;
    box.FilledBox(offX, offY + R, offX + B - kPixel, offY + H - R, border);
    box.FilledBox(offX + R, offY + H, offX + W - R, offY + H - B + kPixel, border);
    box.FilledBox(offX + W - kPixel, offY + R, offX + W - B, offY + H - R, border);
    box.FilledBox(offX + R, offY, offX + W - R, offY + B - kPixel, border);
    box.FilledBox(offX + B, offY + R, offX + W - B - kPixel, offY + H - R, fill);
    box.FilledBox(offX + R, offY + B, offX + W - R, offY + H - B, fill);
    if (HasTail(shape.tailSide)) {
        const auto [outer, inner] = TailTriangles(shape, plan);
        FillTriangle(box, outer, border);
        FillTriangle(box, inner, fill);
    }
    if (text != nullptr) {
        const TextPlace place =
            BalloonTextPlace(shape, plan, box.Left(), box.Top(), box.Width(), box.Height());
        text->Move(place.left, place.top, place.width, place.height);
        text->SetBackColor(fill);
    }
}

void PaintPolygon(forms::PictureBox& box, const std::vector<double>& values) {
    std::vector<std::pair<double, double>> points;
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        points.emplace_back(values[i], values[i + 1]);
    }
    box.Polygon(points);
}

}  // namespace agent
