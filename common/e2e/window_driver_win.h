// Finding another program's windows, reading them and sending them input, through the
// standard window messages.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// What a window must have; empty or absent fields match anything. Comparisons are exact.
struct WindowQuery {
    std::wstring className{};
    std::optional<std::wstring> caption{};
    std::optional<int> id{};
    bool visibleOnly = false;
};

bool Matches(HWND window, const WindowQuery& query);

// The window's class name and its text (WM_GETTEXT, at most a few seconds' wait).
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

// All descendants of parent, depth first, and the first one matching query (nullptr if none).
std::vector<HWND> Descendants(HWND parent);

// The descendants that pass the filter, in reading order: by their top edge on screen,
// then from left to right.
std::vector<HWND> DescendantsInReadingOrder(HWND parent, const std::function<bool(HWND)>& filter);
HWND FindChild(HWND parent, const WindowQuery& query);

// Polls condition every few milliseconds until it holds or timeoutMs has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A click as the button's parent sees it: WM_COMMAND with the button's id and BN_CLICKED.
void ClickButton(HWND button);

// A click through the button itself (BM_CLICK): the button is pushed and released and
// notifies its parent as after a mouse click.
void PressButton(HWND button);

// A menu command: WM_COMMAND with the item's id, as a menu sends it.
void PostCommand(HWND window, int id);

// A key pressed and released (WM_KEYDOWN, WM_KEYUP) and typed characters (WM_CHAR).
void PostKey(HWND window, UINT virtualKey);
void PostChar(HWND window, wchar_t character);
void PostText(HWND window, std::wstring_view text);

}  // namespace e2e
