// The colour depth a picture file stores its pixels in, read from its header.
#pragma once

#include <optional>
#include <string_view>

namespace agent {

// Bits per pixel of a BMP or PNG file as its header gives them (a 16-colour BMP gives 4, a
// palette PNG of 2 colours 1); nullopt for other formats and for headers too short to
// tell, whose pixels are taken at the screen's depth.
std::optional<int> StoredBitsPerPixel(std::string_view bytes);

// True when a picture of this depth gives whole bytes per pixel, as the window outline
// needs: at least 256 colours.
inline bool WholeBytesPerPixel(int bitsPerPixel) {
    return bitsPerPixel > 0 && bitsPerPixel % 8 == 0;
}

}  // namespace agent
