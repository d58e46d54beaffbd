// The Win32 backend's Host: real windows for forms and controls, the message loop, modal
// loops, window timers, and the system services.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/added_icons.h"
#include "forms/host.h"
#include "win32/instance_claim.h"

namespace forms {
class App;
}

namespace win32 {

class Win32Host : public forms::Host {
  public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // The message loop: runs until no form is loaded any more; returns the exit code.
    int Run();
    // The tooltip window shared by every control.
    HWND ToolTips();
    // A hidden top-level window that owns forms kept out of the taskbar. It also hears
    // what the system tells every program: the session's end and the shell's restart.
    HWND HiddenOwner() const { return owner_; }
    // The message the shell broadcasts when it (re)starts ("TaskbarCreated").
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }
    // A modal form closes (hides or goes): the windows disabled for it are enabled again
    // and, when it was active, its opener becomes active, so that activation returns there
    // rather than to another program.
    void EndModal(forms::Form& form, HWND dialog);

    // ---- forms::Host
    std::unique_ptr<forms::FormPeer> CreateFormPeer(forms::Form& form) override;
    std::unique_ptr<forms::Peer> CreateControlPeer(forms::Control& control) override;
    std::unique_ptr<forms::Surface> CreateSurface() override;
    void TimerChanged(forms::Timer& timer) override;
    void RunModal(forms::Form& form) override;
    void DoEvents() override;
    void PopupMenu(forms::Form& form, forms::Menu& menu) override;
    [[noreturn]] void EndProgram() override;
    bool ClaimInstance(int waitMilliseconds, forms::ClaimScope scope) override;
    void ReleaseInstance() override;
    forms::ScreenInfo Screen() const override;
    forms::ProgramInfo Program() const override;
    int16_t OsPlatform() const override;
    core::DateTime Now() const override;
    std::wstring ClipboardText() override;
    void SetClipboardText(std::wstring_view text) override;
    void Beep() override;
    bool PlaySoundFile(std::wstring_view path) override;
    intptr_t ShellOpen(forms::Form* owner, std::wstring_view file, std::wstring_view params,
                       std::wstring_view directory) override;
    int16_t ShellDelete(forms::Form* owner, std::wstring_view path, int16_t recycle,
                        int16_t confirm) override;
    std::optional<forms::Image> LoadPictureFile(std::wstring_view path) override;
    forms::Image FileTypeIcon(std::wstring_view path, forms::Color background) override;
    forms::Image ReadScreen(int x, int y, int width, int height) override;
    forms::ForegroundWindow Foreground() override;
    std::vector<forms::Rect> Monitors() override;
    std::optional<std::wstring> StartUpEntry(std::wstring_view name) override;
    bool SetStartUpEntry(std::wstring_view name, const std::optional<std::wstring>& text) override;
    int ShowMessageBox(forms::Form* owner, std::wstring_view text, std::wstring_view caption,
                       uint32_t style) override;
    std::wstring OpenFileDialog(forms::Form* owner, std::wstring_view filter,
                                std::wstring_view initialDir, int16_t& filterIndex) override;
    std::wstring SaveFileDialog(forms::Form* owner, std::wstring_view filter,
                                std::wstring_view initialDir, std::wstring_view defaultName,
                                std::wstring_view defaultExt, int16_t& filterIndex) override;
    int32_t ColorDialog(forms::Form* owner, forms::Color initial) override;
    int16_t FontDialog(forms::Form* owner, core::FontSpec& font) override;
    int16_t NotifyIcon(forms::Form& form, uint32_t message, std::wstring_view tip,
                       forms::NativeHandle icon) override;

  private:
    struct ModalRun {
        forms::Form* form;
        std::vector<HWND> disabled;
    };

    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleHostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AddIconsAgain();
    // Dispatches one message; false on WM_QUIT (which it posts again).
    bool Pump(const MSG& message);
    void FireTimer(UINT_PTR id);

    HWND timerWindow_ = nullptr;
    HWND owner_ = nullptr;
    HWND toolTips_ = nullptr;
    UINT taskbarCreated_ = 0;
    std::vector<ModalRun> modalRuns_;
    forms::AddedIcons addedIcons_;
    InstanceClaim instance_;
    std::map<UINT_PTR, forms::Timer*> timers_;
    std::map<forms::Timer*, UINT_PTR> timerIds_;
    std::map<UINT_PTR, bool> ticking_;
    UINT_PTR nextTimerId_ = 1;
};

// The window handle of a form or control (nullptr without one).
HWND WindowOf(const forms::Form* form);

// The running program file's full path.
std::wstring ExePath();

}  // namespace win32
