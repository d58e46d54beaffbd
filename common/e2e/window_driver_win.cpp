#include "e2e/window_driver_win.h"

#include <algorithm>

namespace e2e {

namespace {

constexpr UINT kReplyTimeoutMs = 5000;
constexpr DWORD kPollMs = 20;

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                             &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kReplyTimeoutMs, &copied)) {
        return {};
    }
    text.resize(copied < length ? copied : length);
    return text;
}

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !IsWindowVisible(window)) {
        return false;
    }
    if (query.id && GetDlgCtrlID(window) != *query.id) {
        return false;
    }
    if (!query.className.empty() && ClassOf(window) != query.className) {
        return false;
    }
    return !query.caption || TextOf(window) == *query.caption;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> DescendantsInReadingOrder(HWND parent, const std::function<bool(HWND)>& filter) {
    std::vector<std::pair<RECT, HWND>> placed;
    for (HWND child : Descendants(parent)) {
        if (filter(child)) {
            RECT rect{};
            GetWindowRect(child, &rect);
            placed.push_back({rect, child});
        }
    }
    std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return a.first.top != b.first.top ? a.first.top < b.first.top : a.first.left < b.first.left;
    });
    std::vector<HWND> result;
    for (const auto& entry : placed) {
        result.push_back(entry.second);
    }
    return result;
}

HWND FindChild(HWND parent, const WindowQuery& query) {
    for (HWND window : Descendants(parent)) {
        if (Matches(window, query)) {
            return window;
        }
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
    return true;
}

void ClickButton(HWND button) {
    const int id = GetDlgCtrlID(button);
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void PressButton(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PostCommand(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
    const LPARAM up = down | static_cast<LPARAM>(0xC0000000u);
    PostMessageW(window, WM_KEYDOWN, virtualKey, down);
    PostMessageW(window, WM_KEYUP, virtualKey, up);
}

void PostChar(HWND window, wchar_t character) {
    PostMessageW(window, WM_CHAR, character, 1);
}

void PostText(HWND window, std::wstring_view text) {
    for (wchar_t character : text) {
        PostChar(window, character);
    }
}

}  // namespace e2e
