// Reading the key of a KeyPress handler as the character it is. The key is the character's
// UTF-16 unit in a signed 16-bit value, so a character from U+8000 up (full-width forms,
// half-width katakana, most kanji, private use) is negative when compared as a number.
#pragma once

#include <cstdint>
#include <string_view>

namespace forms {

// The character a KeyPress key stands for.
constexpr wchar_t KeyChar(int16_t key) {
    return wchar_t(uint16_t(key));
}

// The key of a character, for a handler that changes the key.
constexpr int16_t CharKey(wchar_t c) {
    return int16_t(uint16_t(c));
}

// Backspace and the Ctrl+letter keys (Ctrl+A ... Ctrl+Z), which every box lets through.
constexpr bool IsControlKey(int16_t key) {
    return KeyChar(key) >= 1 && KeyChar(key) <= 26;
}

// A full-width digit "０"–"９" or full stop "．" as its half-width form; any other
// character as it is.
constexpr wchar_t NarrowDigit(wchar_t c) {
    if (c >= L'０' && c <= L'９') {
        return wchar_t(L'0' + (c - L'０'));
    }
    return c == L'．' ? L'.' : c;
}

// The filter of a box that takes digits (and the characters of `also`, such as "."):
// full-width digits become half-width ones, control keys pass, every other key is refused.
void DigitsOnly(int16_t& key, std::wstring_view also = {});

}  // namespace forms
