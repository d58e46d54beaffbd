#include "win32/control_window.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <cmath>
#include <string>
#include <vector>

#include "win32/dib_surface.h"
#include "win32/rich_edit.h"
#include "win32/win32_host.h"

namespace win32 {

namespace {

constexpr wchar_t kPictureClass[] = L"SuitePictureBox";
// The visible list height of a combo box's drop-down, in pixels.
constexpr int kDropDownPixels = 160;
// The most a rich-edit box can hold, for a box without a maximum length.
constexpr LPARAM kRichEditMaxChars = 0x7FFFFFFE;

int ToPixels(double twips, double tpp) {
    return int(std::lround(twips / tpp));
}

std::wstring WindowText(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

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

bool IsEditKind(forms::ControlKind kind) {
    return kind == forms::ControlKind::TextBox || kind == forms::ControlKind::ComboBox;
}

}  // namespace

void ControlWindow::RegisterClasses() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = PictureProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    cls.lpszClassName = kPictureClass;
    RegisterClassExW(&cls);
}

ControlWindow::ControlWindow(Win32Host& host, forms::Control& control)
    : host_(host), control_(control) {
    Create();
}

ControlWindow::~ControlWindow() {
    if (window_ == nullptr) {
        HWND parent = ParentWindow();
        if (parent != nullptr) {
            InvalidateRect(parent, nullptr, TRUE);
        }
        return;
    }
    if (editChild_ != nullptr) {
        SetWindowLongPtrW(editChild_, GWLP_WNDPROC, LONG_PTR(originalEdit_));
        SetWindowLongPtrW(editChild_, GWLP_USERDATA, 0);
    }
    if (original_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(original_));
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    if (brush_ != nullptr) {
        DeleteObject(brush_);
    }
    if (buttonBitmap_ != nullptr) {
        DeleteObject(buttonBitmap_);
    }
}

ControlWindow* ControlWindow::From(HWND window) {
    return window != nullptr
               ? reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA))
               : nullptr;
}

HWND ControlWindow::ParentWindow() const {
    if (forms::Control* container = control_.Container()) {
        return HWND(container->Handle());
    }
    return HWND(control_.Parent().Handle());
}

void ControlWindow::Create() {
    using forms::ControlKind;
    const ControlKind kind = control_.Kind();
    if (kind == ControlKind::Line) {
        Apply(forms::Aspect::Geometry);
        return;
    }
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const wchar_t* cls = L"STATIC";
    switch (kind) {
        case ControlKind::Label:
            style |= SS_NOTIFY;
            break;
        case ControlKind::CommandButton:
            cls = L"BUTTON";
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::CheckBox:
            cls = L"BUTTON";
            style |= BS_3STATE | WS_TABSTOP;
            break;
        case ControlKind::OptionButton:
            cls = L"BUTTON";
            style |= BS_RADIOBUTTON | WS_TABSTOP;
            break;
        case ControlKind::Frame:
            cls = L"BUTTON";
            style |= BS_GROUPBOX | WS_CLIPCHILDREN;
            break;
        case ControlKind::TextBox: {
            auto& box = static_cast<forms::TextBox&>(control_);
            cls = L"EDIT";
            exStyle = WS_EX_CLIENTEDGE;
            style |= WS_TABSTOP | ES_LEFT;
            if (box.MultiLine()) {
                style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
            }
            if (!box.MultiLine() || (box.ScrollBars() & 1)) {
                style |= ES_AUTOHSCROLL;
            }
            style |= (box.ScrollBars() & 1) ? WS_HSCROLL : 0;
            style |= (box.ScrollBars() & 2) ? WS_VSCROLL : 0;
            style |= box.Locked() ? ES_READONLY : 0;
            break;
        }
        case ControlKind::ListBox:
            cls = L"LISTBOX";
            exStyle = WS_EX_CLIENTEDGE;
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            break;
        case ControlKind::ComboBox:
            cls = L"COMBOBOX";
            style |= WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL |
                     (static_cast<forms::ComboBox&>(control_).Style() == 2 ? CBS_DROPDOWNLIST
                                                                           : CBS_DROPDOWN);
            break;
        case ControlKind::PictureBox: {
            auto& picture = static_cast<forms::PictureBox&>(control_);
            cls = kPictureClass;
            style |= WS_CLIPCHILDREN;
            if (picture.BorderStyle() == 1) {
                if (picture.Appearance() == 1) {
                    exStyle = WS_EX_CLIENTEDGE;
                } else {
                    style |= WS_BORDER;
                }
            }
            break;
        }
        case ControlKind::VScrollBar:
            cls = L"SCROLLBAR";
            style |= SBS_VERT | WS_TABSTOP;
            break;
        default:
            return;
    }
    const auto* box =
        kind == ControlKind::TextBox ? static_cast<forms::TextBox*>(&control_) : nullptr;
    if (box != nullptr && box->RichEdit()) {
        window_ = CreateRichEditBox(ParentWindow(), style & ~(WS_CHILD | WS_VISIBLE), 0, 0);
        SendMessageW(window_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    } else {
        // Made where it belongs and as enabled as it is: a change after creation is one more
        // round trip to the window system, which a form with many windows feels.
        const RECT place = Placement();
        style |= control_.Enabled() ? 0 : WS_DISABLED;
        window_ = CreateWindowExW(exStyle, cls, L"", style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top,
                                  ParentWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    if (window_ == nullptr) {
        return;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    if (kind != ControlKind::PictureBox) {
        Subclass(window_);
    }
    if (kind == ControlKind::ComboBox) {
        editChild_ = FindWindowExW(window_, nullptr, L"EDIT", nullptr);
        if (editChild_ != nullptr) {
            SetWindowLongPtrW(editChild_, GWLP_USERDATA, LONG_PTR(this));
            originalEdit_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(editChild_, GWLP_WNDPROC, LONG_PTR(SubclassProc)));
        }
    }
    if (box != nullptr && box->AcceptsFiles()) {
        DragAcceptFiles(window_, TRUE);
    }
    ApplyLook();
    ApplyItems();
    ApplyText();
    ApplyValue();
    ApplyPicture();
    ApplyToolTip();
    if (box != nullptr && box->RichEdit()) {
        ApplyGeometry();
        EnableWindow(window_, control_.Enabled());
    }
    // Windows are created in the control order, which is also their tab order; only an
    // explicit ZOrder moves one in front of or behind its siblings.
    ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::ReplaceWindow() {
    const HWND old = window_;
    const HWND before = GetWindow(old, GW_HWNDPREV);
    const bool focused = GetFocus() == old;
    RemoveToolTip();
    SetWindowLongPtrW(old, GWLP_WNDPROC, LONG_PTR(original_));
    SetWindowLongPtrW(old, GWLP_USERDATA, 0);
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

void ControlWindow::Subclass(HWND window) {
    original_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(SubclassProc)));
}

forms::NativeHandle ControlWindow::Handle() const {
    return forms::NativeHandle(window_);
}

void ControlWindow::Focus() {
    if (window_ != nullptr) {
        SetFocus(editChild_ != nullptr ? editChild_ : window_);
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
        case Aspect::ListIndex: {
            const int index = static_cast<forms::ListControl&>(control_).ListIndex();
            const bool combo = control_.Kind() == forms::ControlKind::ComboBox;
            SendMessageW(window_, combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(index), 0);
            break;
        }
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
    if (control_.Kind() == forms::ControlKind::ComboBox) {
        place.bottom += kDropDownPixels;  // the list that drops down belongs to the window
    }
    return place;
}

void ControlWindow::ApplyText() {
    using forms::ControlKind;
    applying_ = true;
    switch (control_.Kind()) {
        case ControlKind::TextBox: {
            const auto& box = static_cast<forms::TextBox&>(control_);
            // The length first: reading a long text back only to compare it costs time.
            const int shown = GetWindowTextLengthW(window_);
            const bool differs =
                size_t(shown) != box.Text().size() || WindowText(window_) != box.Text();
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
            break;
        }
        case ControlKind::ComboBox: {
            const auto& combo = static_cast<forms::ComboBox&>(control_);
            if (combo.Style() != 2 && WindowText(window_) != combo.Text()) {
                SetWindowTextW(window_, combo.Text().c_str());
            }
            break;
        }
        case ControlKind::Label:
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::Frame:
            SetWindowTextW(window_,
                           static_cast<forms::CaptionedControl&>(control_).Caption().c_str());
            break;
        default:
            break;
    }
    applying_ = false;
}

void ControlWindow::ApplyTextLimit() {
    const auto& box = static_cast<forms::TextBox&>(control_);
    if (!box.RichEdit()) {
        SendMessageW(window_, EM_LIMITTEXT, WPARAM(box.MaxLength()), 0);  // 0: no limit
        return;
    }
    // A rich-edit box takes its limit through its own message, where 0 would mean its
    // small default (64,000 characters) rather than no limit.
    const LPARAM limit = box.MaxLength() > 0 ? LPARAM(box.MaxLength()) : kRichEditMaxChars;
    SendMessageW(window_, EM_EXLIMITTEXT, 0, limit);
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
    switch (control_.Kind()) {
        case forms::ControlKind::Label: {
            const int alignment = static_cast<forms::Label&>(control_).Alignment();
            const LONG_PTR oldStyle = GetWindowLongPtrW(window_, GWL_STYLE);
            LONG_PTR style = oldStyle & ~LONG_PTR(SS_TYPEMASK);
            style |= alignment == 1 ? SS_RIGHT : alignment == 2 ? SS_CENTER : SS_LEFT;
            if (style != oldStyle) {
                SetWindowLongPtrW(window_, GWL_STYLE, style);
            }
            break;
        }
        case forms::ControlKind::TextBox: {
            const auto& box = static_cast<forms::TextBox&>(control_);
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
            break;
        }
        case forms::ControlKind::PictureBox: {
            auto& picture = static_cast<forms::PictureBox&>(control_);
            const LONG_PTR oldStyle = GetWindowLongPtrW(window_, GWL_STYLE);
            const LONG_PTR oldExStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
            LONG_PTR style = oldStyle & ~LONG_PTR(WS_BORDER);
            LONG_PTR exStyle = oldExStyle & ~LONG_PTR(WS_EX_CLIENTEDGE);
            if (picture.BorderStyle() == 1) {
                if (picture.Appearance() == 1) {
                    exStyle |= WS_EX_CLIENTEDGE;
                } else {
                    style |= WS_BORDER;
                }
            }
            if (style != oldStyle || exStyle != oldExStyle) {
                SetWindowLongPtrW(window_, GWL_STYLE, style);
                SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle);
                SetWindowPos(
                    window_, nullptr, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            }
            break;
        }
        default:
            break;
    }
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

void ControlWindow::ApplyValue() {
    switch (control_.Kind()) {
        case forms::ControlKind::CheckBox: {
            const int value = static_cast<forms::CheckBox&>(control_).Value();
            SendMessageW(window_, BM_SETCHECK, value == 2 ? BST_INDETERMINATE : WPARAM(value), 0);
            break;
        }
        case forms::ControlKind::OptionButton:
            SendMessageW(
                window_, BM_SETCHECK,
                static_cast<forms::OptionButton&>(control_).Value() ? BST_CHECKED : BST_UNCHECKED,
                0);
            break;
        case forms::ControlKind::VScrollBar: {
            const auto& bar = static_cast<forms::VScrollBar&>(control_);
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
            info.nMin = std::min(bar.Min(), bar.Max());
            info.nMax = std::max(bar.Min(), bar.Max());
            info.nPos = bar.Value();
            SetScrollInfo(window_, SB_CTL, &info, TRUE);
            break;
        }
        default:
            break;
    }
}

void ControlWindow::ApplyItems() {
    const bool list = control_.Kind() == forms::ControlKind::ListBox;
    const bool combo = control_.Kind() == forms::ControlKind::ComboBox;
    if (!list && !combo) {
        return;
    }
    const auto& items = static_cast<forms::ListControl&>(control_);
    applying_ = true;
    SendMessageW(window_, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items.Items()) {
        SendMessageW(window_, list ? LB_ADDSTRING : CB_ADDSTRING, 0, LPARAM(item.c_str()));
    }
    SendMessageW(window_, list ? LB_SETCURSEL : CB_SETCURSEL, WPARAM(items.ListIndex()), 0);
    applying_ = false;
    if (combo) {
        ApplyText();
    }
}

void ControlWindow::ApplySelection() {
    if (control_.Kind() != forms::ControlKind::TextBox) {
        return;
    }
    const auto& box = static_cast<forms::TextBox&>(control_);
    SendMessageW(window_, EM_SETSEL, WPARAM(box.SelStart()),
                 LPARAM(box.SelStart() + box.SelLength()));
    SendMessageW(window_, EM_SCROLLCARET, 0, 0);
}

void ControlWindow::ApplyPicture() {
    if (control_.Kind() == forms::ControlKind::PictureBox) {
        Repaint(FALSE);
        return;
    }
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

TOOLINFOW ControlWindow::ToolInfo() const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ParentWindow();
    tool.uId = UINT_PTR(window_);
    return tool;
}

void ControlWindow::RemoveToolTip() {
    TOOLINFOW tool = ToolInfo();
    SendMessageW(host_.ToolTips(), TTM_DELTOOLW, 0, LPARAM(&tool));
}

void ControlWindow::ApplyToolTip() {
    RemoveToolTip();
    if (!control_.ToolTip().empty()) {
        TOOLINFOW tool = ToolInfo();
        std::wstring text = control_.ToolTip();
        tool.lpszText = text.data();
        SendMessageW(host_.ToolTips(), TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
}

void ControlWindow::SyncSelection() {
    if (control_.Kind() != forms::ControlKind::TextBox) {
        return;
    }
    DWORD start = 0, end = 0;
    SendMessageW(window_, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    static_cast<forms::TextBox&>(control_).UserSelected(int(start), int(end - start));
}

// ---- Messages about a child, arriving at its container

bool ControlWindow::RouteChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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

void ControlWindow::OnCommand(WORD code) {
    using forms::ControlKind;
    switch (control_.Kind()) {
        case ControlKind::CommandButton:
            if (code == BN_CLICKED) {
                forms::Control::Raise(control_.Click);
            }
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) {
                auto& box = static_cast<forms::CheckBox&>(control_);
                box.SetValue(box.Value() == 0 ? 1 : 0);
            }
            break;
        case ControlKind::OptionButton:
            if (code == BN_CLICKED) {
                static_cast<forms::OptionButton&>(control_).SetValue(true);
            }
            break;
        case ControlKind::Label:
            if (code == STN_CLICKED) {
                forms::Control::Raise(control_.Click);
            } else if (code == STN_DBLCLK) {
                forms::Control::Raise(control_.DblClick);
            }
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE && !applying_) {
                DWORD start = 0, end = 0;
                SendMessageW(window_, EM_GETSEL, WPARAM(&start), LPARAM(&end));
                static_cast<forms::TextBox&>(control_).UserEdited(WindowText(window_), int(start),
                                                                  int(end - start));
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE && !applying_) {
                static_cast<forms::ListControl&>(control_).SetListIndex(
                    int(SendMessageW(window_, LB_GETCURSEL, 0, 0)));
            } else if (code == LBN_DBLCLK) {
                forms::Control::Raise(control_.DblClick);
            }
            break;
        case ControlKind::ComboBox:
            if (code == CBN_SELCHANGE && !applying_) {
                static_cast<forms::ListControl&>(control_).SetListIndex(
                    int(SendMessageW(window_, CB_GETCURSEL, 0, 0)));
            } else if (code == CBN_EDITCHANGE && !applying_) {
                static_cast<forms::ComboBox&>(control_).UserEdited(WindowText(window_));
            }
            break;
        default:
            break;
    }
}

void ControlWindow::OnScroll(WORD code) {
    auto& bar = static_cast<forms::VScrollBar&>(control_);
    int value = bar.Value();
    switch (code) {
        case SB_LINEUP:
            value -= bar.SmallChange();
            break;
        case SB_LINEDOWN:
            value += bar.SmallChange();
            break;
        case SB_PAGEUP:
            value -= bar.LargeChange();
            break;
        case SB_PAGEDOWN:
            value += bar.LargeChange();
            break;
        case SB_TOP:
            value = bar.Min();
            break;
        case SB_BOTTOM:
            value = bar.Max();
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(window_, SB_CTL, &info);
            value = info.nTrackPos;
            break;
        }
        default:
            return;
    }
    bar.SetValue(value);
}

LRESULT ControlWindow::OnColor(HDC dc) {
    SetTextColor(dc, control_.ForeColor());
    SetBkColor(dc, control_.BackColor());
    return LRESULT(brush_);
}

// ---- Input

float ControlWindow::EventX(int pixels) const {
    if (control_.Kind() == forms::ControlKind::PictureBox) {
        return float(static_cast<forms::PictureBox&>(control_).FromPixelX(pixels));
    }
    const forms::Form& form = control_.Parent();
    return float(pixels * form.GetApp().TwipsPerPixelX() / form.ScaleFactorX());
}

float ControlWindow::EventY(int pixels) const {
    if (control_.Kind() == forms::ControlKind::PictureBox) {
        return float(static_cast<forms::PictureBox&>(control_).FromPixelY(pixels));
    }
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

LRESULT ControlWindow::HandleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   bool& handled) {
    forms::Form& form = control_.Parent();
    const WNDPROC original = window == editChild_ ? originalEdit_ : original_;
    auto callOriginal = [&] {
        return original != nullptr ? CallWindowProcW(original, window, message, wParam, lParam)
                                   : DefWindowProcW(window, message, wParam, lParam);
    };
    handled = true;
    switch (message) {
        case WM_ERASEBKGND:
            if (control_.Kind() != forms::ControlKind::Frame) {
                handled = false;
                return 0;
            }
            {
                // A group box draws only its border and caption; the inside is ours.
                RECT rect;
                GetClientRect(window, &rect);
                FillRect(HDC(wParam), &rect, brush_);
            }
            return 1;
        case WM_GETDLGCODE: {
            const LRESULT code = callOriginal();
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
                return code;
            }
            return code | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        }
        case WM_CHAR: {
            const int16_t key = form.FilterKeyPress(&control_, int16_t(wParam));
            if (!IsWindow(window) || key == 0 || !IsEditKind(control_.Kind())) {
                return 0;
            }
            const bool multiLine = control_.Kind() == forms::ControlKind::TextBox &&
                                   static_cast<forms::TextBox&>(control_).MultiLine();
            if ((key == forms::kKeyReturn && !multiLine) || key == forms::kKeyEscape) {
                return 0;
            }
            const LRESULT result =
                original != nullptr
                    ? CallWindowProcW(original, window, message, WPARAM(uint16_t(key)), lParam)
                    : 0;
            if (IsWindow(window)) {
                SyncSelection();
            }
            return result;
        }
        case WM_KEYDOWN: {
            const int16_t code = form.FilterKeyDown(&control_, int16_t(wParam), ShiftState());
            if (!IsWindow(window) || code == 0) {
                return 0;
            }
            const LRESULT result = callOriginal();
            if (IsWindow(window)) {
                SyncSelection();
            }
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = callOriginal();
            form.NoteFocus(&control_);
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const bool down =
                message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
            const int button =
                (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)   ? forms::kLeftButton
                : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? forms::kRightButton
                                                                         : forms::kMiddleButton;
            const forms::MouseHandler& handler = down ? control_.MouseDown : control_.MouseUp;
            if (handler) {
                handler(button, KeyShift(wParam), EventX(short(LOWORD(lParam))),
                        EventY(short(HIWORD(lParam))));
            }
            if (!IsWindow(window)) {
                return 0;
            }
            const LRESULT result = callOriginal();
            if (IsWindow(window)) {
                SyncSelection();
            }
            return result;
        }
        case WM_MOUSEMOVE:
            RaiseMouse(control_.MouseMove, wParam, lParam);
            return IsWindow(window) ? callOriginal() : 0;
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = callOriginal();
            if (control_.Kind() == forms::ControlKind::TextBox ||
                control_.Kind() == forms::ControlKind::PictureBox) {
                forms::Control::Raise(control_.DblClick);
            }
            return result;
        }
        case WM_DROPFILES: {
            auto drop = HDROP(wParam);
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
            return 0;
        }
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
    const WNDPROC original = window == self->editChild_ ? self->originalEdit_ : self->original_;
    if (message == WM_COMMAND || message == WM_VSCROLL || message == WM_CTLCOLORSTATIC ||
        message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORBTN) {
        LRESULT routed = 0;
        if (RouteChild(message, wParam, lParam, routed)) {
            return routed;  // a frame passes its children's messages to their peers
        }
    }
    bool handled = false;
    const LRESULT result = self->HandleInput(window, message, wParam, lParam, handled);
    return handled ? result : CallWindowProcW(original, window, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindow::PictureProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    ControlWindow* self = From(window);
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
            auto& picture = static_cast<forms::PictureBox&>(self->control_);
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
