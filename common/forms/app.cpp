#include "forms/app.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

#include "forms/form.h"

namespace forms {

namespace {
App* current = nullptr;
}

App::App(Host& host)
    : host_(host), previous_(current), program_(host.Program()), screen_(host.Screen()) {
    if (program_.title.empty()) {
        program_.title = program_.exeName;
    }
    current = this;
}

App::~App() {
    current = previous_;
}

App& App::Current() {
    assert(current != nullptr && "a forms::App must exist before forms are created");
    return *current;
}

App* App::CurrentOrNull() {
    return current;
}

double App::ScreenWidth() const {
    return screen_.widthPixels * screen_.tpp.x;
}
double App::ScreenHeight() const {
    return screen_.heightPixels * screen_.tpp.y;
}

void App::NoteLoaded(Form& form) {
    loadedForms_.push_back(&form);
}

void App::NoteUnloaded(Form& form) {
    std::erase(loadedForms_, &form);
    if (activeForm_ == &form) {
        activeForm_ = nullptr;
    }
}

void App::SetActiveForm(Form* form) {
    if (activeForm_ == form) {
        return;
    }
    Form* previous = activeForm_;
    activeForm_ = form;
    if (previous != nullptr) {
        Control::Raise(previous->OnDeactivate);
    }
    if (form != nullptr) {
        Control::Raise(form->OnActivate);
    }
}

Form* App::DialogOwner() const {
    if (activeForm_ != nullptr) {
        return activeForm_;
    }
    const auto visible = std::find_if(loadedForms_.rbegin(), loadedForms_.rend(),
                                      [](const Form* form) { return form->Visible(); });
    return visible != loadedForms_.rend() ? *visible : nullptr;
}

void App::AddTimer(Timer& timer) {
    timers_.push_back(&timer);
}

void App::RemoveTimer(Timer& timer) {
    std::erase(timers_, &timer);
}

void App::NoteModalEnd() {
    assert(modalDepth_ > 0);
    --modalDepth_;
}

bool App::ClaimInstance(int waitMilliseconds, ClaimScope scope) {
    return host_.ClaimInstance(std::max(0, waitMilliseconds), scope);
}

void App::ReleaseInstance() {
    host_.ReleaseInstance();
}

void App::NoteSessionEnd() {
    if (sessionEnded_) {
        return;
    }
    sessionEnded_ = true;
    if (OnSessionEnd) {
        OnSessionEnd();
    }
}

void App::End() {
    host_.EndProgram();
    std::abort();  // a host's EndProgram does not return
}

int MsgBox(std::wstring_view text, uint32_t style, std::wstring_view caption) {
    App& app = App::Current();
    return app.GetHost().ShowMessageBox(app.DialogOwner(), text,
                                        caption.empty() ? app.Title() : caption, style);
}

int MsgBox(Form& owner, std::wstring_view text, uint32_t style, std::wstring_view caption) {
    App& app = owner.GetApp();
    return app.GetHost().ShowMessageBox(&owner, text, caption.empty() ? app.Title() : caption,
                                        style);
}

void DoEvents() {
    App::Current().GetHost().DoEvents();
}

core::DateTime Now() {
    return App::Current().GetHost().Now();
}

Host& GetHost() {
    return App::Current().GetHost();
}

}  // namespace forms
