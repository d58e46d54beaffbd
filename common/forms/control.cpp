#include "forms/control.h"

#include "forms/app.h"
#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

Control::Control(Form& form, std::wstring name, ControlKind kind)
    : form_(form), name_(std::move(name)), kind_(kind) {
    zStamp_ = form_.NextZStamp(true);
    form_.Register(*this);
}

Control::~Control() {
    peer_.reset();
    form_.Unregister(*this);
}

void Control::SetContainer(Control* container) {
    container_ = container;
    Notify(Aspect::Geometry);
}

void Control::Move(double left, double top, double width, double height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    Notify(Aspect::Geometry);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    if (kind_ == ControlKind::Menu) {
        form_.MenusChanged();
    } else {
        Notify(Aspect::Visible);
    }
    if (visible) {
        RealizeShown();
    }
    if (!visible && HasFocus()) {
        form_.NoteFocus(nullptr);
    }
}

bool Control::ShownInForm() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->visible_) {
            return false;
        }
    }
    return true;
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    if (kind_ == ControlKind::Menu) {
        form_.MenusChanged();
    } else {
        Notify(Aspect::Enabled);
    }
    if (kind_ == ControlKind::Timer) {
        form_.GetApp().GetHost().TimerChanged(static_cast<Timer&>(*this));
    }
}

void Control::SetToolTip(std::wstring text) {
    toolTip_ = std::move(text);
    Notify(Aspect::ToolTip);
}

void Control::SetBackColor(Color color) {
    backColor_ = color;
    Notify(Aspect::Look);
}

void Control::SetForeColor(Color color) {
    foreColor_ = color;
    Notify(Aspect::Look);
}

void Control::SetFont(const forms::Font& font) {
    font_ = font;
    Notify(Aspect::Look);
}

void Control::ZOrder(int position) {
    zStamp_ = form_.NextZStamp(position == 0);
    Notify(Aspect::ZOrder);
}

void Control::SetFocus() {
    if (peer_) {
        peer_->Focus();
    } else {
        form_.NoteFocus(this);
    }
}

bool Control::HasFocus() const {
    return form_.ActiveControl() == this;
}

NativeHandle Control::Handle() const {
    return peer_ ? peer_->Handle() : 0;
}

void Control::Realize() {
    if (!form_.Loaded() || peer_ || WindowWaits()) {
        return;
    }
    if (container_ != nullptr) {
        container_->Realize();
    }
    AttachPeer(form_.GetApp().GetHost().CreateControlPeer(*this));
}

bool Control::WindowWaits() const {
    if (ShownInForm()) {
        return false;
    }
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (c->windowWhenShown_) {
            return true;
        }
    }
    return false;
}

bool Control::Inside(const Control& container) const {
    for (const Control* c = container_; c != nullptr; c = c->container_) {
        if (c == &container) {
            return true;
        }
    }
    return false;
}

// A control now shown makes the windows that waited for it: its own and, for a container,
// those of the controls inside it that are shown now too.
void Control::RealizeShown() {
    if (!form_.Loaded() || !ShownInForm()) {
        return;
    }
    Realize();
    if (kind_ != ControlKind::PictureBox && kind_ != ControlKind::Frame) {
        return;
    }
    for (Control* control : std::vector<Control*>(form_.Controls())) {
        if (!control->peer_ && control->Inside(*this)) {
            control->Realize();
        }
    }
}

void Control::AttachPeer(std::unique_ptr<Peer> peer) {
    peer_ = std::move(peer);
}

void Control::DetachPeer() {
    peer_.reset();
}

void Control::Notify(Aspect aspect) const {
    if (peer_) {
        peer_->Apply(aspect);
    }
}

void Control::Raise(const Handler& handler) {
    if (handler) {
        handler();
    }
}

void Control::CopyDesignFrom(const Control& other) {
    container_ = other.container_;
    left_ = other.left_;
    top_ = other.top_;
    width_ = other.width_;
    height_ = other.height_;
    enabled_ = other.enabled_;
    windowWhenShown_ = other.windowWhenShown_;
    tag_ = other.tag_;
    toolTip_ = other.toolTip_;
    backColor_ = other.backColor_;
    foreColor_ = other.foreColor_;
    font_ = other.font_;
}

double Control::FormLeft() const {
    return left_ + (container_ ? container_->FormLeft() : 0.0);
}

double Control::FormTop() const {
    return top_ + (container_ ? container_->FormTop() : 0.0);
}

}  // namespace forms
