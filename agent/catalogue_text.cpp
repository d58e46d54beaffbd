#include "agent/catalogue_text.h"

#include "core/runtime.h"

namespace agent {

int16_t PictureNumber(std::wstring_view key) {
    for (std::size_t i = 0; i < kPictureKeys.size(); ++i) {
        if (kPictureKeys[i] == key) {
            return static_cast<int16_t>(i + 1);
        }
    }
    return 0;
}

PictureSuffix TakePictureSuffix(std::wstring_view value) {
    PictureSuffix result;
    const auto comma = value.rfind(L',');
    const auto quote = value.rfind(L'"');
    if (comma == std::wstring_view::npos || (quote != std::wstring_view::npos && comma < quote)) {
        result.value = std::wstring(value);
        return result;
    }
    if (const int16_t picture = PictureNumber(value.substr(comma + 1)); picture != 0) {
        result.picture = picture;
    }
    result.value = std::wstring(value.substr(0, comma));
    return result;
}

std::wstring ReplaceBreakMarkers(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto marker = text.substr(i, 4);
        if (marker == L"<BR>" || marker == L"<br>") {
            out += L"\r\n";
            i += 4;
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

std::wstring LineBreaks(int count) {
    std::wstring out;
    for (int i = 0; i < count; ++i) {
        out += L"\r\n";
    }
    return out;
}

std::optional<int16_t> ReadInt16(std::wstring_view text) {
    return core::RoundToInt16(core::Val(text));
}

}  // namespace agent
