// Pictures for tests: a simple character figure on a key-coloured background, the bytes
// of a 24-bit BMP file holding a picture and of a 16-colour BMP file.
#pragma once

#include <cstdint>
#include <string>

#include "forms/types.h"

namespace agent::testing {

// An upright ellipse of ink (the character) on the key colour, with two key-coloured eyes
// as holes.
inline forms::Image CharacterPicture(int width, int height, forms::Color key, forms::Color ink) {
    forms::Image image(width, height, key);
    const double cx = width / 2.0, cy = height / 2.0;
    const double rx = width / 2.0 - 1, ry = height / 2.0 - 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) {
                image.Set(x, y, ink);
            }
        }
    }
    image.Set(width / 3, height / 3, key);
    image.Set(2 * width / 3, height / 3, key);
    return image;
}

inline std::string Bmp24(const forms::Image& image) {
    const uint32_t stride = (uint32_t(image.width) * 3 + 3) / 4 * 4;
    const uint32_t dataSize = stride * uint32_t(image.height);
    std::string bytes(54 + dataSize, '\0');
    auto put = [&](std::size_t at, uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes[at + std::size_t(i)] = char(value >> (8 * i) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54 + dataSize, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, uint32_t(image.width), 4);
    put(22, uint32_t(image.height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, dataSize, 4);
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = 54 + std::size_t(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            const forms::Color c = image.At(x, y);  // 0x00BBGGRR; the file holds B, G, R
            bytes[row + std::size_t(x) * 3] = char(c >> 16 & 0xFF);
            bytes[row + std::size_t(x) * 3 + 1] = char(c >> 8 & 0xFF);
            bytes[row + std::size_t(x) * 3 + 2] = char(c & 0xFF);
        }
    }
    return bytes;
}

// A 16-colour BMP file (4 bits per pixel) of the given size, all of palette colour 0,
// with a block of colour 1 in the middle.
inline std::string Bmp4(int width, int height) {
    const uint32_t stride = (uint32_t(width) * 4 + 31) / 32 * 4;
    const uint32_t dataAt = 14 + 40 + 16 * 4;
    std::string bytes(dataAt + stride * uint32_t(height), '\0');
    auto put = [&](std::size_t at, uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes[at + std::size_t(i)] = char(value >> (8 * i) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, uint32_t(bytes.size()), 4);
    put(10, dataAt, 4);
    put(14, 40, 4);
    put(18, uint32_t(width), 4);
    put(22, uint32_t(height), 4);
    put(26, 1, 2);
    put(28, 4, 2);
    put(54 + 4, 0xFFFFFF, 4);  // colour 1 white; colour 0 black
    for (int y = height / 4; y < height * 3 / 4; ++y) {
        for (int x = width / 4; x < width * 3 / 4; ++x) {
            const std::size_t at = dataAt + std::size_t(y) * stride + std::size_t(x) / 2;
            bytes[at] = char(bytes[at] | (x % 2 == 0 ? 0x10 : 0x01));
        }
    }
    return bytes;
}

}  // namespace agent::testing
