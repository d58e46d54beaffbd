#include "win32/rich_edit.h"

#include <commctrl.h>

namespace win32 {

namespace {

bool RichEditClassRegistered() {
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    return GetClassInfoExW(nullptr, kRichEditClass, &info) != 0;
}

// Loads the rich-edit libraries once; they stay loaded for the life of the program. A
// failure to load shows up as a failure to create the window.
void LoadRichEdit() {
    LoadLibraryW(L"RICHED32.DLL");
    if (!RichEditClassRegistered()) {
        LoadLibraryW(L"RICHED20.DLL");
    }
}

}  // namespace

HWND CreateRichEditBox(HWND parent, DWORD extraStyle, int left, int top) {
    LoadRichEdit();
    RECT client{};
    GetClientRect(parent, &client);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);  // 8
    InitCommonControlsEx(&controls);
    return CreateWindowExW(0, kRichEditClass, nullptr, extraStyle | WS_CHILD | WS_VISIBLE, left,
                           top, client.right - left, client.bottom - top, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace win32
