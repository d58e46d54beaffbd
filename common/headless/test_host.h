// The headless backend: the forms model without windows, for tests. Message boxes,
// dialogs, modal forms and pop-up menus are answered from a script the test sets up; time
// stands still until the test advances it, and timers fire as it does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/added_icons.h"
#include "forms/host.h"
#include "headless/software_surface.h"

namespace forms {
class Form;
class Timer;
}  // namespace forms

namespace headless {

// Thrown when the program shows a dialog, message box or modal form the test did not
// script, or leaves a scripted modal form open.
class UnexpectedDialog : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Thrown by EndProgram; the user driver catches it and the host remembers the end.
class ProgramEnded : public std::exception {
  public:
    const char* what() const noexcept override { return "program ended"; }
};

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    uint32_t style = 0;
    std::wstring owner;  // the owner form's name, empty without one
    int answer = 0;
};

struct NotifyCall {
    uint32_t message = 0;
    std::wstring tip;
    std::wstring form;
};

struct ShellCall {
    std::wstring file;
    std::wstring params;
    std::wstring directory;
};

// A claim (ClaimInstance) or release (ReleaseInstance) of the program's single-copy claim.
struct InstanceCall {
    bool claim = false;        // false: a release
    int waitMilliseconds = 0;  // of a claim
    bool granted = false;      // of a claim
    forms::ClaimScope scope = forms::ClaimScope::ProgramFile;
};

struct DeleteCall {
    std::wstring path;
    int16_t recycle = 0;
    int16_t confirm = 0;
};

class TestHost : public forms::Host {
  public:
    TestHost();

    // ---- Setting up
    forms::ScreenInfo screen;
    forms::ProgramInfo program;
    int16_t osPlatform = 2;
    int16_t notifyResult = 0;          // what NotifyIcon answers
    intptr_t shellExecuteResult = 42;  // what ShellExecute answers
    // What ShellDelete answers; 0 also removes the file (or folder) for real.
    int16_t shellDeleteResult = 0;
    bool playSoundResult = true;
    // Another running copy of the program holds the single-copy claim and keeps it.
    bool otherInstance = false;
    void SetNow(const core::DateTime& now);
    // The desktop: the foreground window, and the monitors (empty: the screen alone).
    forms::ForegroundWindow foreground;
    std::vector<forms::Rect> monitors;
    // The user's list of programs started with Windows, by entry name; with
    // startUpWriteFails every change of it fails.
    std::map<std::wstring, std::wstring> startUpEntries;
    bool startUpWriteFails = false;

    // ---- Scripts, each answered once in order.
    // The next message box gets answer; when textPart is given the box's text must hold it.
    void ExpectMessage(int answer, std::wstring textPart = {});
    // File dialogs: the path the dialog returns (empty = cancel; for the save dialog the
    // name as typed: the chosen type's extension is added, and when that names an existing
    // file the overwrite question is a message box to script, No taking the next save
    // script) and the filter index chosen.
    void ExpectOpenDialog(std::wstring path, int16_t filterIndex = 1);
    void ExpectSaveDialog(std::wstring path, int16_t filterIndex = 1);
    // Colour dialog: the colour chosen, or -1 to cancel.
    void ExpectColorDialog(int32_t color);
    // Font dialog: the font chosen, or nullopt to cancel.
    void ExpectFontDialog(std::optional<core::FontSpec> font);
    // The next modal show of the named form runs act (which must close the form).
    void ExpectModal(std::wstring formName, std::function<void(forms::Form&)> act);
    // The next pop-up menu: the named item is chosen (empty: closed without a choice).
    void ExpectPopup(std::wstring itemName, int itemIndex = -1);
    // An action run inside the program's next DoEvents (as if the user acted meanwhile).
    void DuringDoEvents(std::function<void()> action);
    // An action run while the next message box, file, colour or font dialog, shell delete
    // or pop-up menu is open, before it is answered (for example host.Advance(1000): the
    // program's timers keep running under a modal box).
    void WhileNextDialogOpen(std::function<void()> action);
    // Scripts not used yet (a test usually expects 0).
    size_t PendingScripts() const;

    // ---- Time
    // Moves the clock on, firing every running timer as it falls due, in time order.
    void Advance(int milliseconds);
    int64_t ElapsedMs() const { return elapsedMs_; }

    // ---- The system
    // The shell restarts: every notification icon the program has added (and not
    // removed) is added again, as the Win32 backend does.
    void RestartShell();

    // ---- What the program did
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    const std::vector<NotifyCall>& NotifyCalls() const { return notifyCalls_; }
    const std::vector<ShellCall>& ShellCalls() const { return shellCalls_; }
    const std::vector<DeleteCall>& DeleteCalls() const { return deleteCalls_; }
    const std::vector<InstanceCall>& InstanceCalls() const { return instanceCalls_; }
    bool HoldsInstance() const { return holdsInstance_; }
    const std::vector<std::wstring>& SoundsPlayed() const { return sounds_; }
    const std::vector<std::wstring>& Popups() const { return popups_; }
    const std::vector<DrawnText>& DrawnTexts() const { return drawnTexts_; }
    int Beeps() const { return beeps_; }
    int DoEventsCalls() const { return doEventsCalls_; }
    bool Ended() const { return ended_; }
    void NoteEnded() { ended_ = true; }
    std::wstring clipboard;

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
    forms::ScreenInfo Screen() const override { return screen; }
    forms::ProgramInfo Program() const override { return program; }
    int16_t OsPlatform() const override { return osPlatform; }
    core::DateTime Now() const override;
    std::wstring ClipboardText() override { return clipboard; }
    void SetClipboardText(std::wstring_view text) override { clipboard = text; }
    void Beep() override { ++beeps_; }
    bool PlaySoundFile(std::wstring_view path) override;
    intptr_t ShellOpen(forms::Form* owner, std::wstring_view file, std::wstring_view params,
                       std::wstring_view directory) override;
    int16_t ShellDelete(forms::Form* owner, std::wstring_view path, int16_t recycle,
                        int16_t confirm) override;
    std::optional<forms::Image> LoadPictureFile(std::wstring_view path) override;
    forms::Image FileTypeIcon(std::wstring_view path, forms::Color background) override;
    forms::Image ReadScreen(int x, int y, int width, int height) override;
    forms::ForegroundWindow Foreground() override { return foreground; }
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
    // Runs the action scripted for the dialog now open, if any.
    void WhileOpen();

    struct MessageScript {
        int answer;
        std::wstring textPart;
    };
    struct FileScript {
        std::wstring path;
        int16_t filterIndex;
    };
    struct ModalScript {
        std::wstring formName;
        std::function<void(forms::Form&)> act;
    };
    struct PopupScript {
        std::wstring itemName;
        int itemIndex;
    };

    core::DateTime start_;
    int64_t elapsedMs_ = 0;
    std::map<forms::Timer*, int64_t> due_;  // running timers and when they next fire
    std::deque<MessageScript> messageScripts_;
    std::deque<FileScript> openScripts_;
    std::deque<FileScript> saveScripts_;
    std::deque<int32_t> colorScripts_;
    std::deque<std::optional<core::FontSpec>> fontScripts_;
    std::deque<ModalScript> modalScripts_;
    std::deque<PopupScript> popupScripts_;
    std::deque<std::function<void()>> doEventsActions_;
    std::deque<std::function<void()>> whileOpenActions_;
    forms::AddedIcons addedIcons_;
    std::vector<InstanceCall> instanceCalls_;
    bool holdsInstance_ = false;
    std::vector<ShownMessage> messages_;
    std::vector<NotifyCall> notifyCalls_;
    std::vector<ShellCall> shellCalls_;
    std::vector<DeleteCall> deleteCalls_;
    std::vector<std::wstring> sounds_;
    std::vector<std::wstring> popups_;
    std::vector<DrawnText> drawnTexts_;
    int beeps_ = 0;
    int doEventsCalls_ = 0;
    bool ended_ = false;
};

// Adds milliseconds to a date and time.
core::DateTime AddMilliseconds(const core::DateTime& when, int64_t milliseconds);

}  // namespace headless
