// Pindorel.ini: the two options and the look of new notes, section "MainForm". Values are
// read once at start; at exit only what differs from what was read is written back.
#pragma once

#include <cstdint>
#include <string>

#include "core/font.h"
#include "core/profile.h"

namespace pindorel {

// The look new notes get (applied only when the font name, trimmed, is not empty).
struct NoteDefaults {
    core::FontSpec font;
    int32_t backColor = 0;
    int32_t foreColor = 0;
    friend bool operator==(const NoteDefaults&, const NoteDefaults&) = default;
};

struct NoteSettings {
    int32_t deleteToRecycleBin = 0;  // only 1 counts as on
    int32_t saveOnEditEnd = 0;       // only 1 counts as on
    NoteDefaults defaults;
    friend bool operator==(const NoteSettings&, const NoteSettings&) = default;
};

NoteSettings ReadSettings(const core::ProfileFile& file);

// Writes the values of now that differ from asRead: "Delete" and "Save" each on its own,
// the six font keys together when any of them changed, the colours each on its own.
void WriteSettings(core::ProfileFile& file, const NoteSettings& asRead, const NoteSettings& now);

// A font size as the settings file holds it: shortest decimal form, full stop as separator.
std::wstring FontSizeText(double size);

}  // namespace pindorel
