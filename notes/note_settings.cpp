#include "note_settings.h"

#include <charconv>

#include "core/runtime.h"
#include "core/text.h"
#include "note_record.h"

namespace pindorel {

namespace {

constexpr std::wstring_view kSection = L"MainForm";
constexpr uint32_t kFontNameBuffer = 256;

// Italic, underline and strikethrough are bytes; any non-zero value reads as on.
uint8_t FlagByte(int32_t value) {
    return value != 0 ? 255 : 0;
}

void WriteInt(core::ProfileFile& file, std::wstring_view key, int32_t value) {
    file.WriteString(kSection, key, std::to_wstring(value));
}

}  // namespace

std::wstring FontSizeText(double size) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    return core::FromUtf8(std::string_view(buffer, size_t(result.ptr - buffer)));
}

NoteSettings ReadSettings(const core::ProfileFile& file) {
    NoteSettings s;
    s.deleteToRecycleBin = file.GetInt(kSection, L"Delete", 0);
    s.saveOnEditEnd = file.GetInt(kSection, L"Save", 0);
    s.defaults.font.name =
        core::Trim(file.GetString(kSection, L"FontName", L"", kFontNameBuffer).text);
    s.defaults.font.size = core::Val(file.GetString(kSection, L"FontSize", L"0").text);
    s.defaults.font.bold = file.GetInt(kSection, L"FontBold", 0);
    s.defaults.font.italic = FlagByte(file.GetInt(kSection, L"FontItalic", 0));
    s.defaults.font.underline = FlagByte(file.GetInt(kSection, L"FontUnderline", 0));
    s.defaults.font.strikethrough = FlagByte(file.GetInt(kSection, L"FontStrikethrough", 0));
    s.defaults.backColor = file.GetInt(kSection, L"BackColor", 0);
    s.defaults.foreColor = file.GetInt(kSection, L"ForeColor", 0);
    // New notes take the defaults only with a font name; a hand-edited value no note can
    // have (FontName without FontSize, a size beyond the largest, a number that is no
    // colour) is read as the note window's own.
    if (!core::Trim(s.defaults.font.name).empty()) {
        MakeStorableLook(s.defaults.font.size, s.defaults.backColor, s.defaults.foreColor);
    }
    return s;
}

void WriteSettings(core::ProfileFile& file, const NoteSettings& asRead, const NoteSettings& now) {
    if (now.deleteToRecycleBin != asRead.deleteToRecycleBin) {
        WriteInt(file, L"Delete", now.deleteToRecycleBin);
    }
    if (now.saveOnEditEnd != asRead.saveOnEditEnd) {
        WriteInt(file, L"Save", now.saveOnEditEnd);
    }
    const core::FontSpec& font = now.defaults.font;
    const core::FontSpec& old = asRead.defaults.font;
    if (font.name != old.name || font.size != old.size || font.bold != old.bold ||
        font.italic != old.italic || font.underline != old.underline ||
        font.strikethrough != old.strikethrough) {
        file.WriteString(kSection, L"FontName", font.name);
        file.WriteString(kSection, L"FontSize", FontSizeText(font.size));
        WriteInt(file, L"FontBold", font.bold);
        WriteInt(file, L"FontItalic", font.italic);
        WriteInt(file, L"FontUnderline", font.underline);
        WriteInt(file, L"FontStrikethrough", font.strikethrough);
    }
    if (now.defaults.backColor != asRead.defaults.backColor) {
        WriteInt(file, L"BackColor", now.defaults.backColor);
    }
    if (now.defaults.foreColor != asRead.defaults.foreColor) {
        WriteInt(file, L"ForeColor", now.defaults.foreColor);
    }
}

}  // namespace pindorel
