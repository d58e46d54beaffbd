// Settings files with the semantics of the Windows private-profile functions
// (GetPrivateProfileIntA, GetPrivateProfileStringA, WritePrivateProfileStringA),
// working on the file's own CP932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

namespace profile {

// What GetPrivateProfileStringA leaves in a buffer of bufferSize bytes: the value (at
// most bufferSize - 1 bytes) and the byte count the function returns.
struct StringRead {
    std::string bytes;
    uint32_t count = 0;
};

// Section and key match trimmed of blanks and without regard to ASCII case (double-byte
// characters match exactly); all arguments are CP932 bytes. The value is trimmed of blanks
// and loses one pair of enclosing quotes (" or '). A missing key, or a line holding the
// name alone, gives the default without its trailing spaces and enclosing quotes.
StringRead ReadString(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view defaultValue, uint32_t bufferSize = 256);

// The value's leading number: blanks, a sign, an optional "0x", "0o" or "0b" prefix, digits;
// wrapping around modulo 2^32. A value that does not start with a number reads as 0; an
// empty or missing one gives the default.
int32_t ReadInt(std::string_view content, std::string_view section, std::string_view key,
                int32_t defaultValue);

// The file content after setting section/key to value: the key's line is replaced in
// place by "key=value" (the key spelled as in the file), a missing key is added after the
// last non-blank line of its section, a missing section at the end of the file. Every other
// line stays byte for byte. The value is written without its leading blanks; names and
// value end at a line break, so a write never adds lines of its own.
std::string WriteString(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace profile

// One settings file on disk, read and written key by key in Unicode text.
class ProfileFile {
  public:
    explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }

    // GetPrivateProfileIntA: a missing file, section or key, or an empty value, gives the
    // default; a value that does not start with a number gives 0 (see profile::ReadInt).
    int32_t GetInt(std::wstring_view section, std::wstring_view key, int32_t defaultValue) const;

    // GetPrivateProfileStringA into a buffer of bufferSize bytes. text is the buffer cut
    // to count bytes as LeftAnsiBytes does (a split double-byte character becomes a space).
    struct StringRead {
        std::wstring text;
        uint32_t count = 0;
    };
    StringRead GetString(std::wstring_view section, std::wstring_view key,
                         std::wstring_view defaultValue = L"", uint32_t bufferSize = 256) const;

    // WritePrivateProfileStringA. The file is replaced safely (see WriteFileReplacing);
    // returns false when it could not be written, leaving the previous file intact.
    bool WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    // The same, giving 0 or the error number (core/files.h) of the read or write that failed,
    // for a message to the user.
    int WriteStringOrError(std::wstring_view section, std::wstring_view key,
                           std::wstring_view value);

  private:
    std::wstring path_;
};

}  // namespace core
