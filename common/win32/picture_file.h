// Picture files (BMP, GIF, JPEG, PNG) decoded by the Windows Imaging Component.
#pragma once

#include <optional>
#include <string_view>

#include "forms/types.h"

namespace win32 {

// The first frame of the file as pixels; nullopt when it cannot be read.
std::optional<forms::Image> LoadPictureWithWic(std::wstring_view path);

}  // namespace win32
