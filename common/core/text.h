// Text helpers: the CP932 (Shift-JIS) codec and the string utilities every program uses.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Unicode text to CP932 bytes. Characters CP932 cannot hold become '?'.
std::string ToCp932(std::wstring_view text);

// CP932 bytes to Unicode text. A byte sequence that is not CP932 becomes U+30FB, as the
// Windows converter does; a lead byte without its trail byte at the end is dropped.
std::wstring FromCp932(std::string_view bytes);

// True when the byte starts a double-byte CP932 character.
bool IsCp932LeadByte(unsigned char byte);

// The first maxBytes CP932 bytes of text, back as text. A double-byte character cut in
// half at the end becomes one space, so the result keeps the display width of the bytes.
std::wstring LeftAnsiBytes(std::wstring_view text, int32_t maxBytes);

// The characters before the first NUL, or the whole text when it holds none.
std::wstring CutAtNul(std::wstring_view text);

// Looks an environment variable up by name; nullopt when it is not set.
using EnvLookup = std::function<std::optional<std::wstring>(std::wstring_view name)>;

// Removes double quotes and replaces %NAME% pairs left to right with the variables'
// values (empty when unset). A lone % stays. Text brought in by a value is expanded
// again, for a bounded number of rounds, so a self-referencing variable cannot loop.
std::wstring ExpandEnvVars(std::wstring_view text, const EnvLookup& lookup);

// The process environment as an EnvLookup.
EnvLookup ProcessEnvironment();

// A file beside the program: programDir (no trailing separator except a drive root such
// as C:\) joined to fileName with one backslash.
std::wstring AppFilePath(std::wstring_view programDir, std::wstring_view fileName);

// The text with every double quote removed.
std::wstring WithoutQuotes(std::wstring_view text);

// Text without leading and trailing spaces (U+0020 only).
std::wstring Trim(std::wstring_view text);

// UTF-8 for logs and POSIX file names.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

}  // namespace core
