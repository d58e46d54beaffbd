// Drives another program's windows from a script (the screenshot script): waits for a
// window, posts a menu command to it, clicks one of its buttons. Windows are found by their
// caption among the visible top-level windows.
//   window_tool wait <caption> [seconds]     exit 0 once the window shows, 1 after the wait
//   window_tool command <caption> <id>       a menu command (WM_COMMAND with the item's id)
//   window_tool click <caption> <button>     a click on the button with that caption
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "e2e/window_driver_win.h"

namespace {

constexpr DWORD kDefaultWaitMs = 30000;

HWND VisibleWindow(const std::wstring& caption) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, caption.c_str())) != nullptr) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: window_tool wait <caption> [seconds] | command <caption> <id> | "
                 "click <caption> <button caption>\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    const std::wstring caption = argv[2];
    if (verb == L"wait") {
        const DWORD waitMs = argc > 3 ? DWORD(_wtoi(argv[3])) * 1000 : kDefaultWaitMs;
        return e2e::WaitUntil([&] { return VisibleWindow(caption) != nullptr; }, waitMs) ? 0 : 1;
    }
    const HWND window = VisibleWindow(caption);
    if (window == nullptr || argc != 4) {
        return window == nullptr ? 1 : Usage();
    }
    if (verb == L"command") {
        e2e::PostCommand(window, _wtoi(argv[3]));
        return 0;
    }
    if (verb == L"click") {
        const HWND button = e2e::FindChild(window, {.className = L"Button", .caption = argv[3]});
        if (button == nullptr) {
            return 1;
        }
        e2e::PressButton(button);
        return 0;
    }
    return Usage();
}
