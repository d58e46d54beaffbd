#include "win32/picture_window.h"

#include "win32/dib_surface.h"

namespace win32 {

namespace {

constexpr wchar_t kPictureClass[] = L"SuitePictureBox";

// The border styles of a picture box: none, a sunken edge or a flat line.
void BorderStyles(const forms::PictureBox& picture, LONG_PTR& style, LONG_PTR& exStyle) {
    style &= ~LONG_PTR(WS_BORDER);
    exStyle &= ~LONG_PTR(WS_EX_CLIENTEDGE);
    if (picture.BorderStyle() == 1) {
        if (picture.Appearance() == 1) {
            exStyle |= WS_EX_CLIENTEDGE;
        } else {
            style |= WS_BORDER;
        }
    }
}

}  // namespace

PictureWindow::PictureWindow(Win32Host& host, forms::Control& control)
    : ControlWindow(host, control) {}

void PictureWindow::RegisterWindowClass() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = PictureProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    cls.lpszClassName = kPictureClass;
    RegisterClassExW(&cls);
}

ControlWindow::WindowStyle PictureWindow::Style() const {
    LONG_PTR style = WS_CLIPCHILDREN, exStyle = 0;
    BorderStyles(Picture(), style, exStyle);
    return {kPictureClass, DWORD(style), DWORD(exStyle)};
}

void PictureWindow::ApplyKindLook() {
    const LONG_PTR oldStyle = GetWindowLongPtrW(window_, GWL_STYLE);
    const LONG_PTR oldExStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    LONG_PTR style = oldStyle, exStyle = oldExStyle;
    BorderStyles(Picture(), style, exStyle);
    if (style != oldStyle || exStyle != oldExStyle) {
        SetWindowLongPtrW(window_, GWL_STYLE, style);
        SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

float PictureWindow::EventX(int pixels) const {
    return float(Picture().FromPixelX(pixels));
}

float PictureWindow::EventY(int pixels) const {
    return float(Picture().FromPixelY(pixels));
}

LRESULT CALLBACK PictureWindow::PictureProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = static_cast<PictureWindow*>(From(window));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT routed = 0;
    if (RouteChild(message, wParam, lParam, routed)) {
        return routed;
    }
    switch (message) {
        case WM_NCHITTEST:
            if (!IsWindowEnabled(window)) {
                // A disabled picture box lets the mouse through to the window beneath, as
                // Windows does for disabled child windows (Wine would drop the input).
                return HTTRANSPARENT;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            forms::PictureBox& picture = self->Picture();
            static_cast<DibSurface&>(picture.GetSurface()).PaintTo(dc, 0, 0);
            PaintLines(dc, picture.Parent(), &picture);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            break;
    }
    bool handled = false;
    const LRESULT result = self->HandleInput(window, message, wParam, lParam, handled);
    return handled ? result : DefWindowProcW(window, message, wParam, lParam);
}

LabelWindow::LabelWindow(Win32Host& host, forms::Control& control) : ControlWindow(host, control) {}

void LabelWindow::ApplyText() {
    SetWindowTextW(window_, static_cast<forms::Label&>(control_).Caption().c_str());
}

void LabelWindow::ApplyKindLook() {
    const forms::Label& label = static_cast<forms::Label&>(control_);
    const int alignment = label.Alignment();
    const LONG_PTR oldStyle = GetWindowLongPtrW(window_, GWL_STYLE);
    LONG_PTR style = oldStyle & ~LONG_PTR(SS_TYPEMASK | SS_NOPREFIX);
    style |= alignment == 1 ? SS_RIGHT : alignment == 2 ? SS_CENTER : SS_LEFT;
    style |= label.UseMnemonic() ? 0 : SS_NOPREFIX;
    if (style != oldStyle) {
        SetWindowLongPtrW(window_, GWL_STYLE, style);
    }
}

void LabelWindow::OnCommand(WORD code) {
    if (code == STN_CLICKED) {
        forms::Control::Raise(control_.Click);
    } else if (code == STN_DBLCLK) {
        forms::Control::Raise(control_.DblClick);
    }
}

}  // namespace win32
