// The program's one notification-area icon.
#pragma once

#include <windows.h>
// The shell declarations build on windows.h.
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace win32 {

// The system calls NotifyIconCommand makes, replaceable so the retry rules can be checked
// without a notification area.
struct NotifyIconApi {
    std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)> notify;  // Shell_NotifyIconW
    std::function<DWORD()> lastError;                                  // GetLastError
    std::function<void(DWORD milliseconds)> sleep;                     // Sleep
};

const NotifyIconApi& SystemNotifyIconApi();

// When the notification area does not answer in time and the icon cannot be modified
// either, the command is tried again after this pause, at most this many times in all.
inline constexpr DWORD kNotifyRetryPauseMs = 1000;
inline constexpr int kNotifyMaxAttempts = 60;

// The tip as it fits the icon's 64-byte tip field together with its NUL: the text cut
// after 63 CP932 bytes (a double-byte character cut in half becomes a space).
std::wstring NotifyTipText(std::wstring_view tip);

// The icon record: id 0, callback WM_MOUSEMOVE (the window receives the mouse message as
// the x coordinate of a mouse move), message, icon and tip valid.
NOTIFYICONDATAW NotifyIconRecord(HWND window, std::wstring_view tip, HICON icon);

// The window's own icon: its small icon, else its large icon, else its class's icon.
HICON WindowIcon(HWND window);

// Adds (NIM_ADD), changes (NIM_MODIFY) or removes (NIM_DELETE) the window's icon with
// the tip; icon 0 uses the window's own icon. 0 on success, -1 on failure. When the
// notification area times out on NIM_ADD, a successful NIM_MODIFY counts as success (the
// icon is there); otherwise, and for every other command, the command itself is retried
// as described above.
int16_t NotifyIconCommand(HWND window, uint32_t message, std::wstring_view tip, HICON icon,
                          const NotifyIconApi& api = SystemNotifyIconApi());

}  // namespace win32
