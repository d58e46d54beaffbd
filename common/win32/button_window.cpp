#include "win32/button_window.h"

#include "win32/dib_surface.h"

namespace win32 {

ButtonWindow::ButtonWindow(Win32Host& host, forms::Control& control)
    : ControlWindow(host, control) {}

ButtonWindow::~ButtonWindow() {
    if (buttonBitmap_ != nullptr) {
        DeleteObject(buttonBitmap_);
    }
}

ControlWindow::WindowStyle ButtonWindow::Style() const {
    switch (control_.Kind()) {
        case forms::ControlKind::CommandButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
        case forms::ControlKind::CheckBox:
            return {L"BUTTON", BS_3STATE | WS_TABSTOP};
        case forms::ControlKind::OptionButton:
            return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP};
        default:
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN};
    }
}

void ButtonWindow::ApplyText() {
    SetWindowTextW(window_, static_cast<forms::CaptionedControl&>(control_).Caption().c_str());
}

void ButtonWindow::ApplyValue() {
    if (control_.Kind() == forms::ControlKind::CheckBox) {
        const int value = static_cast<forms::CheckBox&>(control_).Value();
        SendMessageW(window_, BM_SETCHECK, value == 2 ? BST_INDETERMINATE : WPARAM(value), 0);
    } else if (control_.Kind() == forms::ControlKind::OptionButton) {
        const bool value = static_cast<forms::OptionButton&>(control_).Value();
        SendMessageW(window_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ButtonWindow::ApplyPicture() {
    if (control_.Kind() != forms::ControlKind::CommandButton) {
        return;
    }
    const forms::Image& picture = static_cast<forms::CommandButton&>(control_).Picture();
    HBITMAP old = buttonBitmap_;
    buttonBitmap_ = picture.Empty() ? nullptr : CreateScreenBitmap(picture);
    LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE) & ~LONG_PTR(BS_BITMAP);
    SetWindowLongPtrW(window_, GWL_STYLE, style | (buttonBitmap_ ? BS_BITMAP : 0));
    SendMessageW(window_, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(buttonBitmap_));
    if (old != nullptr) {
        DeleteObject(old);
    }
    Repaint(TRUE);
}

void ButtonWindow::OnCommand(WORD code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (control_.Kind()) {
        case forms::ControlKind::CommandButton:
            forms::Control::Raise(control_.Click);
            break;
        case forms::ControlKind::CheckBox: {
            auto& box = static_cast<forms::CheckBox&>(control_);
            box.SetValue(box.Value() == 0 ? 1 : 0);
            break;
        }
        case forms::ControlKind::OptionButton:
            static_cast<forms::OptionButton&>(control_).SetValue(true);
            break;
        default:
            break;
    }
}

bool ButtonWindow::OnKindMessage(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                 LRESULT& result) {
    if (message != WM_ERASEBKGND || control_.Kind() != forms::ControlKind::Frame) {
        return false;
    }
    // A group box draws only its border and caption; the inside is ours.
    RECT rect;
    GetClientRect(window, &rect);
    FillRect(HDC(wParam), &rect, brush_);
    result = 1;
    return true;
}

// Enter on a command button that has the focus presses it, as Space does; the key filters
// saw it first, so a form that takes Enter for itself keeps it.
LRESULT ButtonWindow::OnTyped(HWND /*window*/, int16_t key, LPARAM /*lParam*/) {
    if (key == forms::kKeyReturn && control_.Kind() == forms::ControlKind::CommandButton &&
        control_.Enabled()) {
        forms::Control::Raise(control_.Click);
    }
    return 0;
}

}  // namespace win32
