// The small text rules of the message catalogue's values: quotes, picture suffixes,
// line-break markers and 16-bit numbers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace agent {

inline constexpr int kPictureCount = 9;

// The picture key names; picture number n is at index n - 1.
inline constexpr std::array<std::wstring_view, kPictureCount> kPictureKeys = {
    L"Picture_Normal",      L"Picture_Info_Good", L"Picture_Info_Normal",
    L"Picture_Info_Bad",    L"Picture_Critical",  L"Picture_Question",
    L"Picture_Exclamation", L"Picture_Wait",      L"Picture_Negative"};

// 1..9 for a picture key name (exact comparison), 0 for any other text.
int16_t PictureNumber(std::wstring_view key);

struct PictureSuffix {
    int16_t picture = 1;
    std::wstring value;
};

// Takes a trailing ",Picture_..." off a value. The last comma counts only when it stands
// after the last double quote (or there is no quote); the value is then cut before it,
// whether or not the text after it names a picture.
PictureSuffix TakePictureSuffix(std::wstring_view value);

// Every "<BR>" and "<br>" replaced by CR LF; other spellings stay as written.
std::wstring ReplaceBreakMarkers(std::wstring_view text);

// count times CR LF; empty for count <= 0.
std::wstring LineBreaks(int count);

// The leading decimal number of text rounded to an integer; nullopt when it does not fit
// in 16 bits.
std::optional<int16_t> ReadInt16(std::wstring_view text);

}  // namespace agent
