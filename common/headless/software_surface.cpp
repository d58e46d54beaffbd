#include "headless/software_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace headless {

using forms::Color;

SoftwareSurface::SoftwareSurface(double pixelsPerPoint, std::vector<DrawnText>* textLog)
    : pixelsPerPoint_(pixelsPerPoint), textLog_(textLog) {}

void SoftwareSurface::Resize(int width, int height, Color background) {
    forms::Image resized(std::max(0, width), std::max(0, height), background);
    const int w = std::min(resized.width, image_.width);
    const int h = std::min(resized.height, image_.height);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            resized.Set(x, y, image_.At(x, y));
        }
    }
    image_ = std::move(resized);
}

void SoftwareSurface::Clear(Color background) {
    std::fill(image_.pixels.begin(), image_.pixels.end(), background);
}

void SoftwareSurface::Plot(int x, int y, Color color) {
    if (x >= 0 && y >= 0 && x < image_.width && y < image_.height) {
        image_.Set(x, y, color);
    }
}

void SoftwareSurface::Stamp(int x, int y, Color color, int width) {
    const int lo = -(width - 1) / 2;
    for (int dy = lo; dy < lo + width; ++dy) {
        for (int dx = lo; dx < lo + width; ++dx) {
            Plot(x + dx, y + dy, color);
        }
    }
}

void SoftwareSurface::Line(int x1, int y1, int x2, int y2, Color color, int width) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Stamp(x1, y1, color, std::max(1, width));
        if (x1 == x2 && y1 == y2) {
            break;
        }
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y1 += sy;
        }
    }
}

void SoftwareSurface::FillBox(int x1, int y1, int x2, int y2, Color color) {
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
            Plot(x, y, color);
        }
    }
}

void SoftwareSurface::Circle(int cx, int cy, int r, Color color, int width,
                             std::optional<Color> fill) {
    const int64_t outer = int64_t(r) * r;
    const int inner = std::max(0, r - std::max(1, width));
    const int64_t innerSquared = int64_t(inner) * inner;
    for (int y = -r; y <= r; ++y) {
        for (int x = -r; x <= r; ++x) {
            const int64_t d = int64_t(x) * x + int64_t(y) * y;
            if (d > outer) {
                continue;
            }
            if (inner == 0 || d > innerSquared) {
                Plot(cx + x, cy + y, color);
            } else if (fill) {
                Plot(cx + x, cy + y, *fill);
            }
        }
    }
}

void SoftwareSurface::Polygon(const std::vector<forms::Point>& points, Color fill) {
    if (points.size() < 3) {
        return;
    }
    int top = points[0].y, bottom = points[0].y;
    for (const auto& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    // Winding number at each pixel centre.
    for (int y = std::max(0, top); y <= std::min(bottom, image_.height - 1); ++y) {
        const double py = y + 0.5;
        for (int x = 0; x < image_.width; ++x) {
            const double px = x + 0.5;
            int winding = 0;
            for (size_t i = 0; i < points.size(); ++i) {
                const forms::Point& a = points[i];
                const forms::Point& b = points[(i + 1) % points.size()];
                const double cross = (b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y);
                if (a.y <= py && b.y > py && cross > 0) {
                    ++winding;
                } else if (a.y > py && b.y <= py && cross < 0) {
                    --winding;
                }
            }
            if (winding != 0) {
                image_.Set(x, y, fill);
            }
        }
    }
}

void SoftwareSurface::Text(int x, int y, std::wstring_view text, const forms::Font&, Color color) {
    if (textLog_ != nullptr) {
        textLog_->push_back({x, y, std::wstring(text), color});
    }
}

// Every character is as high as the font and as wide as half of that for single-byte
// (ASCII and half-width) characters, the whole for others.
forms::TextExtent SoftwareSurface::MeasureText(std::wstring_view text,
                                               const forms::Font& font) const {
    const int full = int(std::lround(font.size * pixelsPerPoint_));
    const int half = (full + 1) / 2;
    int lineWidth = 0, width = 0, lines = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
            ++lines;
            lineWidth = 0;
            continue;
        }
        const bool narrow = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
        lineWidth += narrow ? half : full;
        width = std::max(width, lineWidth);
    }
    return {width, lines * full};
}

void SoftwareSurface::Draw(const forms::Image& image, int x, int y) {
    for (int sy = 0; sy < image.height; ++sy) {
        for (int sx = 0; sx < image.width; ++sx) {
            Plot(x + sx, y + sy, image.At(sx, sy));
        }
    }
}

namespace {

uint32_t Le(std::string_view bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | uint8_t(bytes[at + size_t(i)]);
    }
    return value;
}

Color FromBgr(uint8_t b, uint8_t g, uint8_t r) {
    return Color(r) | Color(g) << 8 | Color(b) << 16;
}

}  // namespace

std::optional<forms::Image> DecodeBmp(std::string_view bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    const uint32_t dataOffset = Le(bytes, 10, 4);
    const uint32_t headerSize = Le(bytes, 14, 4);
    const int32_t width = int32_t(Le(bytes, 18, 4));
    const int32_t rawHeight = int32_t(Le(bytes, 22, 4));
    const int bits = int(Le(bytes, 28, 2));
    const uint32_t compression = Le(bytes, 30, 4);
    const bool bitsOk = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
    if (headerSize < 40 || width <= 0 || rawHeight == 0 || !bitsOk || compression != 0 ||
        width > 32768 || std::abs(rawHeight) > 32768) {
        return std::nullopt;
    }
    const int height = std::abs(rawHeight);
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    if (dataOffset > bytes.size() || bytes.size() - dataOffset < stride * size_t(height)) {
        return std::nullopt;
    }
    std::vector<Color> palette;
    if (bits <= 8) {
        const size_t paletteAt = 14 + headerSize;
        const uint32_t used = Le(bytes, 46, 4);
        const size_t count = used != 0 && used < (1u << bits) ? used : size_t(1) << bits;
        if (paletteAt + count * 4 > dataOffset) {
            return std::nullopt;
        }
        for (size_t i = 0; i < count; ++i) {
            const size_t at = paletteAt + i * 4;
            palette.push_back(
                FromBgr(uint8_t(bytes[at]), uint8_t(bytes[at + 1]), uint8_t(bytes[at + 2])));
        }
    }
    forms::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const int row = rawHeight > 0 ? height - 1 - y : y;
        const size_t base = dataOffset + size_t(row) * stride;
        for (int x = 0; x < width; ++x) {
            if (bits >= 24) {
                const size_t at = base + size_t(x) * size_t(bits / 8);
                image.Set(
                    x, y,
                    FromBgr(uint8_t(bytes[at]), uint8_t(bytes[at + 1]), uint8_t(bytes[at + 2])));
            } else {
                const size_t bit = size_t(x) * size_t(bits);
                const uint8_t byte = uint8_t(bytes[base + bit / 8]);
                const int shift = 8 - bits - int(bit % 8);
                const size_t entry = size_t((byte >> shift) & ((1 << bits) - 1));
                if (entry >= palette.size()) {
                    return std::nullopt;
                }
                image.Set(x, y, palette[entry]);
            }
        }
    }
    return image;
}

}  // namespace headless
