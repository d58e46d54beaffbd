// The system font dialog for a FontSpec.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/font.h"

namespace win32 {

// Shows the font dialog (screen fonts, effects, 8 to 24 points) starting from font, its
// sizes converted at the screen's resolution. 0 when the user confirmed it, font then
// holding the choice (its size unchanged when the height was); -1 when cancelled, font
// unchanged.
int16_t ChooseNoteFont(HWND owner, core::FontSpec& font);

// The dialog's starting font: face cut to the face-name field, character height
// font.size points at dpi pixels per inch (a negative lfHeight; 96 dpi: font.size / 0.75),
// weight bold or normal, italic, underline and strike-out from font.
LOGFONTW FontSpecToLogFont(const core::FontSpec& font, int dpi);

// The FontSpec the user confirmed in the dialog: its font and colour, the character height
// read as points at dpi pixels per inch.
core::FontSpec FontSpecFromChoice(const LOGFONTW& logFont, COLORREF colour, int dpi);

}  // namespace win32
