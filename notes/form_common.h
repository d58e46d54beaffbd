// What the note window and the options dialog share: the font as the store keeps it, the
// colour dialog for a text box, and the Esc key.
#pragma once

#include <cstdint>

#include "core/profile.h"
#include "forms/forms.h"

namespace pindorel {

constexpr int16_t kEscape = 27;

core::FontSpec SpecOf(const forms::Font& font);
forms::Font FontOf(const core::FontSpec& spec);

// The colour dialog for a text box's background or text colour; true when one was chosen.
bool ChooseBoxColour(forms::Form& owner, forms::TextBox& box, bool background);

}  // namespace pindorel
