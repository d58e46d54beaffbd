// Stands in for a slide show: a borderless window covering the primary monitor that takes
// the foreground, until it is closed (WM_CLOSE) or the given number of seconds has passed.
//   full_screen_window [seconds]        (default 120)
// Its caption is "full-screen" so that a test can find it and close it.
#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kClass[] = L"SuiteFullScreen";
constexpr UINT kDefaultSeconds = 120;
constexpr UINT_PTR kEndTimer = 1;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const UINT seconds = argc > 1 ? UINT(std::wcstoul(argv[1], nullptr, 10)) : kDefaultSeconds;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClass;
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(
        0, kClass, L"full-screen", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetTimer(window, kEndTimer, seconds * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
