#include "agent/window_shape.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "agent/picture_depth.h"
#include "forms/app.h"

namespace agent {

namespace {

using Run = std::pair<int, int>;  // first column, end column (exclusive)

// The opaque runs of row y: a run starts at a pixel that differs from the key and ends
// before the next key pixel, or at the last column, which it leaves out.
void RowRuns(const forms::Image& picture, int y, forms::Color key, std::vector<Run>& runs) {
    runs.clear();
    const int w = picture.width;
    const forms::Color* row = picture.pixels.data() + std::size_t(y) * std::size_t(w);
    for (int x = 0; x < w; ++x) {
        if (row[x] == key) {
            continue;
        }
        const int start = x;
        while (x < w - 1) {
            ++x;
            if (row[x] == key) {
                break;
            }
        }
        if (x > start) {
            runs.emplace_back(start, x);
        }
    }
}

// Where the client area lies in the outer window, in pixels: the side border and the
// caption with the top border.
struct ClientOffset {
    int border = 0;
    int top = 0;
};

ClientOffset MeasureClientOffset(const forms::Form& form) {
    const forms::App& app = form.GetApp();
    const int outerWidth = int(std::lround(form.Width() / app.TwipsPerPixelX()));
    const int outerHeight = int(std::lround(form.Height() / app.TwipsPerPixelY()));
    ClientOffset offset;
    offset.border = (outerWidth - form.PixelWidth()) / 2;
    offset.top = outerHeight - form.PixelHeight() - offset.border;
    return offset;
}

bool IsShapePicture(const WindowShape& shape, const forms::Control& control) {
    return std::any_of(
        shape.pictures.begin(), shape.pictures.end(), [&](const ShapePicture& entry) {
            return entry.picture != nullptr && entry.picture->Name() == control.Name();
        });
}

bool TakesNoSpace(const forms::Control& control) {
    return control.Kind() == forms::ControlKind::Menu ||
           control.Kind() == forms::ControlKind::Timer;
}

forms::Rect Bounds(const std::vector<forms::Rect>& rects) {
    forms::Rect all = rects.front();
    for (const forms::Rect& r : rects) {
        all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
               std::max(all.bottom, r.bottom)};
    }
    return all;
}

// Keeps the outline within budget rectangles; true when it had to be reduced.
bool FitOutline(forms::Region& outline, std::size_t budget) {
    if (outline.rects.size() <= budget) {
        return false;
    }
    outline = RowBounds(outline);
    if (outline.rects.size() > budget) {
        outline.rects = {Bounds(outline.rects)};
    }
    return true;
}

// Fits the pictures always shown into what the controls leave, and every other picture
// into what those leave.
bool FitOutlines(WindowShape& shape) {
    std::size_t fixed = shape.controlRects.size();
    const auto left = [&fixed] { return kMaxWindowRects > fixed ? kMaxWindowRects - fixed : 1; };
    bool coarsened = false;
    for (ShapePicture& entry : shape.pictures) {
        if (entry.mode == kShapeAlways) {
            coarsened = FitOutline(entry.region, left()) || coarsened;
            fixed += entry.region.rects.size();
        }
    }
    for (ShapePicture& entry : shape.pictures) {
        if (entry.mode != kShapeAlways) {
            coarsened = FitOutline(entry.region, left()) || coarsened;
        }
    }
    return coarsened;
}

void Append(forms::Region& region, const forms::Region& more) {
    region.rects.insert(region.rects.end(), more.rects.begin(), more.rects.end());
}

}  // namespace

forms::Region PictureOutline(const forms::Image& picture, int dx, int dy) {
    forms::Region outline;
    if (picture.Empty()) {
        return outline;
    }
    const forms::Color key = picture.At(0, 0);
    std::vector<Run> previous, current;
    // Index in outline.rects of the rectangle each run of the previous row belongs to.
    std::vector<std::size_t> previousRects, currentRects;
    for (int y = 0; y < picture.height; ++y) {
        RowRuns(picture, y, key, current);
        currentRects.clear();
        if (!current.empty() && current == previous) {
            for (std::size_t index : previousRects) {
                ++outline.rects[index].bottom;
            }
            currentRects = previousRects;
        } else {
            for (const Run& run : current) {
                currentRects.push_back(outline.rects.size());
                outline.rects.push_back({dx + run.first, dy + y, dx + run.second, dy + y + 1});
            }
        }
        std::swap(previous, current);
        std::swap(previousRects, currentRects);
    }
    return outline;
}

forms::Region RowBounds(const forms::Region& outline) {
    forms::Region bands;
    for (const forms::Rect& r : outline.rects) {
        forms::Rect* last = bands.rects.empty() ? nullptr : &bands.rects.back();
        if (last != nullptr && last->top == r.top && last->bottom == r.bottom) {
            last->left = std::min(last->left, r.left);
            last->right = std::max(last->right, r.right);
        } else {
            bands.rects.push_back(r);
        }
    }
    forms::Region merged;
    for (const forms::Rect& r : bands.rects) {
        forms::Rect* last = merged.rects.empty() ? nullptr : &merged.rects.back();
        if (last != nullptr && last->bottom == r.top && last->left == r.left &&
            last->right == r.right) {
            last->bottom = r.bottom;
        } else {
            merged.rects.push_back(r);
        }
    }
    return merged;
}

void BuildWindowShape(forms::Form& form, WindowShape& shape, bool usePictures) {
    const forms::App& app = form.GetApp();
    const ClientOffset offset = MeasureClientOffset(form);
    auto pixelsX = [&](double twips) { return int(std::lround(twips / app.TwipsPerPixelX())); };
    auto pixelsY = [&](double twips) { return int(std::lround(twips / app.TwipsPerPixelY())); };

    forms::Region window;
    shape.controlRects.clear();
    for (const forms::Control* control : form.Controls()) {
        if (TakesNoSpace(*control) || (usePictures && IsShapePicture(shape, *control))) {
            continue;
        }
        const int x = pixelsX(control->FormLeft()) + offset.border;
        const int y = pixelsY(control->FormTop()) + offset.top;
        const forms::Rect rect{x, y, x + pixelsX(control->Width()), y + pixelsY(control->Height())};
        shape.controlRects.push_back(rect);
        window.rects.push_back(rect);
    }
    if (usePictures) {
        for (ShapePicture& entry : shape.pictures) {
            if (!WholeBytesPerPixel(entry.bitsPerPixel)) {
                forms::MsgBox(form, L"256色以上の画像を指定してください。",
                              forms::kMbError | forms::kMbOk);
                return;
            }
            const forms::PictureBox& picture = *entry.picture;
            entry.region =
                PictureOutline(picture.Pixels(), pixelsX(picture.FormLeft()) + offset.border,
                               pixelsY(picture.FormTop()) + offset.top);
        }
        shape.coarsened = FitOutlines(shape);
        for (const ShapePicture& entry : shape.pictures) {
            if (entry.mode == kShapeAlways || entry.mode == kShapeAtStart) {
                Append(window, entry.region);
            }
        }
    }
    form.SetRegion(&window);
}

void SwitchShapePicture(forms::Form& form, forms::PictureBox& cover, WindowShape& shape,
                        int index) {
    const forms::App& app = form.GetApp();
    const ClientOffset offset = MeasureClientOffset(form);
    const int x = int(std::lround((form.Left() + cover.FormLeft()) / app.TwipsPerPixelX()));
    const int y = int(std::lround((form.Top() + cover.FormTop()) / app.TwipsPerPixelY()));
    const int width = cover.PixelWidth();
    const int height = cover.PixelHeight();
    if (width > 0 && height > 0) {
        cover.SetPicture(
            app.GetHost().ReadScreen(x + offset.border, y + offset.top, width, height));
    }
    cover.ZOrder(0);
    cover.SetVisible(true);

    forms::Region window;
    window.rects = shape.controlRects;
    for (const ShapePicture& entry : shape.pictures) {
        if (entry.mode == kShapeAlways) {
            Append(window, entry.region);
        }
    }
    ShapePicture& chosen = shape.pictures.at(std::size_t(index));
    if (chosen.mode != kShapeAlways) {
        Append(window, chosen.region);
    }
    form.SetRegion(&window);
    chosen.picture->ZOrder(0);
    cover.SetVisible(false);
}

}  // namespace agent
