#include "forms/picture_box.h"

#include <cmath>

#include "forms/app.h"
#include "forms/form.h"

namespace forms {

namespace {

// Pixels of the edge on each side: a 3-D border is two pixels, a flat one one.
int EdgePixels(int borderStyle, int appearance) {
    if (borderStyle != 1) {
        return 0;
    }
    return appearance == 1 ? 2 : 1;
}

}  // namespace

PictureBox::PictureBox(Form& form, std::wstring name)
    : Control(form, std::move(name), ControlKind::PictureBox), Drawing(form.GetApp()) {}

int PictureBox::PixelWidth() const {
    const int outer = int(std::lround(Width() / Parent().GetApp().TwipsPerPixelX()));
    return std::max(0, outer - 2 * EdgePixels(borderStyle_, appearance_));
}

int PictureBox::PixelHeight() const {
    const int outer = int(std::lround(Height() / Parent().GetApp().TwipsPerPixelY()));
    return std::max(0, outer - 2 * EdgePixels(borderStyle_, appearance_));
}

void PictureBox::Move(double left, double top, double width, double height) {
    Control::Move(left, top, width, height);
    SyncSurfaceSize();
}

void PictureBox::SetBorderStyle(int style) {
    borderStyle_ = style;
    Notify(Aspect::Look);
    SyncSurfaceSize();
}

void PictureBox::SetAppearance(int appearance) {
    appearance_ = appearance;
    Notify(Aspect::Look);
    SyncSurfaceSize();
}

void PictureBox::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_ && !Picture().Empty()) {
        SetPicture(Picture());
    }
}

void PictureBox::SetBackground(Color color) {
    SetBackColor(color);
    Cls();
}

void PictureBox::PictureChanged() {
    if (!autoSize_) {
        return;
    }
    const int edge = 2 * EdgePixels(borderStyle_, appearance_);
    const App& app = Parent().GetApp();
    Control::Move(Left(), Top(), (Picture().width + edge) * app.TwipsPerPixelX(),
                  (Picture().height + edge) * app.TwipsPerPixelY());
}

void PictureBox::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    const auto& box = static_cast<const PictureBox&>(other);
    borderStyle_ = box.borderStyle_;
    appearance_ = box.appearance_;
    autoSize_ = box.autoSize_;
    CopyDrawingFrom(box);
}

}  // namespace forms
