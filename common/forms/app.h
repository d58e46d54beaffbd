// The running program: its Host, its loaded forms, and the program-wide services.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/host.h"

namespace forms {

class Form;
class Timer;

// One App exists while a program (or a test) runs; forms and the free functions below
// use the current one.
class App {
  public:
    explicit App(Host& host);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App& Current();
    // The current App, or nullptr when none exists (for backends hearing system messages).
    static App* CurrentOrNull();
    Host& GetHost() const { return host_; }

    // ---- Program
    const ProgramInfo& Program() const { return program_; }
    const std::wstring& Path() const { return program_.directory; }
    const std::wstring& ExeName() const { return program_.exeName; }
    const std::wstring& Title() const { return program_.title; }
    void SetTitle(std::wstring title) { program_.title = std::move(title); }

    // ---- Screen (twips, and twips per pixel)
    const ScreenInfo& Screen() const { return screen_; }
    double ScreenWidth() const;
    double ScreenHeight() const;
    double TwipsPerPixelX() const { return screen_.tpp.x; }
    double TwipsPerPixelY() const { return screen_.tpp.y; }

    // ---- Forms and timers
    const std::vector<Form*>& LoadedForms() const { return loadedForms_; }
    void NoteLoaded(Form& form);
    void NoteUnloaded(Form& form);
    // The active form (nullptr when none); activating raises Deactivate on the previous
    // form, then Activate on the new one.
    Form* ActiveForm() const { return activeForm_; }
    void SetActiveForm(Form* form);
    // The form a dialog opened now belongs to: the active form, else the visible form of the
    // program loaded last (a command can arrive while another program has the activation);
    // nullptr when no form is visible.
    Form* DialogOwner() const;
    const std::vector<Timer*>& Timers() const { return timers_; }
    void AddTimer(Timer& timer);
    void RemoveTimer(Timer& timer);

    // Ends the program at once.
    [[noreturn]] void End();

    // ---- Modal state
    // True while a message box, common dialog (open, save, colour, font), modal form,
    // shell delete or pop-up menu of this program is open. The backends count every such
    // call through ModalScope; a modal show of a form counts in Form::Show.
    bool ModalOpen() const { return modalDepth_ > 0; }
    void NoteModalBegin() { ++modalDepth_; }
    void NoteModalEnd();

    // ---- One running copy per program file or per folder
    // Claims the running program file, or with ClaimScope::Folder the folder it is in (for
    // a program whose files beside it are shared by every copy there, whatever its file is
    // called). Either is known by its final path, letters compared without regard to case,
    // so that every way of reaching it (a mapped drive, a network path, a link) claims the
    // same. False when another running copy holds the claim and does not give it up within
    // waitMilliseconds. Claiming again while holding it succeeds at once. The claim ends
    // with ReleaseInstance or with the process.
    bool ClaimInstance(int waitMilliseconds = 0, ClaimScope scope = ClaimScope::ProgramFile);
    void ReleaseInstance();

    // ---- End of the session
    // Called once when the user logs off or the system shuts down. The system then ends
    // the process without unloading any form, so the program saves its data (and removes
    // its notification icon) here.
    std::function<void()> OnSessionEnd;
    // For backends: the session ends. Raises OnSessionEnd the first time only.
    void NoteSessionEnd();

  private:
    Host& host_;
    App* previous_;
    ProgramInfo program_;
    ScreenInfo screen_;
    std::vector<Form*> loadedForms_;
    Form* activeForm_ = nullptr;
    std::vector<Timer*> timers_;
    int modalDepth_ = 0;
    bool sessionEnded_ = false;
};

// Counts a modal call (message box, dialog, pop-up menu, ...) for App::ModalOpen while it
// lives.
class ModalScope {
  public:
    explicit ModalScope(App& app = App::Current()) : app_(app) { app_.NoteModalBegin(); }
    ~ModalScope() { app_.NoteModalEnd(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    App& app_;
};

// A message box with the program's title as caption unless one is given; returns the
// answer (kIdOk, kIdYes, kIdNo).
int MsgBox(std::wstring_view text, uint32_t style = kMbOk, std::wstring_view caption = {});
// The same, owned by a form.
int MsgBox(Form& owner, std::wstring_view text, uint32_t style = kMbOk,
           std::wstring_view caption = {});

// Handles every pending event and returns.
void DoEvents();

// The current date and time (the test clock under the headless backend).
core::DateTime Now();

Host& GetHost();

}  // namespace forms
