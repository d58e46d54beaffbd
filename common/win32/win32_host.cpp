#include "win32/win32_host.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "win32/control_window.h"
#include "win32/desktop.h"
#include "win32/dialogs.h"
#include "win32/dib_surface.h"
#include "win32/font_dialog.h"
#include "win32/form_window.h"
#include "win32/notify_icon.h"
#include "win32/picture_file.h"
#include "win32/shell.h"

namespace win32 {

namespace {

constexpr wchar_t kTimerClass[] = L"SuiteTimers";

HWND OwnerOf(forms::Form* form) {
    return form != nullptr ? WindowOf(form) : nullptr;
}

// The product name in the version resource's strings, in the resource's first language
// (empty when there is none).
std::wstring ProductName(const void* versionInfo) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(versionInfo, L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &bytes) ||
        bytes < sizeof(Translation)) {
        return {};
    }
    wchar_t key[64];
    swprintf(key, std::size(key), L"\\StringFileInfo\\%04x%04x\\ProductName",
             translations->language, translations->codePage);
    wchar_t* name = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(versionInfo, key, reinterpret_cast<void**>(&name), &chars) ||
        name == nullptr) {
        return {};
    }
    return std::wstring(name, wcsnlen(name, chars));
}

}  // namespace

HWND WindowOf(const forms::Form* form) {
    return form != nullptr ? HWND(form->Handle()) : nullptr;
}

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

Win32Host::Win32Host() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    FormWindow::RegisterClasses();
    ControlWindow::RegisterClasses();
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kTimerClass;
    RegisterClassExW(&cls);
    timerWindow_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   cls.hInstance, nullptr);
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, LONG_PTR(this));
    owner_ = CreateWindowExW(0, kTimerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             cls.hInstance, nullptr);
    SetWindowLongPtrW(owner_, GWLP_USERDATA, LONG_PTR(this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

Win32Host::~Win32Host() {
    if (toolTips_ != nullptr) {
        DestroyWindow(toolTips_);
    }
    DestroyWindow(owner_);
    DestroyWindow(timerWindow_);
}

HWND Win32Host::ToolTips() {
    if (toolTips_ == nullptr) {
        toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    }
    return toolTips_;
}

// ---- Backend

std::unique_ptr<forms::FormPeer> Win32Host::CreateFormPeer(forms::Form& form) {
    return std::make_unique<FormWindow>(*this, form);
}

std::unique_ptr<forms::Peer> Win32Host::CreateControlPeer(forms::Control& control) {
    switch (control.Kind()) {
        case forms::ControlKind::Timer:
        case forms::ControlKind::Menu:
            return nullptr;  // timers live in the host, menus in their form's window
        default:
            return ControlWindow::Make(*this, control);
    }
}

std::unique_ptr<forms::Surface> Win32Host::CreateSurface() {
    return std::make_unique<DibSurface>();
}

void Win32Host::TimerChanged(forms::Timer& timer) {
    auto known = timerIds_.find(&timer);
    if (!timer.Running()) {
        if (known != timerIds_.end()) {
            KillTimer(timerWindow_, known->second);
            timers_.erase(known->second);
            timerIds_.erase(known);
        }
        return;
    }
    UINT_PTR id = known != timerIds_.end() ? known->second : nextTimerId_++;
    timers_[id] = &timer;
    timerIds_[&timer] = id;
    SetTimer(timerWindow_, id, UINT(timer.Interval()), nullptr);
}

void Win32Host::FireTimer(UINT_PTR id) {
    auto found = timers_.find(id);
    if (found == timers_.end() || ticking_[id]) {
        return;  // a tick does not start again while its handler still runs
    }
    ticking_[id] = true;
    forms::Control::Raise(found->second->Tick);
    ticking_[id] = false;
}

LRESULT CALLBACK Win32Host::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        return host->HandleHostMessage(window, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Host::HandleHostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    forms::App* app = forms::App::CurrentOrNull();
    if (message == WM_TIMER && window == timerWindow_) {
        FireTimer(UINT_PTR(wParam));
        return 0;
    }
    if (message == WM_ENDSESSION && wParam != 0 && app != nullptr) {
        app->NoteSessionEnd();
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_ && app != nullptr) {
        AddIconsAgain();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Host::AddIconsAgain() {
    for (const forms::AddedIcons::Icon& icon : addedIcons_.ToAddAgain(forms::App::Current())) {
        NotifyIcon(*icon.form, forms::kIconAdd, icon.tip, icon.icon);
    }
}

bool Win32Host::Pump(const MSG& message) {
    if (message.message == WM_QUIT) {
        PostQuitMessage(int(message.wParam));
        return false;
    }
    MSG copy = message;
    // Tab moves the focus between controls and Alt with a caption's "&" letter acts on
    // its control; every other key goes to the controls' own filters.
    const bool tab =
        (copy.message == WM_KEYDOWN || copy.message == WM_CHAR) && copy.wParam == VK_TAB;
    if (tab || copy.message == WM_SYSCHAR) {
        HWND root = GetAncestor(copy.hwnd, GA_ROOT);
        if (root != nullptr && IsDialogMessageW(root, &copy)) {
            return true;
        }
    }
    TranslateMessage(&copy);
    DispatchMessageW(&copy);
    return true;
}

int Win32Host::Run() {
    MSG message;
    while (!forms::App::Current().LoadedForms().empty()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            return got == 0 ? int(message.wParam) : 1;
        }
        Pump(message);
    }
    return 0;
}

void Win32Host::RunModal(forms::Form& form) {
    ModalRun run{&form, {}};
    for (forms::Form* other : form.GetApp().LoadedForms()) {
        HWND window = WindowOf(other);
        if (other != &form && window != nullptr && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            run.disabled.push_back(window);
        }
    }
    modalRuns_.push_back(std::move(run));
    MSG message;
    while (form.Loaded() && form.Visible()) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(int(message.wParam));
            break;
        }
        Pump(message);
    }
    EndModal(form, WindowOf(&form));
    std::erase_if(modalRuns_, [&](const ModalRun& r) { return r.form == &form; });
}

void Win32Host::EndModal(forms::Form& form, HWND dialog) {
    auto run = std::find_if(modalRuns_.rbegin(), modalRuns_.rend(),
                            [&](const ModalRun& r) { return r.form == &form; });
    if (run == modalRuns_.rend()) {
        return;
    }
    // Enabled before the dialog goes: the system would otherwise find no window of the
    // program to activate and leave the opener inactive.
    for (HWND window : run->disabled) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    run->disabled.clear();
    HWND opener = WindowOf(form.Opener());
    if (opener != nullptr && dialog != nullptr && GetActiveWindow() == dialog &&
        IsWindowVisible(opener) && IsWindowEnabled(opener)) {
        SetActiveWindow(opener);
    }
}

void Win32Host::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!Pump(message)) {
            return;
        }
    }
}

void Win32Host::PopupMenu(forms::Form& form, forms::Menu& menu) {
    forms::ModalScope open(form.GetApp());
    if (auto* window = static_cast<FormWindow*>(form.GetPeer())) {
        window->TrackPopup(menu);
    }
}

void Win32Host::EndProgram() {
    ExitProcess(0);
}

bool Win32Host::ClaimInstance(int waitMilliseconds, forms::ClaimScope scope) {
    const std::wstring exe = ExePath();
    const std::wstring claimed =
        scope == forms::ClaimScope::Folder ? exe.substr(0, exe.find_last_of(L"\\/")) : exe;
    return instance_.Claim(claimed, DWORD(std::max(0, waitMilliseconds)));
}

void Win32Host::ReleaseInstance() {
    instance_.Release();
}

// ---- System

forms::ScreenInfo Win32Host::Screen() const {
    forms::ScreenInfo info;
    HDC screen = GetDC(nullptr);
    info.tpp.x = 1440.0 / GetDeviceCaps(screen, LOGPIXELSX);
    info.tpp.y = 1440.0 / GetDeviceCaps(screen, LOGPIXELSY);
    info.widthMillimetres = GetDeviceCaps(screen, HORZSIZE);
    info.heightMillimetres = GetDeviceCaps(screen, VERTSIZE);
    ReleaseDC(nullptr, screen);
    info.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    info.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    core::SystemMetrics& m = info.metrics;
    m.cxFrame = GetSystemMetrics(SM_CXFRAME);
    m.cyFrame = GetSystemMetrics(SM_CYFRAME);
    m.cxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    m.cyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
    m.cyCaption = GetSystemMetrics(SM_CYCAPTION);
    m.cySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
    m.cyMenu = GetSystemMetrics(SM_CYMENU);
    m.xVirtualScreen = GetSystemMetrics(SM_XVIRTUALSCREEN);
    m.yVirtualScreen = GetSystemMetrics(SM_YVIRTUALSCREEN);
    m.cxVirtualScreen = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    m.cyVirtualScreen = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    info.smallIconWidth = GetSystemMetrics(SM_CXSMICON);
    info.smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    info.windowColor = GetSysColor(COLOR_WINDOW);
    info.windowTextColor = GetSysColor(COLOR_WINDOWTEXT);
    return info;
}

forms::ProgramInfo Win32Host::Program() const {
    forms::ProgramInfo info;
    const std::wstring path = ExePath();
    const size_t slash = path.find_last_of(L"\\/");
    info.directory = path.substr(0, slash);
    if (info.directory.size() == 2 && info.directory[1] == L':') {
        info.directory += L'\\';  // a drive root keeps its separator
    }
    std::wstring file = path.substr(slash + 1);
    info.exeName = file.substr(0, file.find_last_of(L'.'));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<char> data(size);
    if (size > 0 && GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
            fixed != nullptr) {
            info.major = HIWORD(fixed->dwFileVersionMS);
            info.minor = LOWORD(fixed->dwFileVersionMS);
        }
        info.title = ProductName(data.data());
    }
    // The title is the program's own name, which a renamed file keeps; only a program
    // without one in its version resource falls back to its file name.
    if (info.title.empty()) {
        info.title = info.exeName;
    }
    return info;
}

int16_t Win32Host::OsPlatform() const {
    return GetOsPlatform();
}

core::DateTime Win32Host::Now() const {
    return core::Now();
}

std::wstring Win32Host::ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void Win32Host::SetClipboardText(std::wstring_view text) {
    if (!OpenClipboard(nullptr)) {
        return;
    }
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory != nullptr) {
        auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
        text.copy(chars, text.size());
        chars[text.size()] = L'\0';
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void Win32Host::Beep() {
    MessageBeep(MB_OK);
}

bool Win32Host::PlaySoundFile(std::wstring_view path) {
    const std::wstring file(path);
    return PlaySoundW(file.c_str(), nullptr, SND_ASYNC | SND_FILENAME) != FALSE;
}

intptr_t Win32Host::ShellOpen(forms::Form* owner, std::wstring_view file, std::wstring_view params,
                              std::wstring_view directory) {
    const std::wstring f(file), p(params), d(directory);
    return intptr_t(ShellExecuteW(OwnerOf(owner), nullptr, f.c_str(),
                                  p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(),
                                  SW_SHOWNORMAL));
}

int16_t Win32Host::ShellDelete(forms::Form* owner, std::wstring_view path, int16_t recycle,
                               int16_t confirm) {
    forms::ModalScope open;
    return ShellDeletePath(OwnerOf(owner), path, recycle, confirm);
}

std::optional<forms::Image> Win32Host::LoadPictureFile(std::wstring_view path) {
    return LoadPictureWithWic(path);
}

forms::Image Win32Host::FileTypeIcon(std::wstring_view path, forms::Color background) {
    const std::wstring file(path);
    SHFILEINFOW info{};
    SHGetFileInfoW(file.c_str(), 0, &info, sizeof info,
                   SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    DibSurface surface;
    surface.Resize(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), background);
    if (info.hIcon != nullptr) {
        surface.DrawIcon(info.hIcon, 0, 0);
        DestroyIcon(info.hIcon);
    }
    return surface.Read();
}

forms::Image Win32Host::ReadScreen(int x, int y, int width, int height) {
    DibSurface surface;
    surface.Resize(width, height, forms::kBlack);
    HDC screen = GetDC(nullptr);
    surface.CopyFrom(screen, x, y);
    ReleaseDC(nullptr, screen);
    return surface.Read();
}

forms::ForegroundWindow Win32Host::Foreground() {
    return ForegroundWindowNow();
}

std::vector<forms::Rect> Win32Host::Monitors() {
    return MonitorRects();
}

std::optional<std::wstring> Win32Host::StartUpEntry(std::wstring_view name) {
    return ReadStartUpEntry(name);
}

bool Win32Host::SetStartUpEntry(std::wstring_view name, const std::optional<std::wstring>& text) {
    return WriteStartUpEntry(name, text);
}

// ---- Dialogs

int Win32Host::ShowMessageBox(forms::Form* owner, std::wstring_view text, std::wstring_view caption,
                              uint32_t style) {
    forms::ModalScope open;
    const std::wstring t(text), c(caption);
    HWND window = OwnerOf(owner);
    return MessageBoxW(window, t.c_str(), c.c_str(),
                       style | (window == nullptr ? MB_TASKMODAL : MB_APPLMODAL));
}

std::wstring Win32Host::OpenFileDialog(forms::Form* owner, std::wstring_view filter,
                                       std::wstring_view initialDir, int16_t& filterIndex) {
    forms::ModalScope open;
    return ShowOpenDialog(OwnerOf(owner), filter, initialDir, filterIndex);
}

std::wstring Win32Host::SaveFileDialog(forms::Form* owner, std::wstring_view filter,
                                       std::wstring_view initialDir, std::wstring_view defaultName,
                                       std::wstring_view defaultExt, int16_t& filterIndex) {
    forms::ModalScope open;
    return ShowSaveDialog(OwnerOf(owner), filter, initialDir, defaultName, defaultExt, filterIndex,
                          forms::App::Current().Title());
}

int32_t Win32Host::ColorDialog(forms::Form* owner, forms::Color initial) {
    forms::ModalScope open;
    return ShowColorDialog(OwnerOf(owner), initial);
}

int16_t Win32Host::FontDialog(forms::Form* owner, core::FontSpec& font) {
    forms::ModalScope open;
    return ChooseNoteFont(OwnerOf(owner), font);
}

int16_t Win32Host::NotifyIcon(forms::Form& form, uint32_t message, std::wstring_view tip,
                              forms::NativeHandle icon) {
    const int16_t result = NotifyIconCommand(WindowOf(&form), message, tip, HICON(icon));
    if (result == 0) {
        addedIcons_.Note(form, message, tip, icon);
    }
    return result;
}

}  // namespace win32
