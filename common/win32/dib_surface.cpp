#include "win32/dib_surface.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace win32 {

namespace {

// The model's 0x00BBGGRR and a DIB's 0x00RRGGBB differ in the order of red and blue.
uint32_t SwapRedBlue(uint32_t c) {
    return (c & 0xFF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);
}

class GdiObject {
  public:
    GdiObject(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~GdiObject() {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
};

HBITMAP CreateDib(HDC dc, int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max(1, width);
    info.bmiHeader.biHeight = -std::max(1, height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    *bits = static_cast<uint32_t*>(memory);
    return bitmap;
}

}  // namespace

int ScreenDpiY() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    return dpi;
}

HFONT CreateModelFont(const forms::Font& font) {
    const int dpi = ScreenDpiY();
    LOGFONTW log{};
    log.lfHeight = -int(std::lround(font.size * dpi / 72.0));
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.italic;
    log.lfUnderline = font.underline;
    log.lfStrikeOut = font.strikethrough;
    log.lfCharSet = DEFAULT_CHARSET;
    font.name.copy(log.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&log);
}

HBITMAP CreateScreenBitmap(const forms::Image& image) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bits(image.pixels.size());
    std::transform(image.pixels.begin(), image.pixels.end(), bits.begin(), SwapRedBlue);
    SetDIBits(screen, bitmap, 0, UINT(image.height), bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

DibSurface::DibSurface() : dc_(CreateCompatibleDC(nullptr)) {
    SetBkMode(dc_, TRANSPARENT);
    SetPolyFillMode(dc_, WINDING);
}

DibSurface::~DibSurface() {
    if (bitmap_ != nullptr) {
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
    }
    DeleteDC(dc_);
}

void DibSurface::Resize(int width, int height, forms::Color background) {
    width = std::max(0, width);
    height = std::max(0, height);
    uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateDib(dc_, width, height, &bits);
    std::fill(bits, bits + size_t(std::max(1, width)) * std::max(1, height),
              SwapRedBlue(background));
    for (int y = 0; y < std::min(height, height_); ++y) {
        std::copy_n(bits_ + size_t(y) * width_, std::min(width, width_), bits + size_t(y) * width);
    }
    if (bitmap_ != nullptr) {
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
    }
    bitmap_ = bitmap;
    bits_ = bits;
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
}

void DibSurface::Clear(forms::Color background) {
    GdiFlush();
    std::fill(bits_, bits_ + size_t(width_) * height_, SwapRedBlue(background));
}

void DibSurface::Line(int x1, int y1, int x2, int y2, forms::Color color, int width) {
    GdiObject pen(dc_, CreatePen(PS_SOLID, std::max(1, width), color));
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    // LineTo leaves the last point out; the model's lines include both ends.
    LineTo(dc_, x2 + 1, y2);
}

void DibSurface::FillBox(int x1, int y1, int x2, int y2, forms::Color color) {
    RECT rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

void DibSurface::Circle(int cx, int cy, int r, forms::Color color, int width,
                        std::optional<forms::Color> fill) {
    GdiObject pen(dc_, CreatePen(PS_INSIDEFRAME, std::max(1, width), color));
    HGDIOBJ brush = fill ? CreateSolidBrush(*fill) : GetStockObject(NULL_BRUSH);
    HGDIOBJ old = SelectObject(dc_, brush);
    Ellipse(dc_, cx - r, cy - r, cx + r + 1, cy + r + 1);
    SelectObject(dc_, old);
    if (fill) {
        DeleteObject(brush);
    }
}

void DibSurface::Polygon(const std::vector<forms::Point>& points, forms::Color fill) {
    if (points.size() < 3) {
        return;
    }
    std::vector<POINT> corners;
    for (const forms::Point& p : points) {
        corners.push_back({p.x, p.y});
    }
    HRGN region = CreatePolygonRgn(corners.data(), int(corners.size()), WINDING);
    HBRUSH brush = CreateSolidBrush(fill);
    FillRgn(dc_, region, brush);
    DeleteObject(brush);
    DeleteObject(region);
}

void DibSurface::Text(int x, int y, std::wstring_view text, const forms::Font& font,
                      forms::Color color) {
    GdiObject gdiFont(dc_, CreateModelFont(font));
    SetTextColor(dc_, color);
    TextOutW(dc_, x, y, text.data(), int(text.size()));
}

forms::TextExtent DibSurface::MeasureText(std::wstring_view text, const forms::Font& font) const {
    GdiObject gdiFont(dc_, CreateModelFont(font));
    RECT rect{0, 0, 0, 0};
    std::wstring copy(text.empty() ? L" " : text);
    DrawTextW(dc_, copy.c_str(), int(copy.size()), &rect, DT_CALCRECT | DT_NOPREFIX);
    return {text.empty() ? 0 : int(rect.right - rect.left), int(rect.bottom - rect.top)};
}

void DibSurface::Draw(const forms::Image& image, int x, int y) {
    GdiFlush();
    for (int sy = 0; sy < image.height; ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= height_) {
            continue;
        }
        for (int sx = 0; sx < image.width; ++sx) {
            const int tx = x + sx;
            if (tx >= 0 && tx < width_) {
                bits_[size_t(ty) * width_ + tx] = SwapRedBlue(image.At(sx, sy));
            }
        }
    }
}

forms::Image DibSurface::Read() const {
    GdiFlush();
    forms::Image image(width_, height_);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = SwapRedBlue(bits_[i] & 0xFFFFFF);
    }
    return image;
}

void DibSurface::CopyFrom(HDC source, int x, int y) {
    BitBlt(dc_, 0, 0, width_, height_, source, x, y, SRCCOPY);
}

void DibSurface::DrawIcon(HICON icon, int x, int y) {
    DrawIconEx(dc_, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void DibSurface::PaintTo(HDC target, int x, int y) const {
    BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace win32
