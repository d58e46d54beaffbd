// A picture box drawing kept in a 32-bit device-independent bitmap and drawn with GDI, so
// it can be painted to the window and read back as pixels.
#pragma once

#include <windows.h>

#include "forms/host.h"

namespace win32 {

// The screen's vertical resolution (dots per inch), read once: a program aware of the
// system's display scaling sees one resolution for its whole run, and asking again for
// every font made costs a round trip to the window system.
int ScreenDpiY();

// A GDI font for the model's font description, at the screen's resolution.
HFONT CreateModelFont(const forms::Font& font);

// An Image as a device-dependent bitmap for the screen (for button pictures).
HBITMAP CreateScreenBitmap(const forms::Image& image);

class DibSurface : public forms::Surface {
  public:
    DibSurface();
    ~DibSurface() override;
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Resize(int width, int height, forms::Color background) override;
    void Clear(forms::Color background) override;
    void Line(int x1, int y1, int x2, int y2, forms::Color color, int width) override;
    void FillBox(int x1, int y1, int x2, int y2, forms::Color color) override;
    void Circle(int cx, int cy, int r, forms::Color color, int width,
                std::optional<forms::Color> fill) override;
    void Polygon(const std::vector<forms::Point>& points, forms::Color fill) override;
    void Text(int x, int y, std::wstring_view text, const forms::Font& font,
              forms::Color color) override;
    forms::TextExtent MeasureText(std::wstring_view text, const forms::Font& font) const override;
    void Draw(const forms::Image& image, int x, int y) override;
    forms::Image Read() const override;

    // Copies the drawing to a device context at (x, y).
    void PaintTo(HDC target, int x, int y) const;
    // Copies the surface's size of pixels from a device context at (x, y) into the drawing.
    void CopyFrom(HDC source, int x, int y);
    void DrawIcon(HICON icon, int x, int y);

  private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;  // top-down rows of 0x00RRGGBB
    int width_ = 0;
    int height_ = 0;
};

}  // namespace win32
