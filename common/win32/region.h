// Window regions from the model's rectangle lists.
#pragma once

#include <windows.h>

#include "forms/types.h"

namespace win32 {

// A GDI region holding the union of the rectangles (the caller owns it).
HRGN CreateRegion(const forms::Region& region);

}  // namespace win32
