#include "win32/typing.h"

#include <imm.h>

#include <string>

#include "forms/forms.h"
#include "win32/control_window.h"

namespace win32 {

LRESULT PassTyped(HWND window, WNDPROC original, int16_t key, LPARAM lParam, bool multiLine) {
    if ((key == forms::kKeyReturn && !multiLine) || key == forms::kKeyEscape ||
        original == nullptr) {
        return 0;
    }
    return CallWindowProcW(original, window, WM_CHAR, WPARAM(uint16_t(key)), lParam);
}

void ClosedInputMethod::OnMessage(HWND window, UINT message) {
    if (message == WM_KILLFOCUS || message == WM_NCDESTROY) {
        Restore();
        return;
    }
    if (message != WM_SETFOCUS) {
        return;
    }
    HIMC context = ImmGetContext(window);
    if (context == nullptr) {
        return;
    }
    if (context_ != context) {
        Restore();
        context_ = context;
        wasOpen_ = ImmGetOpenStatus(context) != FALSE;
    }
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(window, context);
}

void ClosedInputMethod::Restore() {
    if (context_ == nullptr) {
        return;
    }
    // The context outlives the box: it is the thread's, kept by the system.
    if ((ImmGetOpenStatus(context_) != FALSE) != wasOpen_) {
        ImmSetOpenStatus(context_, wasOpen_);
    }
    context_ = nullptr;
}

LRESULT ControlWindow::TypeChar(HWND window, wchar_t c, LPARAM lParam) {
    const int16_t key = control_.Parent().FilterKeyPress(&control_, forms::CharKey(c));
    return IsWindow(window) && key != 0 ? OnTyped(window, key, lParam) : 0;
}

namespace {

std::wstring ResultString(HWND window) {
    std::wstring text;
    HIMC context = ImmGetContext(window);
    if (context == nullptr) {
        return text;
    }
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    if (bytes > 0) {
        text.resize(size_t(bytes) / sizeof(wchar_t));
        ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), DWORD(bytes));
    }
    ImmReleaseContext(window, context);
    return text;
}

}  // namespace

bool ControlWindow::OnImeInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) {
    result = 0;
    if (message == WM_IME_CHAR) {
        TypeChar(window, wchar_t(wParam), 1);
        return true;
    }
    if (message != WM_IME_COMPOSITION || !(lParam & GCS_RESULTSTR)) {
        return false;
    }
    for (wchar_t c : ResultString(window)) {
        TypeChar(window, c, 1);
        if (!IsWindow(window)) {
            return true;
        }
    }
    // What else the message says (a new composition begun) still goes to the edit control.
    const LPARAM rest = lParam & ~LPARAM(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE |
                                         GCS_RESULTREADCLAUSE);
    if (rest != 0) {
        result = CallOriginal(window, message, wParam, rest);
    }
    return true;
}

}  // namespace win32
