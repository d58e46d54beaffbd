#include "win32/edit_window.h"

#include <richedit.h>
#include <shellapi.h>

#include <cmath>

#include "win32/rich_edit.h"
#include "win32/typing.h"

namespace win32 {

namespace {

// The most a rich-edit box can hold, for a box without a maximum length.
constexpr LPARAM kRichEditMaxChars = 0x7FFFFFFE;

}  // namespace

EditWindow::EditWindow(Win32Host& host, forms::Control& control) : ControlWindow(host, control) {}

ControlWindow::WindowStyle EditWindow::Style() const {
    const forms::TextBox& box = Box();
    WindowStyle style{L"EDIT", WS_TABSTOP | ES_LEFT, WS_EX_CLIENTEDGE};
    if (box.MultiLine()) {
        style.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    }
    if (!box.MultiLine() || (box.ScrollBars() & 1)) {
        style.style |= ES_AUTOHSCROLL;
    }
    style.style |= (box.ScrollBars() & 1) ? WS_HSCROLL : 0;
    style.style |= (box.ScrollBars() & 2) ? WS_VSCROLL : 0;
    style.style |= box.Locked() ? ES_READONLY : 0;
    return style;
}

HWND EditWindow::MakeWindow(const WindowStyle& style) {
    if (!Box().RichEdit()) {
        return ControlWindow::MakeWindow(style);
    }
    HWND window = CreateRichEditBox(ParentWindow(), style.style & ~(WS_CHILD | WS_VISIBLE), 0, 0);
    SendMessageW(window, EM_SETEVENTMASK, 0, ENM_CHANGE);
    return window;
}

void EditWindow::Attach() {
    Subclass(window_);
    if (Box().AcceptsFiles()) {
        DragAcceptFiles(window_, TRUE);
    }
}

void EditWindow::Created() {
    if (Box().RichEdit()) {
        ApplyGeometry();
        EnableWindow(window_, control_.Enabled());
    }
}

void EditWindow::ReplaceWindow() {
    const HWND old = window_;
    const HWND before = GetWindow(old, GW_HWNDPREV);
    const bool focused = GetFocus() == old;
    RemoveToolTip();
    SetWindowLongPtrW(old, GWLP_WNDPROC, LONG_PTR(original_));
    Forget(old);
    window_ = nullptr;
    original_ = nullptr;
    DestroyWindow(old);
    Create();
    if (window_ == nullptr) {
        return;
    }
    // The same place among its siblings (and so in the tab order) as the window it replaces.
    SetWindowPos(window_, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (focused) {
        SetFocus(window_);
    }
}

void EditWindow::ApplyText() {
    const forms::TextBox& box = Box();
    applying_ = true;
    // The length first: reading a long text back only to compare it costs time.
    const int shown = GetWindowTextLengthW(window_);
    const bool differs = size_t(shown) != box.Text().size() || WindowText(window_) != box.Text();
    if (differs && shown > 0 && box.RichEdit()) {
        // Some rich-edit implementations take time growing with the square of the
        // paragraphs to delete a text (hours for a long list); a new, empty window
        // takes the new text at once.
        applying_ = false;
        ReplaceWindow();
        return;
    }
    // The limit first: a rich-edit box cuts text beyond it.
    ApplyTextLimit();
    if (differs) {
        SetWindowTextW(window_, box.Text().c_str());
    }
    ApplySelection();
    applying_ = false;
}

void EditWindow::ApplyTextLimit() {
    const forms::TextBox& box = Box();
    if (!box.RichEdit()) {
        SendMessageW(window_, EM_LIMITTEXT, WPARAM(box.MaxLength()), 0);  // 0: no limit
        return;
    }
    // A rich-edit box takes its limit through its own message, where 0 would mean its
    // small default (64,000 characters) rather than no limit.
    const LPARAM limit = box.MaxLength() > 0 ? LPARAM(box.MaxLength()) : kRichEditMaxChars;
    SendMessageW(window_, EM_EXLIMITTEXT, 0, limit);
}

void EditWindow::ApplyKindLook() {
    const forms::TextBox& box = Box();
    if (bool(GetWindowLongPtrW(window_, GWL_STYLE) & ES_READONLY) != box.Locked()) {
        SendMessageW(window_, EM_SETREADONLY, box.Locked(), 0);
    }
    if (box.RichEdit()) {
        CHARFORMATW format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_FACE | CFM_SIZE;
        format.yHeight = LONG(std::lround(box.Font().size * 20));
        box.Font().name.copy(format.szFaceName, LF_FACESIZE - 1);
        SendMessageW(window_, EM_SETCHARFORMAT, SCF_DEFAULT, LPARAM(&format));
        SendMessageW(window_, EM_SETCHARFORMAT, SCF_ALL, LPARAM(&format));
        SendMessageW(window_, EM_SETBKGNDCOLOR, 0, LPARAM(box.BackColor()));
    }
}

void EditWindow::ApplySelection() {
    const forms::TextBox& box = Box();
    SendMessageW(window_, EM_SETSEL, WPARAM(box.SelStart()),
                 LPARAM(box.SelStart() + box.SelLength()));
    SendMessageW(window_, EM_SCROLLCARET, 0, 0);
}

void EditWindow::SyncSelection() {
    DWORD start = 0, end = 0;
    SendMessageW(window_, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    Box().UserSelected(int(start), int(end - start));
}

void EditWindow::OnCommand(WORD code) {
    if (code == EN_CHANGE && !applying_) {
        DWORD start = 0, end = 0;
        SendMessageW(window_, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        Box().UserEdited(WindowText(window_), int(start), int(end - start));
    }
}

bool EditWindow::OnKindMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) {
    if (Box().ImeOff()) {
        imeClosed_.OnMessage(window, message);  // the message then goes on as usual
    }
    return OnImeInput(window, message, wParam, lParam, result);
}

LRESULT EditWindow::OnTyped(HWND window, int16_t key, LPARAM lParam) {
    const LRESULT result = PassTyped(window, original_, key, lParam, Box().MultiLine());
    if (IsWindow(window)) {
        SyncSelection();
    }
    return result;
}

}  // namespace win32
