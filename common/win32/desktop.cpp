#include "win32/desktop.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace win32 {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring ClassName(HWND window) {
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), int(name.size()));
    return std::wstring(name.data(), size_t(std::max(0, length)));
}

// The desktop, its background windows and the task bars: never a program to step aside for.
bool IsShellWindow(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) {
        return true;
    }
    const std::wstring name = ClassName(window);
    for (const wchar_t* shell :
         {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"#32769"}) {
        if (name == shell) {
            return true;
        }
    }
    return false;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        auto& rects = *reinterpret_cast<std::vector<forms::Rect>*>(param);
        const RECT& r = info.rcMonitor;
        const forms::Rect rect{r.left, r.top, r.right, r.bottom};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            rects.insert(rects.begin(), rect);
        } else {
            rects.push_back(rect);
        }
    }
    return TRUE;
}

}  // namespace

forms::ForegroundWindow ForegroundWindowNow() {
    forms::ForegroundWindow result;
    const HWND window = GetForegroundWindow();
    if (window == nullptr || !IsWindowVisible(window) || IsIconic(window) ||
        IsShellWindow(window)) {
        return result;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT client{};
    if (process == GetCurrentProcessId() || !GetClientRect(window, &client)) {
        return result;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    result.otherProgram = true;
    result.clientArea = {client.left, client.top, client.right, client.bottom};
    return result;
}

std::vector<forms::Rect> MonitorRects() {
    std::vector<forms::Rect> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

std::optional<std::wstring> ReadStartUpEntry(std::wstring_view name) {
    const std::wstring value(name);
    DWORD bytes = 0;
    constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), kFlags, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), kFlags, nullptr, text.data(),
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

bool WriteStartUpEntry(std::wstring_view name, const std::optional<std::wstring>& text) {
    const std::wstring value(name);
    if (!text) {
        const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, value.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const DWORD bytes = DWORD((text->size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), REG_SZ, text->c_str(),
                           bytes) == ERROR_SUCCESS;
}

}  // namespace win32
