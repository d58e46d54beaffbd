#include "forms/form.h"

#include <algorithm>
#include <cmath>

#include "forms/app.h"
#include "forms/controls.h"
#include "forms/window_frame.h"

namespace forms {

Form::Form(std::wstring name)
    : Drawing(App::Current()), app_(App::Current()), name_(std::move(name)) {}

Form::~Form() {
    if (loaded_) {
        Release();
    }
}

// ---- Life cycle

void Form::Load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    shownSinceLoad_ = false;
    app_.NoteLoaded(*this);
    peer_ = app_.GetHost().CreateFormPeer(*this);
    for (Control* control : std::vector<Control*>(controls_)) {
        control->Realize();
        if (control->Kind() == ControlKind::Timer) {
            app_.GetHost().TimerChanged(static_cast<Timer&>(*control));
        }
    }
    Control::Raise(OnLoad);
}

void Form::Show(bool modal, Form* owner) {
    Load();
    if (!loaded_) {
        return;  // the load handler unloaded the form again
    }
    if (modal) {
        // Known before the window shows, so that the backend gives it its owner.
        modal_ = true;
        opener_ = owner != nullptr ? owner : app_.DialogOwner();
        if (opener_ == this) {
            opener_ = nullptr;
        }
    }
    if (!visible_) {
        visible_ = true;
        if (peer_) {
            peer_->Apply(Aspect::Visible);
        }
        if (!shownSinceLoad_) {
            shownSinceLoad_ = true;
            Control::Raise(OnResize);
        }
    }
    if (showingInactive_) {
        return;
    }
    if (peer_) {
        peer_->Activate();
    } else {
        NoteActivated();
    }
    if (modal) {
        RunModal();
    }
}

void Form::RunModal() {
    if (loaded_ && visible_) {
        ModalScope open(app_);
        app_.GetHost().RunModal(*this);
    }
    Form* opener = opener_;
    modal_ = false;
    opener_ = nullptr;
    // Activation goes back to the opener unless another form of the program has it.
    const std::vector<Form*>& loaded = app_.LoadedForms();
    if (opener != nullptr && app_.ActiveForm() == nullptr &&
        std::find(loaded.begin(), loaded.end(), opener) != loaded.end() && opener->Visible()) {
        opener->Activate();
    }
}

void Form::Hide() {
    if (!visible_) {
        return;
    }
    visible_ = false;
    if (peer_) {
        peer_->Apply(Aspect::Visible);
    }
    NoteDeactivated();
}

void Form::ShowInactive() {
    showingInactive_ = true;
    Show();
    showingInactive_ = false;
}

bool Form::HasTitleBar() const {
    return borderStyle_ != 2 || controlBox_ || !caption_.empty();
}

bool Form::Unload() {
    if (!loaded_) {
        return true;
    }
    int16_t cancel = 0;
    if (OnUnload) {
        OnUnload(cancel);
    }
    if (cancel != 0 || !loaded_) {
        return !loaded_;
    }
    Release();
    return true;
}

void Form::Release() {
    loaded_ = false;
    visible_ = false;
    activeControl_ = nullptr;
    // Children before their containers: a container's window takes its children's along.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* control = *it;
        control->DetachPeer();
        if (control->Kind() == ControlKind::Timer) {
            app_.GetHost().TimerChanged(static_cast<Timer&>(*control));
        }
    }
    peer_.reset();
    app_.NoteUnloaded(*this);
}

// ---- Properties

void Form::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    if (peer_) {
        peer_->Apply(Aspect::Text);
    }
}

void Form::Move(double left, double top, double width, double height) {
    const bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = std::max(0.0, width);
    height_ = std::max(0.0, height);
    if (peer_) {
        peer_->Apply(Aspect::Geometry);
    }
    SyncSurfaceSize();
    if (sized && loaded_) {
        Control::Raise(OnResize);
    }
}

void Form::SetBorderStyle(int style) {
    borderStyle_ = style;
    if (peer_) {
        peer_->Apply(Aspect::Look);
    }
    SyncSurfaceSize();
}

void Form::SetWindowState(forms::WindowState state) {
    if (windowState_ == state) {
        return;
    }
    windowState_ = state;
    if (peer_) {
        peer_->Apply(Aspect::Geometry);
    }
    if (loaded_) {
        Control::Raise(OnResize);
    }
}

core::FrameExtra Form::FrameExtra() const {
    // The window has a menu bar when a top-level item is visible (items under hidden ones
    // show only in pop-ups), and a borderless window with any menus keeps its caption.
    core::MenuState bar = FormMenuState(*this) == core::MenuState::None ? core::MenuState::None
                                                                        : core::MenuState::Present;
    for (const Menu* menu : TopMenus()) {
        if (menu->Visible()) {
            bar = core::MenuState::Visible;
        }
    }
    const ScreenInfo& screen = app_.Screen();
    return core::FormFrameExtra(borderStyle_, bar, screen.metrics, screen.tpp);
}

int Form::PixelWidth() const {
    return int(std::lround(std::max(0.0, width_ - FrameExtra().width) / app_.TwipsPerPixelX()));
}

int Form::PixelHeight() const {
    return int(std::lround(std::max(0.0, height_ - FrameExtra().height) / app_.TwipsPerPixelY()));
}

void Form::DrawingChanged() {
    if (peer_) {
        peer_->Apply(Aspect::Picture);
    }
}

void Form::SetBackColor(Color color) {
    backColor_ = color;
    if (peer_) {
        peer_->Apply(Aspect::Look);
    }
}

void Form::SetIcon(NativeHandle icon) {
    icon_ = icon;
    if (peer_) {
        peer_->Apply(Aspect::Icon);
    }
}

// ---- Window operations

void Form::SetTopmost(bool topmost) {
    topmost_ = topmost;
    if (peer_) {
        peer_->SetTopmost(topmost);
    }
}

void Form::SetRegion(const Region* region) {
    if (region != nullptr) {
        region_ = *region;
    } else {
        region_.reset();
    }
    if (peer_) {
        peer_->SetRegion(region);
    }
}

void Form::Activate() {
    if (peer_) {
        peer_->Activate();
    } else if (visible_) {
        NoteActivated();
    }
}

void Form::BeginDrag() {
    if (peer_) {
        peer_->BeginDrag();
    }
}

void Form::PopupMenu(Menu& menu) {
    app_.GetHost().PopupMenu(*this, menu);
}

NativeHandle Form::Handle() const {
    return peer_ ? peer_->Handle() : 0;
}

// ---- Controls

Control* Form::Find(std::wstring_view name, int index) const {
    for (Control* control : controls_) {
        if (control->Name() == name && control->Index() == index) {
            return control;
        }
    }
    return nullptr;
}

std::vector<Menu*> Form::TopMenus() const {
    std::vector<Menu*> menus;
    for (Control* control : controls_) {
        if (control->Kind() == ControlKind::Menu) {
            auto* menu = static_cast<Menu*>(control);
            if (menu->ParentMenu() == nullptr) {
                menus.push_back(menu);
            }
        }
    }
    return menus;
}

void Form::Register(Control& control) {
    controls_.push_back(&control);
}

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
    if (activeControl_ == &control) {
        activeControl_ = nullptr;
    }
    if (control.Kind() == ControlKind::Menu) {
        MenusChanged();
    }
}

void Form::MenusChanged() {
    if (peer_) {
        peer_->Apply(Aspect::Menus);
    }
    SyncSurfaceSize();  // a menu bar appearing or going changes the client area
}

int64_t Form::NextZStamp(bool front) {
    return front ? ++frontStamp_ : --backStamp_;
}

// ---- What the user did

int16_t Form::FilterKeyPress(Control* target, int16_t key) {
    if (keyPreview_ && KeyPress) {
        KeyPress(key);
    }
    if (key != 0 && target != nullptr && target->KeyPress) {
        target->KeyPress(key);
    }
    return key;
}

int16_t Form::FilterKeyDown(Control* target, int16_t keyCode, int shift) {
    if (keyPreview_ && KeyDown) {
        KeyDown(keyCode, shift);
    }
    if (keyCode != 0 && target != nullptr && target->KeyDown) {
        target->KeyDown(keyCode, shift);
    }
    return keyCode;
}

void Form::NoteFocus(Control* control) {
    if (activeControl_ == control) {
        return;
    }
    Control* previous = activeControl_;
    activeControl_ = control;
    if (previous != nullptr) {
        Control::Raise(previous->LostFocus);
    }
    if (control != nullptr) {
        Control::Raise(control->GotFocus);
    }
}

void Form::NoteActivated() {
    app_.SetActiveForm(this);
}

void Form::NoteDeactivated() {
    if (app_.ActiveForm() == this) {
        app_.SetActiveForm(nullptr);
    }
}

void Form::NoteMoved(double left, double top, double width, double height) {
    const bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    SyncSurfaceSize();
    if (sized && loaded_) {
        Control::Raise(OnResize);
    }
}

void Form::NoteWindowState(forms::WindowState state) {
    if (windowState_ == state) {
        return;
    }
    windowState_ = state;
    Control::Raise(OnResize);
}

bool Form::NoteCloseRequest() {
    return Unload();
}

void Form::NoteMenuChosen(Menu& menu) {
    if (menu.Enabled() && !menu.IsSeparator()) {
        Control::Raise(menu.Click);
    }
}

}  // namespace forms
