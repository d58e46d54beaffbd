// Frame measuring and bulk enabling of a form's controls.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/geometry.h"

namespace forms {

class Form;
class PictureBox;

// How much larger a form's outer size is than its client area, or a picture box's outer
// size than its inner area, in twips. Also kept in FrameExtraWidth()/FrameExtraHeight().
core::FrameExtra MeasureWindowFrame(const Form& form);
core::FrameExtra MeasureWindowFrame(const PictureBox& picture);

// The results of the last MeasureWindowFrame (0 before the first).
int32_t FrameExtraWidth();
int32_t FrameExtraHeight();

// The form's menus: none, present (all hidden), or at least one item visible.
core::MenuState FormMenuState(const Form& form);

// Enables or disables every control of the form except the three named ones; menu
// separators are left alone.
void SetControlsEnabled(Form& form, bool enabled, std::wstring_view keep1, std::wstring_view keep2,
                        std::wstring_view keep3);

}  // namespace forms
