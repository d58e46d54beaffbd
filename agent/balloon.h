// The speech balloon: a bordered rounded box with a triangular tail, drawn into a picture
// box over a key-coloured background that the window's outline leaves out.
#pragma once

#include <cstdint>
#include <vector>

#include "forms/controls.h"
#include "forms/picture_box.h"
#include "forms/types.h"

namespace agent {

enum TailSide : int16_t {
    kNoTail = 0,
    kTailTop = 1,
    kTailBottom = 2,
    kTailLeft = 3,
    kTailRight = 4
};

// Balloon parameters in twips (15 twips stand for one pixel throughout the drawing).
struct BalloonShape {
    int16_t width = 0;  // the picture box's size
    int16_t height = 0;
    int16_t cornerRadius = 198;
    int16_t borderWidth = 30;
    int16_t tailSide = kNoTail;
    int16_t tailOffset = 0;    // where the tail's base starts along its edge; 0 centres it
    int16_t tailWidth = 180;   // base width of a top/bottom tail, length of a left/right one
    int16_t tailHeight = 180;  // length of a top/bottom tail, base height of a left/right one
    forms::Color borderColor = forms::kBlack;
    forms::Color fillColor = forms::kWhite;
    int16_t keyBackground = 1;  // 1: clear the picture to the key colour first
};

// Where the balloon's parts go, in twips of the picture.
struct BalloonPlan {
    int offX = 0, offY = 0;  // the body's top-left corner
    int W = 0, H = 0;        // the body's size
    int R = 0, B = 0;        // corner radius and border width after their limits
    int P = 0;               // tail offset
};

// Applies the limits to the record (radius at most half the smaller side less the border,
// border at most the radius; body reduced by one pixel and the tail; tail centred when
// its offset is 0) and returns where the parts go.
BalloonPlan PlanBalloon(BalloonShape& shape);

// The background colour the outline treats as transparent: the first of black, white and
// blue that is neither the border nor the fill colour.
forms::Color BalloonKeyColor(forms::Color border, forms::Color fill);

// The text box's place over the balloon body, given the picture box's place and size.
struct TextPlace {
    double left = 0, top = 0, width = 0, height = 0;
};
TextPlace BalloonTextPlace(const BalloonShape& shape, const BalloonPlan& plan, double left,
                           double top, double width, double height);

// Draws the balloon into the picture box and, when given, lays the text box over its body
// with the balloon's fill colour as background. The record's limited values are written
// back.
void DrawBalloon(forms::PictureBox& box, BalloonShape& shape, forms::TextBox* text);

// Fills the polygon x0, y0, x1, y1, … (the picture's scale units) with the box's fill
// colour.
void PaintPolygon(forms::PictureBox& box, const std::vector<double>& values);

}  // namespace agent
