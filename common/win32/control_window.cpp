#include "win32/control_window.h"

#include <shellapi.h>

#include <cmath>
#include <string>
#include <vector>

#include "win32/button_window.h"
#include "win32/dib_surface.h"
#include "win32/edit_window.h"
#include "win32/list_window.h"
#include "win32/picture_window.h"
#include "win32/scroll_bar_window.h"
#include "win32/win32_host.h"
#include "win32/window_table.h"

namespace win32 {

namespace {

int ShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= forms::kShiftMask;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= forms::kCtrlMask;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= forms::kAltMask;
    }
    return shift;
}

// Buttons held during a mouse message, as the model counts them.
int HeldButtons(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON) {
        buttons |= forms::kLeftButton;
    }
    if (keys & MK_RBUTTON) {
        buttons |= forms::kRightButton;
    }
    if (keys & MK_MBUTTON) {
        buttons |= forms::kMiddleButton;
    }
    return buttons;
}

int KeyShift(WPARAM keys) {
    return ((keys & MK_SHIFT) ? forms::kShiftMask : 0) |
           ((keys & MK_CONTROL) ? forms::kCtrlMask : 0);
}

WindowTable<ControlWindow>& Peers() {
    static WindowTable<ControlWindow> peers;
    return peers;
}

}  // namespace

int ToPixels(double twips, double tpp) {
    return int(std::lround(twips / tpp));
}

std::wstring WindowText(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

void ControlWindow::RegisterClasses() {
    PictureWindow::RegisterWindowClass();
}

std::unique_ptr<ControlWindow> ControlWindow::Make(Win32Host& host, forms::Control& control) {
    using forms::ControlKind;
    std::unique_ptr<ControlWindow> window;
    switch (control.Kind()) {
        case ControlKind::TextBox:
            window.reset(new EditWindow(host, control));
            break;
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
            window.reset(new ListWindow(host, control));
            break;
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::Frame:
            window.reset(new ButtonWindow(host, control));
            break;
        case ControlKind::PictureBox:
            window.reset(new PictureWindow(host, control));
            break;
        case ControlKind::Label:
            window.reset(new LabelWindow(host, control));
            break;
        case ControlKind::VScrollBar:
            window.reset(new ScrollBarWindow(host, control));
            break;
        default:
            window.reset(new ControlWindow(host, control));  // a line: drawn by its container
            break;
    }
    window->Create();
    return window;
}

ControlWindow::ControlWindow(Win32Host& host, forms::Control& control)
    : host_(host), control_(control) {}

ControlWindow::~ControlWindow() {
    if (window_ == nullptr) {
        HWND parent = ParentWindow();
        if (parent != nullptr) {
            InvalidateRect(parent, nullptr, TRUE);
        }
        return;
    }
    if (original_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(original_));
    }
    Forget(window_);
    RemoveToolTip();
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    if (brush_ != nullptr) {
        DeleteObject(brush_);
    }
}

ControlWindow* ControlWindow::From(HWND window) {
    return Peers().Find(window);
}

void ControlWindow::Own(HWND window) {
    Peers().Add(window, this);
}

void ControlWindow::Forget(HWND window) {
    Peers().Remove(window);
}

HWND ControlWindow::ParentWindow() const {
    if (forms::Control* container = control_.Container()) {
        return HWND(container->Handle());
    }
    return HWND(control_.Parent().Handle());
}

void ControlWindow::Create() {
    WindowStyle style = Style();
    if (style.cls == nullptr) {
        Apply(forms::Aspect::Geometry);
        return;
    }
    style.style |= WS_CHILD | WS_CLIPSIBLINGS;
    window_ = MakeWindow(style);
    if (window_ == nullptr) {
        return;
    }
    Own(window_);
    Attach();
    ApplyLook();
    ApplyItems();
    ApplyText();
    ApplyValue();
    ApplyPicture();
    ApplyToolTip();
    Created();
    // Windows are created in the control order, which is also their tab order; only an
    // explicit ZOrder moves one in front of or behind its siblings.
    ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
}

HWND ControlWindow::MakeWindow(const WindowStyle& style) {
    // Made where it belongs and as enabled as it is: a change after creation is one more
    // round trip to the window system, which a form with many windows feels.
    const RECT place = Placement();
    const DWORD enabled = control_.Enabled() ? 0 : WS_DISABLED;
    return CreateWindowExW(style.exStyle, style.cls, L"", style.style | enabled, place.left,
                           place.top, place.right - place.left, place.bottom - place.top,
                           ParentWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

void ControlWindow::Subclass(HWND window) {
    original_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(SubclassProc)));
}

forms::NativeHandle ControlWindow::Handle() const {
    return forms::NativeHandle(window_);
}

void ControlWindow::Focus() {
    if (window_ != nullptr) {
        SetFocus(InputWindow());
    }
}

void ControlWindow::Apply(forms::Aspect aspect) {
    using forms::Aspect;
    if (window_ == nullptr) {
        if (HWND parent = ParentWindow()) {
            InvalidateRect(parent, nullptr, TRUE);  // a line control: its container repaints
        }
        return;
    }
    switch (aspect) {
        case Aspect::Geometry:
            ApplyGeometry();
            break;
        case Aspect::Text:
            ApplyText();
            break;
        case Aspect::Visible:
            ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case Aspect::Enabled:
            EnableWindow(window_, control_.Enabled());
            break;
        case Aspect::Look:
            ApplyLook();
            break;
        case Aspect::Value:
            ApplyValue();
            break;
        case Aspect::Items:
            ApplyItems();
            break;
        case Aspect::ListIndex:
            ApplyListIndex();
            break;
        case Aspect::Selection:
            ApplySelection();
            break;
        case Aspect::ZOrder:
            SetWindowPos(window_, control_.ZStamp() > 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case Aspect::Picture:
            ApplyPicture();
            break;
        case Aspect::ToolTip:
            ApplyToolTip();
            break;
        default:
            break;
    }
}

void ControlWindow::ApplyGeometry() {
    if (window_ == nullptr) {
        if (HWND parent = ParentWindow()) {
            InvalidateRect(parent, nullptr, TRUE);
        }
        return;
    }
    if (GetParent(window_) != ParentWindow()) {
        SetParent(window_, ParentWindow());  // the control moved to another container
    }
    const RECT place = Placement();
    MoveWindow(window_, place.left, place.top, place.right - place.left, place.bottom - place.top,
               TRUE);
}

RECT ControlWindow::Placement() const {
    const forms::App& app = control_.Parent().GetApp();
    const double tx = app.TwipsPerPixelX(), ty = app.TwipsPerPixelY();
    RECT place{};
    place.left = ToPixels(control_.Left(), tx);
    place.top = ToPixels(control_.Top(), ty);
    place.right = place.left + ToPixels(control_.Width(), tx);
    place.bottom = place.top + ToPixels(control_.Height(), ty);
    return place;
}

void ControlWindow::ApplyLook() {
    // A change of colour alone keeps the font (making one is the costly part).
    if (font_ == nullptr || !(fontMade_ == control_.Font())) {
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
        font_ = CreateModelFont(control_.Font());
        fontMade_ = control_.Font();
        SendMessageW(window_, WM_SETFONT, WPARAM(font_), Shows());
    }
    if (brush_ != nullptr) {
        DeleteObject(brush_);
    }
    brush_ = CreateSolidBrush(control_.BackColor());
    ApplyKindLook();
    Repaint(TRUE);
}

// Whether any part of the window can be seen: it is visible and lies at least partly inside
// the client area of each of its containers. A window scrolled out of its container's view
// is painted when it comes back into it, so changes to it need no painting now.
bool ControlWindow::Shows() const {
    if (!IsWindowVisible(window_)) {
        return false;
    }
    RECT seen{};
    GetWindowRect(window_, &seen);
    for (HWND child = window_; GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD;) {
        const HWND parent = GetAncestor(child, GA_PARENT);
        RECT client{};
        GetClientRect(parent, &client);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!IntersectRect(&seen, &seen, &client)) {
            return false;
        }
        child = parent;
    }
    return true;
}

// Marking a window that cannot be seen only costs a round trip to the window system.
void ControlWindow::Repaint(BOOL erase) {
    if (Shows()) {
        InvalidateRect(window_, nullptr, erase);
    }
}

TOOLINFOW ControlWindow::ToolInfo() const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ParentWindow();
    tool.uId = UINT_PTR(window_);
    return tool;
}

// Only a window that was given a tool has one to remove: the tool tip window is made when
// the first tool is added, not for every control that never has a tip.
void ControlWindow::RemoveToolTip() {
    if (!toolAdded_) {
        return;
    }
    TOOLINFOW tool = ToolInfo();
    SendMessageW(host_.ToolTips(), TTM_DELTOOLW, 0, LPARAM(&tool));
    toolAdded_ = false;
}

void ControlWindow::ApplyToolTip() {
    RemoveToolTip();
    if (!control_.ToolTip().empty()) {
        TOOLINFOW tool = ToolInfo();
        std::wstring text = control_.ToolTip();
        tool.lpszText = text.data();
        SendMessageW(host_.ToolTips(), TTM_ADDTOOLW, 0, LPARAM(&tool));
        toolAdded_ = true;
    }
}

// ---- Messages about a child, arriving at its container

bool ControlWindow::RouteChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
        case WM_VSCROLL:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            break;
        default:
            // Other messages carry no window in lParam (often a pointer): looking one up
            // would ask the window system about a handle that is not one.
            return false;
    }
    ControlWindow* child = From(HWND(lParam));
    if (child == nullptr || child->window_ != HWND(lParam)) {
        return false;
    }
    switch (message) {
        case WM_COMMAND:
            child->OnCommand(HIWORD(wParam));
            result = 0;
            return true;
        case WM_VSCROLL:
            child->OnScroll(LOWORD(wParam));
            result = 0;
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            result = child->OnColor(HDC(wParam));
            return true;
        default:
            return false;
    }
}

LRESULT ControlWindow::OnColor(HDC dc) {
    SetTextColor(dc, control_.ForeColor());
    SetBkColor(dc, control_.BackColor());
    return LRESULT(brush_);
}

// ---- Input

float ControlWindow::EventX(int pixels) const {
    const forms::Form& form = control_.Parent();
    return float(pixels * form.GetApp().TwipsPerPixelX() / form.ScaleFactorX());
}

float ControlWindow::EventY(int pixels) const {
    const forms::Form& form = control_.Parent();
    return float(pixels * form.GetApp().TwipsPerPixelY() / form.ScaleFactorY());
}

void ControlWindow::RaiseMouse(const forms::MouseHandler& handler, WPARAM keys,
                               LPARAM position) const {
    if (handler) {
        handler(HeldButtons(keys), KeyShift(keys), EventX(short(LOWORD(position))),
                EventY(short(HIWORD(position))));
    }
}

LRESULT ControlWindow::CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    const WNDPROC original = OriginalProc(window);
    return original != nullptr ? CallWindowProcW(original, window, message, wParam, lParam)
                               : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ControlWindow::OnMouseButton(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool down =
        message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const int button = (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) ? forms::kLeftButton
                       : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)
                           ? forms::kRightButton
                           : forms::kMiddleButton;
    const forms::MouseHandler& handler = down ? control_.MouseDown : control_.MouseUp;
    if (handler) {
        handler(button, KeyShift(wParam), EventX(short(LOWORD(lParam))),
                EventY(short(HIWORD(lParam))));
    }
    if (!IsWindow(window)) {
        return 0;
    }
    const LRESULT result = CallOriginal(window, message, wParam, lParam);
    if (IsWindow(window)) {
        SyncSelection();
    }
    return result;
}

void ControlWindow::OnDropFiles(HDROP drop) {
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(size_t(DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), UINT(name.size())));
        files.push_back(std::move(name));
    }
    DragFinish(drop);
    if (control_.DropFiles) {
        control_.DropFiles(files);
    }
}

LRESULT ControlWindow::HandleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   bool& handled) {
    forms::Form& form = control_.Parent();
    LRESULT result = 0;
    handled = true;
    if (OnKindMessage(window, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_GETDLGCODE: {
            const LRESULT code = CallOriginal(window, message, wParam, lParam);
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
                return code;
            }
            return code | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        }
        case WM_CHAR:
            return TypeChar(window, wchar_t(wParam), lParam);
        case WM_KEYDOWN: {
            const int16_t code = form.FilterKeyDown(&control_, int16_t(wParam), ShiftState());
            if (!IsWindow(window) || code == 0) {
                return 0;
            }
            result = CallOriginal(window, message, wParam, lParam);
            if (IsWindow(window)) {
                SyncSelection();
            }
            return result;
        }
        case WM_SETFOCUS:
            result = CallOriginal(window, message, wParam, lParam);
            form.NoteFocus(&control_);
            return result;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnMouseButton(window, message, wParam, lParam);
        case WM_MOUSEMOVE:
            RaiseMouse(control_.MouseMove, wParam, lParam);
            return IsWindow(window) ? CallOriginal(window, message, wParam, lParam) : 0;
        case WM_LBUTTONDBLCLK:
            result = CallOriginal(window, message, wParam, lParam);
            if (RaisesDoubleClick()) {
                forms::Control::Raise(control_.DblClick);
            }
            return result;
        case WM_DROPFILES:
            OnDropFiles(HDROP(wParam));
            return 0;
        default:
            handled = false;
            return 0;
    }
}

LRESULT CALLBACK ControlWindow::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    ControlWindow* self = From(window);
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_COMMAND || message == WM_VSCROLL || message == WM_CTLCOLORSTATIC ||
        message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORBTN) {
        LRESULT routed = 0;
        if (RouteChild(message, wParam, lParam, routed)) {
            return routed;  // a frame passes its children's messages to their peers
        }
    }
    bool handled = false;
    const LRESULT result = self->HandleInput(window, message, wParam, lParam, handled);
    return handled ? result
                   : CallWindowProcW(self->OriginalProc(window), window, message, wParam, lParam);
}

void ControlWindow::PaintLines(HDC dc, const forms::Form& form, const forms::Control* container) {
    const forms::App& app = form.GetApp();
    for (const forms::Control* control : form.Controls()) {
        if (control->Kind() != forms::ControlKind::Line || control->Container() != container ||
            !control->Visible()) {
            continue;
        }
        const auto* line = static_cast<const forms::Line*>(control);
        HPEN pen = CreatePen(PS_SOLID, 1, line->BorderColor());
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, ToPixels(line->X1(), app.TwipsPerPixelX()),
                 ToPixels(line->Y1(), app.TwipsPerPixelY()), nullptr);
        LineTo(dc, ToPixels(line->X2(), app.TwipsPerPixelX()),
               ToPixels(line->Y2(), app.TwipsPerPixelY()));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

}  // namespace win32
