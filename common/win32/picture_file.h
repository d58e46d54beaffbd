// Picture files (BMP, GIF, JPEG, PNG) decoded by the Windows Imaging Component.
#pragma once

#include <optional>
#include <string_view>

#include "forms/types.h"

namespace win32 {

// Pictures with more pixels than this are refused before any pixel is decoded: a damaged
// or hostile header could otherwise ask for gigabytes. 4096 x 4096 pixels take 64 MiB.
inline constexpr unsigned long long kMaxPicturePixels = 4096ull * 4096ull;

// The first frame of the file as pixels; nullopt when it cannot be read or is larger than
// kMaxPicturePixels.
std::optional<forms::Image> LoadPictureWithWic(std::wstring_view path);

}  // namespace win32
