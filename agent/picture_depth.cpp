#include "agent/picture_depth.h"

#include <cstdint>

namespace agent {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kBmpCoreHeaderSize = 12;

uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    }
    return value;
}

// Samples per pixel of a PNG colour type: grey, -, RGB, palette index, grey and alpha, -,
// RGBA.
std::optional<int> PngChannels(unsigned char colourType) {
    switch (colourType) {
        case 0:
        case 3:
            return 1;
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<int> StoredBitsPerPixel(std::string_view bytes) {
    if (bytes.size() >= 30 && bytes[0] == 'B' && bytes[1] == 'M') {
        // The bit count follows the width and height, which take 2 bytes each in the
        // old 12-byte header and 4 bytes each in every later one.
        const bool core = LittleEndian(bytes, 14, 4) == kBmpCoreHeaderSize;
        return int(LittleEndian(bytes, core ? 24 : 28, 2));
    }
    if (bytes.size() >= 26 && bytes.substr(0, kPngSignature.size()) == kPngSignature) {
        const std::optional<int> channels = PngChannels(static_cast<unsigned char>(bytes[25]));
        if (channels) {
            return static_cast<unsigned char>(bytes[24]) * *channels;
        }
    }
    return std::nullopt;
}

}  // namespace agent
