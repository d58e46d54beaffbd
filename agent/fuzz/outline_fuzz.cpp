// Any bytes as a picture file, then as raw pixels: decoding and the outline must never
// crash, and the outline must hold exactly the pixels that differ from the top-left one
// (except in the last column), each once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "agent/window_shape.h"
#include "headless/software_surface.h"

namespace {

void CheckOutline(const forms::Image& picture) {
    const forms::Region outline = agent::PictureOutline(picture, 0, 0);
    if (picture.Empty()) {
        if (!outline.rects.empty()) {
            std::abort();
        }
        return;
    }
    std::vector<int> covered(std::size_t(picture.width) * std::size_t(picture.height), 0);
    for (const forms::Rect& r : outline.rects) {
        if (r.left < 0 || r.top < 0 || r.right > picture.width || r.bottom > picture.height ||
            r.left >= r.right || r.top >= r.bottom) {
            std::abort();
        }
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                ++covered[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
            }
        }
    }
    const forms::Color key = picture.At(0, 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const bool opaque = picture.At(x, y) != key && x < picture.width - 1;
            if (covered[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)] !=
                (opaque ? 1 : 0)) {
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto decoded = headless::DecodeBmp(bytes)) {
        if (std::size_t(decoded->width) * std::size_t(decoded->height) <= 1u << 20) {
            CheckOutline(*decoded);
        }
    }
    // The same bytes as a small picture: width and height from the first two bytes, each
    // further byte one pixel of a four-colour palette (so runs and equal rows are common).
    if (size >= 2) {
        const int width = data[0] % 64, height = data[1] % 64;
        forms::Image picture(width, height, 0);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            picture.pixels[i] = 2 + i < size ? forms::Color(data[2 + i] % 4) * 0x404040 : 0;
        }
        CheckOutline(picture);
    }
    return 0;
}
