// Any bytes given to the bitmap reader: it must refuse or decode, never read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "headless/software_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto image =
        headless::DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size));
    if (image && image->pixels.size() != size_t(image->width) * size_t(image->height)) {
        __builtin_trap();
    }
    return 0;
}
