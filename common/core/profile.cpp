// The INI engine. A settings file is read as lines split at CR or LF; blank lines are
// ignored. A line "[name]" starts a section; any other line is a key, "name=value", or a
// bare name without a value, which reads as missing. Keys before the first section belong
// to the section with the empty name. Names and values are trimmed of blanks. The first
// section of a name, and the first key of a name inside it, win.
//
// Writes edit the text in place: only the line of the key is replaced (or one line, or a
// section header and one line, added), every other byte stays as it was.
#include "core/profile.h"

#include <algorithm>
#include <optional>

#include "core/files.h"
#include "core/text.h"

namespace core {

namespace profile {

namespace {

// GetPrivateProfileIntA reads the value into a buffer of this many bytes before parsing.
constexpr uint32_t kIntBufferSize = 30;

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
    // Ctrl-Z, the old end-of-file mark, counts as a blank too.
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

bool IsCp932TrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Bytes taken by the CP932 character at text[i]: 2 for a lead byte with its trail byte.
size_t CharLength(std::string_view text, size_t i) {
    const bool paired = IsCp932LeadByte(static_cast<unsigned char>(text[i])) &&
                        i + 1 < text.size() &&
                        IsCp932TrailByte(static_cast<unsigned char>(text[i + 1]));
    return paired ? 2 : 1;
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The text up to the first NUL: the profile functions take C strings.
std::string_view CutAtNulByte(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// The text up to the first line break, so that a written name or value can never add lines
// (keys or sections) of its own to the file.
std::string_view CutAtLineBreak(std::string_view text) {
    return text.substr(0, text.find_first_of(kLineEnd));
}

// A name as the caller passes it: a C string, trimmed.
std::string_view CallerName(std::string_view name) {
    return Trim(CutAtLineBreak(CutAtNulByte(name)));
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// ASCII letters match in either case; double-byte characters match only exactly, so a trail
// byte that happens to be a letter is never folded.
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size();) {
        const size_t length = CharLength(a, i);
        if (length == 2) {
            if (a.compare(i, 2, b, i, 2) != 0) {
                return false;
            }
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

// A value enclosed in a pair of the same quote (double or single) loses the pair.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// One line of the file: text is the line without its line break; [begin, next) is the
// whole line with its break in the file content.
struct Line {
    std::string_view text;
    size_t begin = 0;
    size_t next = 0;
    bool HasBreak() const { return begin + text.size() < next; }
};

// Walks the lines of a file. A line ends at CR LF, CR or LF.
class LineReader {
  public:
    explicit LineReader(std::string_view content) : content_(content) {}

    std::optional<Line> Next() {
        if (position_ >= content_.size()) {
            return std::nullopt;
        }
        Line line;
        line.begin = position_;
        const size_t end = std::min(content_.find_first_of(kLineEnd, position_), content_.size());
        line.text = content_.substr(position_, end - position_);
        position_ = end;
        if (position_ < content_.size()) {
            position_ += content_.compare(position_, 2, kLineEnd) == 0 ? 2 : 1;
        }
        line.next = position_;
        return line;
    }

  private:
    std::string_view content_;
    size_t position_ = 0;
};

// The name of a section header line, or nullopt when the line is not one. The name lies
// between the leading '[' and the last ']' that is not half of a double-byte character.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    std::optional<size_t> close;
    for (size_t i = 1; i < line.size(); i += CharLength(line, i)) {
        if (line[i] == ']') {
            close = i;
        }
    }
    if (!close) {
        return std::nullopt;
    }
    return Trim(line.substr(1, *close - 1));
}

struct KeyLine {
    std::string_view name;
    std::optional<std::string_view> value;  // nullopt for a line without '='
};

KeyLine ParseKeyLine(std::string_view line) {
    line = Trim(line);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {line, std::nullopt};
    }
    return {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Where a key lives in the file, as far as it was found.
struct Location {
    bool sectionFound = false;
    std::optional<Line> keyLine;
    KeyLine key;
    // Offset just after the section's last non-blank line (its header included), where a
    // new key goes, and whether that line ends without a line break (the file's end).
    size_t insertAt = 0;
    bool insertNeedsBreak = false;
};

Location Locate(std::string_view content, std::string_view section, std::string_view key) {
    Location where;
    // The nameless section runs from the start of the file to the first header.
    bool inSection = section.empty();
    where.sectionFound = inSection;
    LineReader reader(content);
    while (const auto line = reader.Next()) {
        if (Trim(line->text).empty()) {
            continue;
        }
        if (const auto name = SectionName(line->text)) {
            if (where.sectionFound) {
                break;
            }
            inSection = where.sectionFound = NamesEqual(*name, section);
        } else if (KeyLine parsed = ParseKeyLine(line->text);
                   inSection && NamesEqual(parsed.name, key)) {
            where.keyLine = line;
            where.key = parsed;
            break;
        }
        if (inSection) {
            where.insertAt = line->next;
            where.insertNeedsBreak = !line->HasBreak();
        }
    }
    return where;
}

StringRead FitInBuffer(std::string_view text, uint32_t bufferSize) {
    if (bufferSize == 0) {
        return {};
    }
    text = text.substr(0, std::min<size_t>(text.size(), bufferSize - 1));
    return {std::string(text), static_cast<uint32_t>(text.size())};
}

// The integer at the start of text, as the system's string-to-integer conversion reads it:
// leading blanks and control characters, a sign, an optional base prefix "0x", "0o" or
// "0b", then digits of that base; the value wraps around modulo 2^32.
int32_t ParseInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        i += base == 10 ? 0 : 2;
    }
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = FoldAscii(text[i]);
        const uint32_t digit = (c >= '0' && c <= '9')   ? static_cast<uint32_t>(c - '0')
                               : (c >= 'A' && c <= 'Z') ? static_cast<uint32_t>(c - 'A' + 10)
                                                        : base;
        if (digit >= base) {
            break;
        }
        total = total * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - total : total);
}

std::string KeyLineText(std::string_view name, std::string_view value) {
    std::string text(name);
    text += '=';
    text += value;
    return text;
}

// True when the bytes end in the lead byte of a double-byte character without its trail byte.
bool EndsInSplitCharacter(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        if (IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 == bytes.size()) {
            return true;
        }
        i += CharLength(bytes, i);
    }
    return false;
}

// A string read's bytes as text; a double-byte character cut in half by the buffer shows
// as one space, so the text keeps the width of the bytes.
std::wstring DecodeBuffer(std::string_view bytes) {
    if (EndsInSplitCharacter(bytes)) {
        return FromCp932(bytes.substr(0, bytes.size() - 1)) + L" ";
    }
    return FromCp932(bytes);
}

}  // namespace

StringRead ReadString(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view defaultValue, uint32_t bufferSize) {
    const Location where = Locate(content, CallerName(section), CallerName(key));
    if (where.keyLine && where.key.value) {
        return FitInBuffer(Unquote(CutAtNulByte(*where.key.value)), bufferSize);
    }
    // The default loses trailing spaces (only spaces) and a surrounding pair of quotes.
    std::string_view fallback = CutAtNulByte(defaultValue);
    fallback = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
    return FitInBuffer(Unquote(fallback), bufferSize);
}

int32_t ReadInt(std::string_view content, std::string_view section, std::string_view key,
                int32_t defaultValue) {
    const StringRead read = ReadString(content, section, key, "", kIntBufferSize);
    return read.count == 0 ? defaultValue : ParseInteger(read.bytes);
}

std::string WriteString(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::string_view sectionName = CallerName(section);
    const std::string_view keyName = CallerName(key);
    // Leading blanks are not stored; trailing ones are.
    const std::string_view text = TrimLeft(CutAtLineBreak(CutAtNulByte(value)));
    const Location where = Locate(content, sectionName, keyName);

    std::string result(content);
    if (where.keyLine) {
        if (where.key.value == text) {
            return result;
        }
        // The line keeps the name as the file spells it and its own line break.
        const Line& line = *where.keyLine;
        std::string replacement = KeyLineText(where.key.name, text);
        if (!line.HasBreak()) {
            replacement += kLineEnd;
        }
        return result.replace(line.begin, line.text.size(), replacement);
    }
    if (where.sectionFound) {
        std::string insertion = where.insertNeedsBreak ? std::string(kLineEnd) : std::string();
        insertion += KeyLineText(keyName, text);
        insertion += kLineEnd;
        return result.insert(where.insertAt, insertion);
    }
    if (!result.empty() && !IsLineBreak(result.back())) {
        result += kLineEnd;
    }
    result += '[';
    result += sectionName;
    result += ']';
    result += kLineEnd;
    result += KeyLineText(keyName, text);
    result += kLineEnd;
    return result;
}

}  // namespace profile

namespace {

// The file's bytes, or nothing when it does not exist yet (or cannot be read).
std::string ContentOf(const std::wstring& path) {
    FileRead read = ReadFileBytes(path);
    return read.error == 0 ? std::move(read.bytes) : std::string();
}

}  // namespace

int32_t ProfileFile::GetInt(std::wstring_view section, std::wstring_view key,
                            int32_t defaultValue) const {
    return profile::ReadInt(ContentOf(path_), ToCp932(section), ToCp932(key), defaultValue);
}

ProfileFile::StringRead ProfileFile::GetString(std::wstring_view section, std::wstring_view key,
                                               std::wstring_view defaultValue,
                                               uint32_t bufferSize) const {
    const profile::StringRead read = profile::ReadString(
        ContentOf(path_), ToCp932(section), ToCp932(key), ToCp932(defaultValue), bufferSize);
    return {profile::DecodeBuffer(read.bytes), read.count};
}

bool ProfileFile::WriteString(std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) {
    return WriteStringOrError(section, key, value) == 0;
}

int ProfileFile::WriteStringOrError(std::wstring_view section, std::wstring_view key,
                                    std::wstring_view value) {
    FileRead read = ReadFileBytes(path_);
    // Only a file that is not there may be started afresh; one that exists but cannot be
    // read must not be replaced by a file holding nothing but this key.
    if (read.error != 0 && !FileMissing(read, path_)) {
        return read.error;
    }
    const std::string updated =
        profile::WriteString(read.bytes, ToCp932(section), ToCp932(key), ToCp932(value));
    if (read.error == 0 && updated == read.bytes) {
        return 0;
    }
    return WriteFileReplacing(path_, updated);
}

}  // namespace core
