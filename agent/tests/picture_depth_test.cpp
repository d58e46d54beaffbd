// The colour depth read from picture file headers.
#include "agent/picture_depth.h"

#include <gtest/gtest.h>

#include <string>

namespace agent {
namespace {

std::string BmpHeader(uint32_t headerSize, int bitCount) {
    std::string bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes[14] = char(headerSize);
    bytes[headerSize == 12 ? 24 : 28] = char(bitCount);
    return bytes;
}

std::string PngHeader(int bitDepth, int colourType) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    bytes += std::string(8, '\1');  // width and height
    bytes += char(bitDepth);
    bytes += char(colourType);
    bytes += std::string(7, '\0');
    return bytes;
}

TEST(PictureDepth, BmpAndPngHeadersGiveTheirBitsPerPixel) {
    EXPECT_EQ(StoredBitsPerPixel(BmpHeader(40, 24)), 24);
    EXPECT_EQ(StoredBitsPerPixel(BmpHeader(124, 4)), 4);
    EXPECT_EQ(StoredBitsPerPixel(BmpHeader(12, 1)), 1);  // the old core header
    EXPECT_EQ(StoredBitsPerPixel(PngHeader(4, 3)), 4);   // 16-colour palette
    EXPECT_EQ(StoredBitsPerPixel(PngHeader(8, 6)), 32);  // RGBA
    EXPECT_EQ(StoredBitsPerPixel(PngHeader(16, 2)), 48);
    EXPECT_EQ(StoredBitsPerPixel("\xFF\xD8\xFF\xE0 a JPEG file header"), std::nullopt);
    EXPECT_EQ(StoredBitsPerPixel("BM"), std::nullopt);

    EXPECT_FALSE(WholeBytesPerPixel(4));
    EXPECT_FALSE(WholeBytesPerPixel(0));
    EXPECT_TRUE(WholeBytesPerPixel(8));
}

}  // namespace
}  // namespace agent
