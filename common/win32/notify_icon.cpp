#include "win32/notify_icon.h"

#include <algorithm>

#include "core/text.h"

namespace win32 {

namespace {

// The tip field holds 64 bytes of CP932 text including the terminating NUL.
constexpr int32_t kTipBytes = 63;

}  // namespace

const NotifyIconApi& SystemNotifyIconApi() {
    static const NotifyIconApi api{
        [](DWORD message, NOTIFYICONDATAW* data) { return Shell_NotifyIconW(message, data); },
        [] { return GetLastError(); },
        [](DWORD milliseconds) { Sleep(milliseconds); },
    };
    return api;
}

std::wstring NotifyTipText(std::wstring_view tip) {
    return core::LeftAnsiBytes(tip, kTipBytes);
}

NOTIFYICONDATAW NotifyIconRecord(HWND window, std::wstring_view tip, HICON icon) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = window;
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7
    record.uCallbackMessage = WM_MOUSEMOVE;
    record.hIcon = icon != nullptr ? icon : WindowIcon(window);
    const std::wstring text = NotifyTipText(tip);
    const size_t count = std::min(text.size(), std::size(record.szTip) - 1);
    std::copy_n(text.begin(), count, record.szTip);
    return record;
}

HICON WindowIcon(HWND window) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0))) {
        return icon;
    }
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0))) {
        return icon;
    }
    if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))) {
        return icon;
    }
    return reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
}

int16_t NotifyIconCommand(HWND window, uint32_t message, std::wstring_view tip, HICON icon,
                          const NotifyIconApi& api) {
    NOTIFYICONDATAW record = NotifyIconRecord(window, tip, icon);
    for (int attempt = 1;; ++attempt) {
        if (api.notify(message, &record)) {
            return 0;
        }
        if (api.lastError() != ERROR_TIMEOUT) {
            return -1;
        }
        // A timed-out add may still have added the icon: if it can be changed, it is there.
        // Any other command is only done when it succeeds itself.
        if (message == NIM_ADD && api.notify(NIM_MODIFY, &record)) {
            return 0;
        }
        if (attempt == kNotifyMaxAttempts) {
            return -1;
        }
        api.sleep(kNotifyRetryPauseMs);
    }
}

}  // namespace win32
