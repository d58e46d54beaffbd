#include "agent/profile_reader.h"

#include <limits>

#include "core/profile.h"
#include "core/text.h"

namespace agent {

namespace {

// True when the bytes end in the first half of a double-byte character.
bool EndsInLoneLeadByte(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (core::IsCp932LeadByte(static_cast<unsigned char>(bytes[i]))) {
            if (i + 1 == bytes.size()) {
                return true;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

// Section and key names as the bytes the file holds; the agent's names are plain ASCII,
// which needs no conversion.
std::string NameBytes(std::wstring_view name) {
    std::string bytes;
    bytes.reserve(name.size());
    for (wchar_t c : name) {
        if (c >= 0x80) {
            return core::ToCp932(name);
        }
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

}  // namespace

ProfileReader::ProfileReader(std::string content) : content_(std::move(content)) {
    if (content_.starts_with(kUtf8Mark)) {
        content_ =
            core::ToCp932(core::FromUtf8(std::string_view(content_).substr(kUtf8Mark.size())));
    }
}

int32_t ProfileReader::GetInt32(std::wstring_view section, std::wstring_view key,
                                int32_t defaultValue) const {
    return core::profile::ReadInt(content_, NameBytes(section), NameBytes(key), defaultValue);
}

int16_t ProfileReader::GetInt16(std::wstring_view section, std::wstring_view key,
                                int16_t defaultValue) const {
    const int32_t value = GetInt32(section, key, defaultValue);
    if (value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        return defaultValue;
    }
    return static_cast<int16_t>(value);
}

std::wstring ProfileReader::GetText(std::wstring_view section, std::wstring_view key) const {
    const core::profile::StringRead read =
        core::profile::ReadString(content_, NameBytes(section), NameBytes(key), "");
    if (read.count == 0) {
        return {};
    }
    std::string bytes = read.bytes.substr(0, read.count);
    if (EndsInLoneLeadByte(bytes)) {
        bytes.back() = ' ';
    }
    return core::Trim(core::FromCp932(bytes));
}

}  // namespace agent
