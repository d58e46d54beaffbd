// Characters typed into an edit box or the edit part of a combo box, after the model's
// key filter.
#pragma once

#include <windows.h>

#include <cstdint>

namespace win32 {

// Passes a character the filter let through to the edit window's own procedure; Return in a
// single-line box and Escape are the form's keys and are not entered.
LRESULT PassTyped(HWND window, WNDPROC original, int16_t key, LPARAM lParam, bool multiLine);

}  // namespace win32
