// One note as it is kept on disk: a fixed little-endian layout of geometry, font, colours
// and text, with CP932 strings preceded by their 16-bit byte counts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/font.h"

namespace pindorel {

// The most bytes a note's text may take on disk: its length field is 16 bits wide.
inline constexpr size_t kMaxTextBytes = 65535;
// A font name is cut to this many bytes when written.
inline constexpr size_t kMaxFontNameBytes = 65535;
// The longest a note file can be: the fixed fields and both lengths at their limit.
inline constexpr size_t kMaxRecordBytes = 47 + kMaxFontNameBytes + kMaxTextBytes;
// Geometry beyond this many twips (about 35 metres) is no window position or size.
inline constexpr float kMaxGeometry = 2000000.0f;
// What stands in for a value a note cannot have: the note window's own design.
inline constexpr double kDefaultFontSize = 9;
inline constexpr int32_t kWindowColour = int32_t(0x80000005u);      // system: window
inline constexpr int32_t kWindowTextColour = int32_t(0x80000008u);  // system: window text

struct NoteRecord {
    float left = 0;  // twips
    float top = 0;
    float width = 0;
    float height = 0;
    core::FontSpec font;
    int32_t backColor = 0;  // 0x00BBGGRR
    int32_t foreColor = 0;
    std::wstring text;  // line breaks as CR LF
};

// True for a font size a note can have: 0 < size <= 2048 points.
bool IsNoteFontSize(double size);
// True for a colour a note can have: 0x00BBGGRR or a system colour (0x80000000 + index).
bool IsNoteColour(int32_t colour);

// The record with every field DecodeNote would refuse replaced: geometry that is not a
// number becomes 0, beyond the limits the limit; a font size a note cannot have becomes
// kDefaultFontSize; a colour that is none the window's (background) or window text's.
NoteRecord StorableNote(NoteRecord record);
// The font size and colours as StorableNote makes them.
void MakeStorableLook(double& fontSize, int32_t& backColor, int32_t& foreColor);

// The file bytes of a record: CP932 strings, line breaks written as CR LF, the text cut
// to kMaxTextBytes (see LimitNoteText) so the length field always describes it, and the
// fields as StorableNote makes them: DecodeNote takes back whatever this writes.
std::string EncodeNote(const NoteRecord& record);

// Why a file cannot be taken as a note.
enum class NoteDamage {
    None,
    Truncated,    // shorter than the lengths it declares
    BadGeometry,  // not a number, infinite, negative size or far beyond any screen
    BadFontSize,  // not a number or outside 0 < size <= 2048
    BadColour,    // neither 0x00BBGGRR nor a system colour
};

struct DecodedNote {
    NoteRecord record;
    NoteDamage damage = NoteDamage::None;
};

// Reads a record; bytes after the text are ignored. Never reads past the end.
DecodedNote DecodeNote(std::string_view bytes);

// True when two encoded records would show the same note: equal in every byte but the
// font colour, which is carried but never applied.
bool SameNote(std::string_view a, std::string_view b);

// The text cut so that its CP932 bytes with CR LF line breaks fit kMaxTextBytes; a
// double-byte character or a CR LF pair is never split.
std::wstring LimitNoteText(std::wstring_view text);

// The text with every line break (CR LF, lone CR, lone LF) as CR LF.
std::wstring WithCrLf(std::wstring_view text);

// A system colour (0x80000000 + index) as an RGB colour; RGB colours come back unchanged.
int32_t ResolveColour(int32_t colour, int32_t windowColour, int32_t windowTextColour);

}  // namespace pindorel
