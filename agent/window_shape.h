// Windows shaped by their controls and pictures: the outline of a picture's opaque pixels,
// the shape table of a form's pictures, and the operations that hand a form its outline
// and switch the character picture that is part of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "forms/form.h"
#include "forms/picture_box.h"
#include "forms/types.h"

namespace agent {

// The rectangles of a picture's pixels that differ from its top-left pixel (the key
// colour), moved by (dx, dy). Each row's opaque runs become rectangles; runs of
// consecutive rows that are equal are merged into one taller rectangle. A run that reaches
// the last column leaves that column out. An empty picture gives an empty outline.
forms::Region PictureOutline(const forms::Image& picture, int dx, int dy);

// The most rectangles a window outline may hold: the X window system takes at most 32,765
// in one window shape (under Wine a larger one ends the program or hangs it). Where the
// joined outlines still come to more, the window backend reduces them to their rows.
inline constexpr std::size_t kMaxWindowRects = 32765;

// The outline reduced to one rectangle per band of rows, from the band's leftmost to its
// rightmost pixel; equal consecutive bands are merged.
forms::Region RowBounds(const forms::Region& outline);

// How an entry of the shape table takes part in the window's outline.
inline constexpr int16_t kShapeAlways = 0;    // always part of it
inline constexpr int16_t kShapeAtStart = 1;   // part of it when first shaped
inline constexpr int16_t kShapeOnSwitch = 2;  // only when chosen by SwitchShapePicture

// The depth of a picture drawn by the program or taken from the screen.
inline constexpr int kScreenBitsPerPixel = 32;

struct ShapePicture {
    forms::PictureBox* picture = nullptr;
    forms::Region region;  // window pixels
    int16_t mode = kShapeOnSwitch;
    int bitsPerPixel = kScreenBitsPerPixel;  // as the picture's file stores its pixels
};

// The outlines of a form: its ordinary controls' rectangles and its pictures' outlines.
struct WindowShape {
    std::vector<ShapePicture> pictures;
    std::vector<forms::Rect> controlRects;
    bool coarsened = false;  // a picture's outline was too fine and was reduced
};

// Shapes the form: the rectangles of its controls (menus, timers and, with usePictures,
// the controls named as a picture of the table excepted), and with usePictures the
// outline of every table picture whose mode is kShapeAlways or kShapeAtStart. A picture
// outline that would make the window's outline exceed kMaxWindowRects (with the
// controls, the pictures always shown and any one other picture) is reduced to its
// RowBounds, or to its bounding rectangle when that is still too many.
// A table picture of fewer than 256 colours (its depth not a whole number of bytes) stops
// the shaping, in table order, with a message: the form keeps its previous outline, and
// the pictures after it keep their previous outlines.
void BuildWindowShape(forms::Form& form, WindowShape& shape, bool usePictures);

// The form's outline for picture index of the table: the control rectangles, the pictures
// always shown and that picture, which comes to the front. The cover picture is shown
// over the character meanwhile, holding the screen's pixels, so nothing flickers.
void SwitchShapePicture(forms::Form& form, forms::PictureBox& cover, WindowShape& shape, int index);

}  // namespace agent
