#include "forms/window_frame.h"

#include "forms/app.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/picture_box.h"

namespace forms {

namespace {
core::FrameExtra lastExtra;
}

core::MenuState FormMenuState(const Form& form) {
    core::MenuState state = core::MenuState::None;
    for (const Control* control : form.Controls()) {
        if (control->Kind() == ControlKind::Menu) {
            state = core::MenuState::Present;
            if (control->Visible()) {
                return core::MenuState::Visible;
            }
        }
    }
    return state;
}

core::FrameExtra MeasureWindowFrame(const Form& form) {
    const ScreenInfo& screen = form.GetApp().Screen();
    lastExtra =
        core::FormFrameExtra(form.BorderStyle(), FormMenuState(form), screen.metrics, screen.tpp);
    return lastExtra;
}

core::FrameExtra MeasureWindowFrame(const PictureBox& picture) {
    lastExtra =
        core::PictureFrameExtra(picture.BorderStyle(), picture.Appearance(), picture.DrawWidth(),
                                picture.Parent().GetApp().Screen().tpp);
    return lastExtra;
}

int32_t FrameExtraWidth() {
    return lastExtra.width;
}
int32_t FrameExtraHeight() {
    return lastExtra.height;
}

void SetControlsEnabled(Form& form, bool enabled, std::wstring_view keep1, std::wstring_view keep2,
                        std::wstring_view keep3) {
    for (Control* control : std::vector<Control*>(form.Controls())) {
        const std::wstring& name = control->Name();
        if (name == keep1 || name == keep2 || name == keep3) {
            continue;
        }
        if (control->Kind() == ControlKind::Menu && static_cast<Menu*>(control)->IsSeparator()) {
            continue;
        }
        control->SetEnabled(enabled);
    }
}

}  // namespace forms
