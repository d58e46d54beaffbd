// Ordinell's four range boxes in a running program, for the end-to-end test and timing.
#pragma once

#include <windows.h>

#include <vector>

#include "e2e/window_driver_win.h"

namespace ordinell {

// Start 1, end 1, start 2, end 2: the short edit boxes, by row and then left to right.
inline std::vector<HWND> RangeBoxes(HWND window) {
    return e2e::DescendantsInReadingOrder(window, [](HWND child) {
        RECT rect{};
        GetWindowRect(child, &rect);
        return e2e::ClassOf(child) == L"Edit" && rect.right - rect.left < 150;
    });
}

}  // namespace ordinell
