// Reads the keys of one settings file held in memory, with the private-profile semantics:
// the file is read once and every key is looked up in its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace agent {

// The UTF-8 byte-order mark an editor may put at the start of a file it saves as UTF-8.
// The system's profile functions read such a settings file as UTF-8 text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

class ProfileReader {
  public:
    // The file's bytes: CP932, or UTF-8 after the byte-order mark.
    explicit ProfileReader(std::string content);

    // The integer value; the default when the key is missing, does not start with a number
    // or holds a number outside the 16-bit range (the agent keeps 16-bit values only).
    int16_t GetInt16(std::wstring_view section, std::wstring_view key, int16_t defaultValue) const;

    // The same with the full 32-bit range.
    int32_t GetInt32(std::wstring_view section, std::wstring_view key, int32_t defaultValue) const;

    // The text read into a 256-byte buffer, cut to the byte count returned (a double-byte
    // character split at the end shows as one space) and trimmed of spaces.
    std::wstring GetText(std::wstring_view section, std::wstring_view key) const;

  private:
    std::string content_;
};

}  // namespace agent
