// A rich-edit text window filling a parent's client area from a given corner.
#pragma once

#include <windows.h>

namespace win32 {

// The Unicode rich-edit class. RICHED32.DLL is built on the rich-edit 2.0 library, which
// registers this class; RICHED32's own "RichEdit" class is ANSI only and would pass text
// through the system's ANSI code page, losing Japanese text on systems set to another
// language.
inline constexpr wchar_t kRichEditClass[] = L"RichEdit20W";

// Loads RICHED32.DLL (kept loaded for the life of the program) and creates a rich-edit
// child of parent at (left, top) pixels reaching to the client area's right and bottom
// edges, with style extraStyle | WS_CHILD | WS_VISIBLE. The window, or 0 on failure.
HWND CreateRichEditBox(HWND parent, DWORD extraStyle, int left, int top);

}  // namespace win32
