// A persistent drawing that can be read back as pixels: the surface of picture boxes and
// forms. Coordinates are in the owner's scale units (twips or pixels) from the top-left
// corner of its inner area. Everything drawn stays until Cls; the picture is the
// background that Cls returns to.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/host.h"
#include "forms/types.h"

namespace forms {

class App;

class Drawing {
  public:
    virtual ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    forms::ScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(forms::ScaleMode mode) { scaleMode_ = mode; }
    // Twips per scale unit.
    double ScaleFactorX() const;
    double ScaleFactorY() const;
    // The inner size, in pixels and in scale units.
    virtual int PixelWidth() const = 0;
    virtual int PixelHeight() const = 0;
    double ScaleWidth() const { return FromPixelX(PixelWidth()); }
    double ScaleHeight() const { return FromPixelY(PixelHeight()); }

    int DrawWidth() const { return drawWidth_; }  // pixels
    void SetDrawWidth(int width) { drawWidth_ = width < 1 ? 1 : width; }
    Color FillColor() const { return fillColor_; }
    void SetFillColor(Color color) { fillColor_ = color; }
    int FillStyle() const { return fillStyle_; }  // 0 solid, 1 transparent
    void SetFillStyle(int style) { fillStyle_ = style; }
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrent(double x, double y);

    // Drawing; color defaults to the fore colour.
    void Cls();
    void Line(double x1, double y1, double x2, double y2, std::optional<Color> color = {});
    void Box(double x1, double y1, double x2, double y2, std::optional<Color> color = {});
    void FilledBox(double x1, double y1, double x2, double y2, std::optional<Color> color = {});
    // Outline in color; filled with FillColor when FillStyle is 0.
    void Circle(double x, double y, double radius, std::optional<Color> color = {});
    // Filled with FillColor.
    void Polygon(const std::vector<std::pair<double, double>>& points);
    // Draws text at CurrentX/CurrentY in the owner's font and fore colour, then moves
    // CurrentY to the next line and CurrentX to 0.
    void Print(std::wstring_view text);
    double TextWidth(std::wstring_view text) const;
    double TextHeight(std::wstring_view text) const;

    // Loads a BMP, GIF, JPEG or PNG file as the picture; false when it can't be read.
    bool LoadPicture(std::wstring_view path);
    void SetPicture(const Image& picture);
    void ClearPicture();
    const Image& Picture() const { return picture_; }
    // Makes the current drawing the picture.
    void KeepDrawingAsPicture();

    // The drawing as pixels.
    Image Pixels() const;
    bool HasSurface() const { return surface_ != nullptr; }
    Surface& GetSurface() const;

    // Scale units to surface pixels and back.
    int ToPixelX(double x) const;
    int ToPixelY(double y) const;
    double FromPixelX(int x) const;
    double FromPixelY(int y) const;

  protected:
    explicit Drawing(App& app);
    virtual Color DrawingBackColor() const = 0;
    virtual Color DrawingForeColor() const = 0;
    virtual const forms::Font& DrawingFont() const = 0;
    // The drawing changed: the owner's window repaints.
    virtual void DrawingChanged() = 0;
    // A new picture was set, before the drawing returns to it.
    virtual void PictureChanged() {}
    // Follows a change of PixelWidth/PixelHeight.
    void SyncSurfaceSize();
    void CopyDrawingFrom(const Drawing& other);

  private:
    Color Pick(std::optional<Color> color) const;
    App& app_;
    forms::ScaleMode scaleMode_ = forms::ScaleMode::Twips;
    int drawWidth_ = 1;
    Color fillColor_ = kBlack;
    int fillStyle_ = 1;
    double currentX_ = 0, currentY_ = 0;
    Image picture_;
    mutable std::unique_ptr<Surface> surface_;
};

}  // namespace forms
