#include "forms/keys.h"

namespace forms {

void DigitsOnly(int16_t& key, std::wstring_view also) {
    const wchar_t c = NarrowDigit(KeyChar(key));
    if ((c >= L'0' && c <= L'9') || also.find(c) != std::wstring_view::npos) {
        key = CharKey(c);
    } else if (!IsControlKey(key)) {
        key = 0;
    }
}

}  // namespace forms
