#include "win32/form_window.h"

#include <windowsx.h>

#include <cmath>

#include "win32/control_window.h"
#include "win32/dib_surface.h"
#include "win32/region.h"
#include "win32/win32_host.h"
#include "win32/window_table.h"

namespace win32 {

namespace {

constexpr wchar_t kFormClass[] = L"SuiteForm";

// A message of the layer's own, taken from the queue only to bring the thread's message
// time up to now.
constexpr UINT kTimeMark = WM_APP + 0x3F0;

// The shell sends a notification icon's mouse messages, and a sent message leaves the thread
// with the time of the last message it took from its queue, perhaps long before. The window
// system refuses to give the keyboard to a window activated with such a stale time (another
// program has had it since): the icon's menu would then take no key and no click beside it,
// and hold the program in its modal state. A message posted and taken back at once carries
// the current time.
void TakeCurrentMessageTime() {
    PostThreadMessageW(GetCurrentThreadId(), kTimeMark, 0, 0);
    MSG mark;
    PeekMessageW(&mark, HWND(-1), kTimeMark, kTimeMark, PM_REMOVE);
}

WindowTable<FormWindow>& Windows() {
    static WindowTable<FormWindow> windows;
    return windows;
}

}  // namespace

void FormWindow::RegisterClasses() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hIcon = LoadIconW(cls.hInstance, MAKEINTRESOURCEW(1));
    if (cls.hIcon == nullptr) {
        cls.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    }
    // The small picture of the program's icon drawn for the caption and the task bar, so
    // that a window without an icon of its own needs no icon message of its own. Not
    // shared: a shared load may hand back the large picture loaded above.
    cls.hIconSm =
        HICON(LoadImageW(cls.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    cls.lpszClassName = kFormClass;
    RegisterClassExW(&cls);
}

std::pair<DWORD, DWORD> FormWindow::StylesFor(int borderStyle, bool hasMenus, bool titleBar) {
    switch (borderStyle) {
        case 0:
            if (hasMenus) {
                return {WS_CAPTION | WS_SYSMENU, 0};
            }
            return {WS_POPUP, 0};
        case 1:
            return {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0};
        case 3:
            return {WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME};
        case 4:
            return {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
        case 5:
            return {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
        default:
            if (!titleBar) {
                return {WS_POPUP | WS_THICKFRAME, 0};
            }
            return {WS_OVERLAPPEDWINDOW, 0};
    }
}

FormWindow::FormWindow(Win32Host& host, forms::Form& form) : host_(host), form_(form) {
    auto [style, exStyle] =
        StylesFor(form.BorderStyle(), forms::FormMenuState(form) != core::MenuState::None,
                  form.HasTitleBar());
    if (form.Topmost()) {
        exStyle |= WS_EX_TOPMOST;
    }
    // The window is made where and as large as the form is: every change after creation
    // is a round trip to the window system, which a program opening many windows feels.
    const bool normal = form.WindowState() == forms::WindowState::Normal;
    const RECT place = normal ? Placement() : RECT{0, 0, 0, 0};
    const bool systemPlaces = normal && form.PlacedBySystem();
    window_ = CreateWindowExW(exStyle, kFormClass, form.Caption().c_str(), style | WS_CLIPCHILDREN,
                              systemPlaces ? CW_USEDEFAULT : place.left, place.top,
                              place.right - place.left, place.bottom - place.top, OwnerWhenShown(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    Windows().Add(window_, this);
    if (systemPlaces) {
        ReportWindowRect();  // the model takes the system's place
    }
    applying_ = true;
    RebuildMenuBar();
    if (form.Icon() != 0) {
        ApplyIcon();  // without one of its own the window shows the class icon already
    }
    applying_ = false;
    if (form.Visible()) {
        ApplyGeometry();
    }
    if (form.WindowRegion()) {
        SetRegion(&*form.WindowRegion());
    }
}

FormWindow::~FormWindow() {
    host_.EndModal(form_, window_);
    Windows().Remove(window_);
    DestroyWindow(window_);
    if (menuBar_ != nullptr) {
        DestroyMenu(menuBar_);
    }
}

FormWindow* FormWindow::From(HWND window) {
    return Windows().Find(window);
}

void FormWindow::Apply(forms::Aspect aspect) {
    using forms::Aspect;
    switch (aspect) {
        case Aspect::Geometry:
            ApplyGeometry();
            break;
        case Aspect::Text:
            SetWindowTextW(window_, form_.Caption().c_str());
            break;
        case Aspect::Visible:
            ApplyVisible();
            break;
        case Aspect::Look:
            ApplyStyle();
            break;
        case Aspect::Menus:
            RebuildMenuBar();
            if (form_.BorderStyle() == 0) {
                ApplyStyle();  // menus coming or going change a borderless form's frame
            }
            break;
        case Aspect::Icon:
            ApplyIcon();
            break;
        case Aspect::Picture:
            InvalidateRect(window_, nullptr, FALSE);
            break;
        default:
            break;
    }
}

HWND FormWindow::OwnerWhenShown() const {
    if (form_.Modal()) {
        if (HWND opener = WindowOf(form_.Opener())) {
            return opener;
        }
    }
    return form_.ShowInTaskbar() ? nullptr : host_.HiddenOwner();
}

void FormWindow::ApplyVisible() {
    applying_ = true;
    if (form_.Visible()) {
        // An owned window stays above its owner: the opener cannot cover its dialog.
        HWND owner = OwnerWhenShown();
        if (GetWindow(window_, GW_OWNER) != owner) {
            SetWindowLongPtrW(window_, GWLP_HWNDPARENT, LONG_PTR(owner));
        }
        const forms::WindowState state = form_.WindowState();
        ShowWindow(window_, state == forms::WindowState::Minimized   ? SW_SHOWMINIMIZED
                            : state == forms::WindowState::Maximized ? SW_SHOWMAXIMIZED
                            : form_.ShowingInactive()                ? SW_SHOWNA
                                                                     : SW_SHOW);
    } else {
        host_.EndModal(form_, window_);
        ShowWindow(window_, SW_HIDE);
    }
    applying_ = false;
}

RECT FormWindow::Placement() const {
    const forms::App& app = form_.GetApp();
    RECT place{};
    place.left = ToPixels(form_.Left(), app.TwipsPerPixelX());
    place.top = ToPixels(form_.Top(), app.TwipsPerPixelY());
    place.right = place.left + ToPixels(form_.Width(), app.TwipsPerPixelX());
    place.bottom = place.top + ToPixels(form_.Height(), app.TwipsPerPixelY());
    return place;
}

void FormWindow::ApplyGeometry() {
    applying_ = true;
    if (form_.Visible()) {
        const forms::WindowState state = form_.WindowState();
        ShowWindow(window_, state == forms::WindowState::Minimized   ? SW_MINIMIZE
                            : state == forms::WindowState::Maximized ? SW_MAXIMIZE
                                                                     : SW_RESTORE);
    }
    if (form_.WindowState() == forms::WindowState::Normal) {
        const RECT place = Placement();
        SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applying_ = false;
}

void FormWindow::ApplyStyle() {
    auto [style, exStyle] =
        StylesFor(form_.BorderStyle(), forms::FormMenuState(form_) != core::MenuState::None,
                  form_.HasTitleBar());
    const LONG_PTR visible = GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE;
    SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR(style | WS_CLIPCHILDREN) | visible);
    const LONG_PTR topmost = GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST;
    SetWindowLongPtrW(window_, GWL_EXSTYLE, LONG_PTR(exStyle) | topmost);
    applying_ = true;
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    applying_ = false;
    InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::ApplyIcon() {
    // Without an icon of its own the window shows the class's pictures again.
    const HICON icon = HICON(form_.Icon());
    SendMessageW(window_, WM_SETICON, ICON_SMALL, LPARAM(icon));
    SendMessageW(window_, WM_SETICON, ICON_BIG, LPARAM(icon));
}

void FormWindow::Focus() {
    SetFocus(window_);
}

void FormWindow::SetRegion(const forms::Region* region) {
    SetWindowRgn(window_, region != nullptr ? CreateRegion(*region) : nullptr, TRUE);
}

void FormWindow::SetTopmost(bool topmost) {
    SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::Activate() {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    BringWindowToTop(window_);
}

void FormWindow::BeginDrag() {
    ReleaseCapture();
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

// ---- Menus

void FormWindow::AppendItem(HMENU menu, forms::Menu& item) {
    if (item.IsSeparator()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    UINT flags = MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED) |
                 (item.Checked() ? MF_CHECKED : MF_UNCHECKED);
    std::vector<forms::Menu*> children = item.Items();
    if (!children.empty()) {
        AppendMenuW(menu, flags | MF_POPUP, UINT_PTR(BuildMenu(item, true)),
                    item.Caption().c_str());
        return;
    }
    AppendMenuW(menu, flags, UINT_PTR(item.CommandId()), item.Caption().c_str());
}

HMENU FormWindow::BuildMenu(forms::Menu& parent, bool popup) {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (forms::Menu* item : parent.Items()) {
        if (item->Visible()) {
            AppendItem(menu, *item);
        }
    }
    return menu;
}

forms::Menu* FormWindow::MenuWithId(UINT id) const {
    for (forms::Control* control : form_.Controls()) {
        if (control->Kind() == forms::ControlKind::Menu &&
            UINT(static_cast<forms::Menu*>(control)->CommandId()) == id) {
            return static_cast<forms::Menu*>(control);
        }
    }
    return nullptr;
}

void FormWindow::RebuildMenuBar() {
    HMENU bar = nullptr;
    for (forms::Menu* top : form_.TopMenus()) {
        if (!top->Visible()) {
            continue;
        }
        if (bar == nullptr) {
            bar = CreateMenu();
        }
        AppendItem(bar, *top);
    }
    if (bar == nullptr && menuBar_ == nullptr) {
        return;  // no bar before and none now: the frame stays as it is
    }
    SetMenu(window_, bar);
    if (menuBar_ != nullptr) {
        DestroyMenu(menuBar_);
    }
    menuBar_ = bar;
    DrawMenuBar(window_);
}

void FormWindow::TrackPopup(forms::Menu& menu) {
    HMENU popup = BuildMenu(menu, true);
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(window_);
    const UINT id = UINT(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                        at.x, at.y, 0, window_, nullptr));
    DestroyMenu(popup);
    PostMessageW(window_, WM_NULL, 0, 0);
    if (forms::Menu* chosen = MenuWithId(id)) {
        form_.NoteMenuChosen(*chosen);
    }
}

// ---- Messages

void FormWindow::NoteWindowRect() {
    // Only what the user does to a shown window is news to the model.
    if (applying_ || !IsWindowVisible(window_) || IsIconic(window_) || IsZoomed(window_)) {
        return;
    }
    ReportWindowRect();
}

void FormWindow::ReportWindowRect() {
    RECT rect;
    GetWindowRect(window_, &rect);
    const forms::App& app = form_.GetApp();
    form_.NoteMoved(rect.left * app.TwipsPerPixelX(), rect.top * app.TwipsPerPixelY(),
                    (rect.right - rect.left) * app.TwipsPerPixelX(),
                    (rect.bottom - rect.top) * app.TwipsPerPixelY());
}

void FormWindow::RaiseMouse(const forms::MouseHandler& handler, int button, WPARAM keys,
                            LPARAM position) {
    if (!handler) {
        return;
    }
    const forms::App& app = form_.GetApp();
    const int shift =
        ((keys & MK_SHIFT) ? forms::kShiftMask : 0) | ((keys & MK_CONTROL) ? forms::kCtrlMask : 0);
    handler(button, shift,
            float(GET_X_LPARAM(position) * app.TwipsPerPixelX() / form_.ScaleFactorX()),
            float(GET_Y_LPARAM(position) * app.TwipsPerPixelY() / form_.ScaleFactorY()));
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (ControlWindow::RouteChild(message, wParam, lParam, routed)) {
        return routed;
    }
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) {
                if (forms::Menu* chosen = MenuWithId(LOWORD(wParam))) {
                    form_.NoteMenuChosen(*chosen);
                }
            }
            return 0;
        case WM_CLOSE:
            form_.NoteCloseRequest();
            return 0;
        case WM_GETMINMAXINFO:
            if ((GetWindowLongPtrW(window_, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
                // The system's minimum tracking size is made for title bars; a window without
                // one may be as small as its frame.
                DefWindowProcW(window_, message, wParam, lParam);
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
                return 0;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_ENDSESSION:
            // The system ends the process after this; no form is unloaded.
            if (wParam != 0) {
                form_.GetApp().NoteSessionEnd();
            }
            return 0;
        case WM_ACTIVATE: {
            if (LOWORD(wParam) == WA_INACTIVE) {
                form_.NoteDeactivated();
                return 0;
            }
            HWND window = window_;
            forms::Form& form = form_;
            form.NoteActivated();
            if (!IsWindow(window) || From(window) == nullptr) {
                return 0;  // the Activate handler unloaded the form
            }
            // The focus returns to the control that had it, or goes to the first one.
            forms::Control* active = form.ActiveControl();
            HWND target = active != nullptr ? HWND(active->Handle())
                                            : GetNextDlgTabItem(window, nullptr, FALSE);
            SetFocus(target != nullptr ? target : window);
            return 0;
        }
        case WM_MOVE:
            NoteWindowRect();
            return 0;
        case WM_SIZE:
            if (!applying_) {
                form_.NoteWindowState(wParam == SIZE_MINIMIZED   ? forms::WindowState::Minimized
                                      : wParam == SIZE_MAXIMIZED ? forms::WindowState::Maximized
                                                                 : forms::WindowState::Normal);
            }
            NoteWindowRect();
            return 0;
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(window_, &rect);
            HBRUSH brush = CreateSolidBrush(form_.BackColor());
            FillRect(HDC(wParam), &rect, brush);
            DeleteObject(brush);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            if (form_.HasSurface()) {
                static_cast<DibSurface&>(form_.GetSurface()).PaintTo(dc, 0, 0);
            }
            ControlWindow::PaintLines(dc, form_, nullptr);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_CHAR:
            form_.FilterKeyPress(nullptr, int16_t(wParam));
            return 0;
        case WM_KEYDOWN:
            form_.FilterKeyDown(nullptr, int16_t(wParam), 0);
            return 0;
        case WM_MOUSEMOVE: {
            if (InSendMessage()) {
                TakeCurrentMessageTime();
            }
            int held = 0;
            held |= (wParam & MK_LBUTTON) ? forms::kLeftButton : 0;
            held |= (wParam & MK_RBUTTON) ? forms::kRightButton : 0;
            held |= (wParam & MK_MBUTTON) ? forms::kMiddleButton : 0;
            RaiseMouse(form_.MouseMove, held, wParam, lParam);
            return 0;
        }
        case WM_LBUTTONDOWN:
            RaiseMouse(form_.MouseDown, forms::kLeftButton, wParam, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            RaiseMouse(form_.MouseDown, forms::kRightButton, wParam, lParam);
            return 0;
        case WM_LBUTTONUP: {
            // The handler may unload the form, which destroys this window and its peer.
            HWND window = window_;
            forms::Form& form = form_;
            RaiseMouse(form.MouseUp, forms::kLeftButton, wParam, lParam);
            if (IsWindow(window) && From(window) != nullptr) {
                forms::Control::Raise(form.Click);
            }
            return 0;
        }
        case WM_RBUTTONUP:
            RaiseMouse(form_.MouseUp, forms::kRightButton, wParam, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            forms::Control::Raise(form_.DblClick);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FormWindow* self = From(window);
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

}  // namespace win32
