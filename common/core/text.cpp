#include "core/text.h"

namespace core {

namespace {

// Texts this long are beyond what the expansion handles (positions were 16-bit).
constexpr std::size_t kMaxExpandedLength = 32766;
// Every round replaces one %NAME% pair; paths hold a handful. The bound ends values
// that refer to each other in a cycle.
constexpr int kMaxExpandRounds = 256;

// One round: the first %NAME% pair replaced by the variable's value. nullopt when the
// text holds no complete pair.
std::optional<std::wstring> ExpandFirstPair(const std::wstring& text, const EnvLookup& lookup) {
    const auto open = text.find(L'%');
    if (open == std::wstring::npos) {
        return std::nullopt;
    }
    const auto close = text.find(L'%', open + 1);
    if (close == std::wstring::npos) {
        return std::nullopt;
    }
    const auto name = std::wstring_view(text).substr(open + 1, close - open - 1);
    std::wstring out = text.substr(0, open);
    if (auto value = lookup(name)) {
        out += *value;
    }
    out += text.substr(close + 1);
    return out;
}

}  // namespace

std::wstring WithoutQuotes(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L'"') {
            out.push_back(c);
        }
    }
    return out;
}

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::wstring LeftAnsiBytes(std::wstring_view text, int32_t maxBytes) {
    if (maxBytes <= 0 || text.empty()) {
        return {};
    }
    const std::string bytes = ToCp932(text);
    const std::size_t limit = static_cast<std::size_t>(maxBytes);
    if (limit >= bytes.size()) {
        return FromCp932(bytes);
    }
    std::size_t i = 0;
    while (i < limit) {
        const bool lead = IsCp932LeadByte(static_cast<unsigned char>(bytes[i]));
        if (lead && i + 1 >= limit) {
            // The cut falls inside a double-byte character: keep its width as one space.
            return FromCp932(std::string_view(bytes).substr(0, i)) + L" ";
        }
        i += lead ? 2 : 1;
    }
    return FromCp932(std::string_view(bytes).substr(0, limit));
}

std::wstring CutAtNul(std::wstring_view text) {
    return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring ExpandEnvVars(std::wstring_view text, const EnvLookup& lookup) {
    std::wstring current = WithoutQuotes(text);
    for (int round = 0; round < kMaxExpandRounds; ++round) {
        auto next = ExpandFirstPair(current, lookup);
        if (!next) {
            return current;
        }
        // A value that refers to itself would grow or repeat for ever: stop there.
        if (next->size() > kMaxExpandedLength) {
            return current;
        }
        next = WithoutQuotes(*next);
        if (*next == current) {
            return current;
        }
        current = std::move(*next);
    }
    return current;
}

std::wstring AppFilePath(std::wstring_view programDir, std::wstring_view fileName) {
    std::wstring path(programDir);
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    path += fileName;
    return path;
}

std::wstring Trim(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(L' ');
    return std::wstring(text.substr(first, last - first + 1));
}

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                const uint32_t low = static_cast<uint32_t>(text[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        const int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= bytes.size()) {
            out.push_back(L'\xFFFD');
            ++i;
            continue;
        }
        uint32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            ok = ok && (t & 0xC0) == 0x80;
            c = (c << 6) | (t & 0x3F);
        }
        if (!ok) {
            out.push_back(L'\xFFFD');
            ++i;
            continue;
        }
        if (c >= 0x10000 && sizeof(wchar_t) == 2) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

}  // namespace core
