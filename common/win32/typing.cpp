#include "win32/typing.h"

#include "forms/forms.h"

namespace win32 {

LRESULT PassTyped(HWND window, WNDPROC original, int16_t key, LPARAM lParam, bool multiLine) {
    if ((key == forms::kKeyReturn && !multiLine) || key == forms::kKeyEscape ||
        original == nullptr) {
        return 0;
    }
    return CallWindowProcW(original, window, WM_CHAR, WPARAM(uint16_t(key)), lParam);
}

}  // namespace win32
