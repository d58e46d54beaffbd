#include "form_common.h"

namespace pindorel {

core::FontSpec SpecOf(const forms::Font& font) {
    return {font.name,
            font.size,
            font.bold ? -1 : 0,
            uint8_t(font.italic ? 255 : 0),
            uint8_t(font.underline ? 255 : 0),
            uint8_t(font.strikethrough ? 255 : 0),
            0};
}

forms::Font FontOf(const core::FontSpec& spec) {
    return {spec.name,        spec.size,           spec.bold != 0,
            spec.italic != 0, spec.underline != 0, spec.strikethrough != 0};
}

bool ChooseBoxColour(forms::Form& owner, forms::TextBox& box, bool background) {
    const int32_t chosen =
        forms::GetHost().ColorDialog(&owner, background ? box.BackColor() : box.ForeColor());
    if (chosen < 0) {
        return false;
    }
    if (background) {
        box.SetBackColor(forms::Color(chosen));
    } else {
        box.SetForeColor(forms::Color(chosen));
    }
    return true;
}

}  // namespace pindorel
