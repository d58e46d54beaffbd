#include "win32/list_window.h"

#include <algorithm>

#include "win32/typing.h"

namespace win32 {

namespace {

// The visible list height of a combo box's drop-down, in pixels.
constexpr int kDropDownPixels = 160;

}  // namespace

ListWindow::ListWindow(Win32Host& host, forms::Control& control) : ControlWindow(host, control) {}

ListWindow::~ListWindow() {
    if (editChild_ != nullptr) {
        SetWindowLongPtrW(editChild_, GWLP_WNDPROC, LONG_PTR(originalEdit_));
        Forget(editChild_);
    }
}

ControlWindow::WindowStyle ListWindow::Style() const {
    if (!Combo()) {
        return {L"LISTBOX",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    }
    const bool list = static_cast<forms::ComboBox&>(control_).Style() == 2;
    return {
        L"COMBOBOX",
        DWORD(WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL | (list ? CBS_DROPDOWNLIST : CBS_DROPDOWN)),
        0};
}

void ListWindow::Attach() {
    Subclass(window_);
    if (!Combo()) {
        return;
    }
    editChild_ = FindWindowExW(window_, nullptr, L"EDIT", nullptr);
    if (editChild_ != nullptr) {
        Own(editChild_);
        originalEdit_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(editChild_, GWLP_WNDPROC, LONG_PTR(SubclassProc)));
    }
}

RECT ListWindow::Placement() const {
    RECT place = ControlWindow::Placement();
    if (Combo()) {
        place.bottom += kDropDownPixels;  // the list that drops down belongs to the window
    }
    return place;
}

HWND ListWindow::InputWindow() const {
    return editChild_ != nullptr ? editChild_ : window_;
}

WNDPROC ListWindow::OriginalProc(HWND window) const {
    return window == editChild_ ? originalEdit_ : original_;
}

void ListWindow::ApplyText() {
    if (!Combo()) {
        return;
    }
    const auto& combo = static_cast<forms::ComboBox&>(control_);
    applying_ = true;
    if (combo.Style() != 2 && WindowText(window_) != combo.Text()) {
        SetWindowTextW(window_, combo.Text().c_str());
    }
    applying_ = false;
}

void ListWindow::ApplyItems() {
    const bool combo = Combo();
    const auto& items = static_cast<forms::ListControl&>(control_);
    applying_ = true;
    SendMessageW(window_, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items.Items()) {
        SendMessageW(window_, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, LPARAM(item.c_str()));
    }
    SendMessageW(window_, combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(items.ListIndex()), 0);
    applying_ = false;
    FitHorizontalExtent();
    ApplyText();
}

void ListWindow::ApplyListIndex() {
    const int index = static_cast<forms::ListControl&>(control_).ListIndex();
    SendMessageW(window_, Combo() ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(index), 0);
}

void ListWindow::OnCommand(WORD code) {
    if (!Combo()) {
        if (code == LBN_SELCHANGE && !applying_) {
            static_cast<forms::ListControl&>(control_).SetListIndex(
                int(SendMessageW(window_, LB_GETCURSEL, 0, 0)));
        } else if (code == LBN_DBLCLK) {
            forms::Control::Raise(control_.DblClick);
        }
        return;
    }
    if (code == CBN_DROPDOWN) {
        FitDroppedWidth();
    } else if (code == CBN_SELCHANGE && !applying_) {
        static_cast<forms::ListControl&>(control_).SetListIndex(
            int(SendMessageW(window_, CB_GETCURSEL, 0, 0)));
    } else if (code == CBN_EDITCHANGE && !applying_) {
        static_cast<forms::ComboBox&>(control_).UserEdited(WindowText(window_));
    }
}

// The width in pixels of the longest entry in the window's font.
LONG ListWindow::WidestItem() const {
    HDC dc = GetDC(window_);
    const auto font = HGDIOBJ(SendMessageW(window_, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    LONG widest = 0;
    for (const std::wstring& item : static_cast<forms::ListControl&>(control_).Items()) {
        SIZE size{};
        GetTextExtentPoint32W(dc, item.c_str(), int(item.size()), &size);
        widest = std::max(widest, size.cx);
    }
    if (old != nullptr) {
        SelectObject(dc, old);
    }
    ReleaseDC(window_, dc);
    return widest;
}

// The list that drops down is as wide as its longest entry (the system keeps it at least as
// wide as the box), so entries that differ only towards their end can be told apart.
void ListWindow::FitDroppedWidth() {
    // The list's border, the entries' margins and a scroll bar.
    const int extra = 2 * GetSystemMetrics(SM_CXEDGE) + 8 + GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(window_, CB_SETDROPPEDWIDTH, WPARAM(WidestItem() + extra), 0);
}

// A list box scrolls sideways to entries longer than it is wide (its scroll bar shows only
// then).
void ListWindow::FitHorizontalExtent() {
    if (!Combo()) {
        SendMessageW(window_, LB_SETHORIZONTALEXTENT, WPARAM(WidestItem() + 4), 0);
    }
}

LRESULT ListWindow::OnTyped(HWND window, int16_t key, LPARAM lParam) {
    if (!Combo()) {
        return 0;
    }
    return PassTyped(window, OriginalProc(window), key, lParam, false);
}

}  // namespace win32
