#include "forms/drawing.h"

#include <cmath>

#include "forms/app.h"

namespace forms {

Drawing::Drawing(App& app) : app_(app) {}

Drawing::~Drawing() = default;

double Drawing::ScaleFactorX() const {
    return scaleMode_ == forms::ScaleMode::Pixels ? app_.TwipsPerPixelX() : 1.0;
}

double Drawing::ScaleFactorY() const {
    return scaleMode_ == forms::ScaleMode::Pixels ? app_.TwipsPerPixelY() : 1.0;
}

Surface& Drawing::GetSurface() const {
    if (!surface_) {
        surface_ = app_.GetHost().CreateSurface();
        surface_->Resize(PixelWidth(), PixelHeight(), DrawingBackColor());
    }
    return *surface_;
}

void Drawing::SyncSurfaceSize() {
    if (surface_ && (surface_->Width() != PixelWidth() || surface_->Height() != PixelHeight())) {
        surface_->Resize(PixelWidth(), PixelHeight(), DrawingBackColor());
    }
}

void Drawing::SetCurrent(double x, double y) {
    currentX_ = x;
    currentY_ = y;
}

int Drawing::ToPixelX(double x) const {
    return int(std::lround(x * ScaleFactorX() / app_.TwipsPerPixelX()));
}

int Drawing::ToPixelY(double y) const {
    return int(std::lround(y * ScaleFactorY() / app_.TwipsPerPixelY()));
}

double Drawing::FromPixelX(int x) const {
    return x * app_.TwipsPerPixelX() / ScaleFactorX();
}

double Drawing::FromPixelY(int y) const {
    return y * app_.TwipsPerPixelY() / ScaleFactorY();
}

Color Drawing::Pick(std::optional<Color> color) const {
    return color.value_or(DrawingForeColor());
}

void Drawing::Cls() {
    Surface& surface = GetSurface();
    surface.Clear(DrawingBackColor());
    if (!picture_.Empty()) {
        surface.Draw(picture_, 0, 0);
    }
    currentX_ = 0;
    currentY_ = 0;
    DrawingChanged();
}

void Drawing::Line(double x1, double y1, double x2, double y2, std::optional<Color> color) {
    GetSurface().Line(ToPixelX(x1), ToPixelY(y1), ToPixelX(x2), ToPixelY(y2), Pick(color),
                      drawWidth_);
    currentX_ = x2;
    currentY_ = y2;
    DrawingChanged();
}

void Drawing::Box(double x1, double y1, double x2, double y2, std::optional<Color> color) {
    Surface& surface = GetSurface();
    const int l = ToPixelX(x1), t = ToPixelY(y1), r = ToPixelX(x2), b = ToPixelY(y2);
    const Color c = Pick(color);
    surface.Line(l, t, r, t, c, drawWidth_);
    surface.Line(r, t, r, b, c, drawWidth_);
    surface.Line(r, b, l, b, c, drawWidth_);
    surface.Line(l, b, l, t, c, drawWidth_);
    currentX_ = x2;
    currentY_ = y2;
    DrawingChanged();
}

void Drawing::FilledBox(double x1, double y1, double x2, double y2, std::optional<Color> color) {
    GetSurface().FillBox(ToPixelX(x1), ToPixelY(y1), ToPixelX(x2), ToPixelY(y2), Pick(color));
    currentX_ = x2;
    currentY_ = y2;
    DrawingChanged();
}

void Drawing::Circle(double x, double y, double radius, std::optional<Color> color) {
    std::optional<Color> fill;
    if (fillStyle_ == 0) {
        fill = fillColor_;
    }
    GetSurface().Circle(ToPixelX(x), ToPixelY(y), ToPixelX(radius), Pick(color), drawWidth_, fill);
    currentX_ = x;
    currentY_ = y;
    DrawingChanged();
}

void Drawing::Polygon(const std::vector<std::pair<double, double>>& points) {
    std::vector<Point> pixels;
    pixels.reserve(points.size());
    for (const auto& [x, y] : points) {
        pixels.push_back({ToPixelX(x), ToPixelY(y)});
    }
    GetSurface().Polygon(pixels, fillColor_);
    DrawingChanged();
}

void Drawing::Print(std::wstring_view text) {
    GetSurface().Text(ToPixelX(currentX_), ToPixelY(currentY_), text, DrawingFont(),
                      DrawingForeColor());
    currentY_ += TextHeight(text);
    currentX_ = 0;
    DrawingChanged();
}

double Drawing::TextWidth(std::wstring_view text) const {
    return FromPixelX(GetSurface().MeasureText(text, DrawingFont()).width);
}

double Drawing::TextHeight(std::wstring_view text) const {
    return FromPixelY(GetSurface().MeasureText(text, DrawingFont()).height);
}

bool Drawing::LoadPicture(std::wstring_view path) {
    std::optional<Image> image = app_.GetHost().LoadPictureFile(path);
    if (!image) {
        return false;
    }
    SetPicture(*image);
    return true;
}

void Drawing::SetPicture(const Image& picture) {
    picture_ = picture;
    PictureChanged();
    SyncSurfaceSize();
    Cls();
}

void Drawing::ClearPicture() {
    picture_ = Image();
    Cls();
}

void Drawing::KeepDrawingAsPicture() {
    picture_ = GetSurface().Read();
}

Image Drawing::Pixels() const {
    return GetSurface().Read();
}

void Drawing::CopyDrawingFrom(const Drawing& other) {
    scaleMode_ = other.scaleMode_;
    drawWidth_ = other.drawWidth_;
    fillColor_ = other.fillColor_;
    fillStyle_ = other.fillStyle_;
    SyncSurfaceSize();
}

}  // namespace forms
