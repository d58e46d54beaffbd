// Feeds arbitrary bytes to the INI engine as a settings file, with a section, a key, a
// value and a buffer size taken from the first bytes. Checks that reads stay within the
// buffer, and that a written value reads back as written whenever the names and the value
// are ones a settings file can hold unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/profile.h"
#include "core/text.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// True when the text ends in a CP932 lead byte without its trail byte, which would take
// the closing ']' of a header as its trail byte.
bool EndsInLeadByte(std::string_view text) {
    const auto lead = [](char c) { return core::IsCp932LeadByte(static_cast<unsigned char>(c)); };
    const auto trail = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
    };
    size_t i = 0;
    while (i + 1 < text.size()) {
        i += lead(text[i]) && trail(text[i + 1]) ? 2 : 1;
    }
    return i + 1 == text.size() && lead(text[i]);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A section name that a header line "[name]" gives back.
bool PlainSection(std::string_view name) {
    return !HasLineBreakOrNul(name) && !EndsInLeadByte(Trimmed(name));
}

// A key name that a line "key=value" gives back, and that cannot read as a header.
bool PlainKey(std::string_view name) {
    name = Trimmed(name);
    return !HasLineBreakOrNul(name) && name.find('=') == std::string_view::npos &&
           !name.starts_with('[');
}

// A value that reads back as written: no blanks around it, no pair of quotes around it.
bool PlainValue(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !HasLineBreakOrNul(value) && Trimmed(value) == value && !quoted;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const uint32_t bufferSize = static_cast<uint8_t>(input[0]) * 3u;
    const size_t sectionLength = static_cast<uint8_t>(input[1]) % 12;
    const size_t keyLength = static_cast<uint8_t>(input[2]) % 12;
    const size_t valueLength = static_cast<uint8_t>(input[3]) % 64;
    input.remove_prefix(4);
    const auto take = [&input](size_t length) {
        const std::string_view part = input.substr(0, length);
        input.remove_prefix(part.size());
        return part;
    };
    const std::string_view section = take(sectionLength);
    const std::string_view key = take(keyLength);
    const std::string_view value = take(valueLength);
    const std::string_view content = input;

    const auto read = core::profile::ReadString(content, section, key, value, bufferSize);
    Check(read.count == read.bytes.size());
    Check(bufferSize == 0 ? read.count == 0 : read.count < bufferSize);
    Check(core::profile::ReadString(content, section, key, value).count <= 255);
    core::profile::ReadInt(content, section, key, 0);

    const std::string written = core::profile::WriteString(content, section, key, value);
    if (PlainSection(section) && PlainKey(key) && PlainValue(value)) {
        const auto back = core::profile::ReadString(written, section, key, "\x01", 1u << 20);
        Check(back.bytes == value);
        Check(core::profile::WriteString(written, section, key, value) == written);
    }
    return 0;
}
