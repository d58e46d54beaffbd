// The running program: its Host, its loaded forms, and the program-wide services.
#pragma once

#include <cstdint>
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
    const std::vector<Timer*>& Timers() const { return timers_; }
    void AddTimer(Timer& timer);
    void RemoveTimer(Timer& timer);

    // Ends the program at once.
    [[noreturn]] void End();

  private:
    Host& host_;
    App* previous_;
    ProgramInfo program_;
    ScreenInfo screen_;
    std::vector<Form*> loadedForms_;
    Form* activeForm_ = nullptr;
    std::vector<Timer*> timers_;
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
