// A font description as the programs keep it and the font dialog fills it.
#pragma once

#include <cstdint>
#include <string>

namespace core {

struct FontSpec {
    std::wstring name;          // face name
    double size = 0.0;          // points
    int32_t bold = 0;           // 0 normal, -1 bold; any non-zero value counts as bold
    uint8_t italic = 0;         // 0 off, 255 on; any non-zero value counts as on
    uint8_t underline = 0;      // as italic
    uint8_t strikethrough = 0;  // as italic
    int32_t colour = 0;         // text colour chosen in the font dialog (0x00BBGGRR); never applied

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

}  // namespace core
