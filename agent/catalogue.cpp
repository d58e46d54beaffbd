#include "agent/catalogue.h"

#include <tuple>
#include <utility>

#include "agent/profile_reader.h"
#include "agent/read_errors.h"
#include "core/files.h"
#include "core/text.h"

namespace agent {

namespace {

enum class Key {
    Other,
    Date,
    Time,
    HeadlinePrefix,
    HeadlineSuffix,
    NormalPrefix,
    NormalSuffix,
    Holiday,
    Recess,
    PassCommon,
    Schedule,
    MessageBox,
    LessonMessage,
    RestMessage,
    ClockBreaks,
    MessageBreaks,
};

struct KeyName {
    std::wstring_view name;
    Key key;
};

constexpr KeyName kKeys[] = {
    {L"DATE", Key::Date},
    {L"TIME", Key::Time},
    {L"ITEM_FIRST1", Key::HeadlinePrefix},
    {L"ITEM_FIRST2", Key::HeadlineSuffix},
    {L"ITEM_NORMAL1", Key::NormalPrefix},
    {L"ITEM_NORMAL2", Key::NormalSuffix},
    {L"HOLIDAY", Key::Holiday},
    {L"RECESS", Key::Recess},
    {L"PASS_COMMON", Key::PassCommon},
    {L"SCHEDULE", Key::Schedule},
    {L"MESSAGEBOX", Key::MessageBox},
    {L"N_MESSAGE", Key::LessonMessage},
    {L"R_MESSAGE", Key::RestMessage},
    {L"DATETIME_CRLF", Key::ClockBreaks},
    {L"MESSAGE_CRLF", Key::MessageBreaks},
};

std::wstring UpperAscii(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return out;
}

// Keys other than the picture keys may be written in any case.
Key KeyOf(std::wstring_view name) {
    const std::wstring upper = UpperAscii(name);
    for (const KeyName& k : kKeys) {
        if (k.name == upper) {
            return k.key;
        }
    }
    return Key::Other;
}

std::wstring LeftTrim(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    return first == std::wstring_view::npos ? std::wstring() : std::wstring(text.substr(first));
}

std::wstring UnquotedTrimmed(std::wstring_view text) {
    return core::Trim(core::WithoutQuotes(text));
}

// A picture file as named; failing that, the name beside the program; failing that, none.
std::wstring ResolvePicture(std::wstring_view value, const std::wstring& programDir) {
    const std::wstring name = UnquotedTrimmed(value);
    if (name.empty()) {
        return {};
    }
    if (core::FileExists(name)) {
        return name;
    }
    std::wstring besideProgram = core::AppFilePath(programDir, name);
    return core::FileExists(besideProgram) ? besideProgram : std::wstring();
}

// A text value with an optional picture suffix: the text and its picture number.
std::pair<std::wstring, int16_t> TextWithPicture(std::wstring_view value) {
    PictureSuffix split = TakePictureSuffix(value);
    return {UnquotedTrimmed(split.value), split.picture};
}

template <typename T>
bool Append(std::vector<T>& list, T item) {
    if (list.size() >= kMaxListLines) {
        return false;
    }
    list.push_back(std::move(item));
    return true;
}

class CatalogueReader {
  public:
    CatalogueReader(const std::wstring& programDir, int year)
        : programDir_(programDir), year_(year) {}

    // Takes one line of the file; returns 0 or the error number that ends the reading.
    int Line(std::wstring_view raw) {
        const std::wstring line = core::Trim(raw);
        if (line.empty() || line[0] == L'/' || line[0] == L'\'') {
            return 0;
        }
        const auto equals = line.find(L'=');
        if (equals == std::wstring::npos) {
            return 0;
        }
        const std::wstring name = core::Trim(std::wstring_view(line).substr(0, equals));
        const std::wstring_view value = std::wstring_view(line).substr(equals + 1);
        if (const int16_t picture = PictureNumber(name); picture != 0) {
            c_.picturePaths[picture - 1] = ResolvePicture(value, programDir_);
            return 0;
        }
        return Keyed(KeyOf(name), value);
    }

    MessageCatalogue Finish() {
        SplitOverYearEndAndMidnight(c_.schedules);
        SplitOverYearEndAndMidnight(c_.messageBoxes);
        ApplyPictureFallback();
        return std::move(c_);
    }

  private:
    int Keyed(Key key, std::wstring_view value) {
        switch (key) {
            case Key::Date:
                c_.dateFormat = LeftTrim(core::WithoutQuotes(value));
                return 0;
            case Key::Time:
                c_.timeFormat = LeftTrim(core::WithoutQuotes(value));
                return 0;
            case Key::HeadlinePrefix:
                c_.headlinePrefix = UnquotedTrimmed(value);
                return 0;
            case Key::NormalPrefix:
                c_.normalPrefix = UnquotedTrimmed(value);
                return 0;
            case Key::HeadlineSuffix:
                std::tie(c_.headlineSuffix, c_.itemPicture) = TextWithPicture(value);
                return 0;
            case Key::NormalSuffix:
                std::tie(c_.normalSuffix, c_.defaultPicture) = TextWithPicture(value);
                return 0;
            case Key::Holiday:
                std::tie(c_.holidayText, c_.holidayPicture) = TextWithPicture(value);
                return 0;
            case Key::Recess:
                return RecessLine(value);
            case Key::PassCommon:
                return ParseMealList(value, c_.excludedMeals) ? 0 : kErrOverflow;
            case Key::Schedule:
                return TimedLine(value, c_.schedules);
            case Key::MessageBox:
                return TimedLine(value, c_.messageBoxes);
            case Key::LessonMessage:
                return Append(c_.lessonMessages, ReplaceBreakMarkers(UnquotedTrimmed(value)))
                           ? 0
                           : kErrOverflow;
            case Key::RestMessage:
                return Append(c_.restMessages, ReplaceBreakMarkers(UnquotedTrimmed(value)))
                           ? 0
                           : kErrOverflow;
            case Key::ClockBreaks:
                return BreakCount(value, c_.clockBreaks);
            case Key::MessageBreaks:
                return BreakCount(value, c_.messageBreaks);
            case Key::Other:
                return 0;
        }
        return 0;
    }

    int RecessLine(std::wstring_view value) {
        RecessWording wording;
        if (!ParseRecessWording(value, wording)) {
            return kErrOverflow;
        }
        return Append(c_.recesses, std::move(wording)) ? 0 : kErrOverflow;
    }

    int TimedLine(std::wstring_view value, std::vector<TimedEntry>& list) {
        TimedEntryParse parsed = ParseTimedEntry(value, year_);
        if (parsed.error != 0) {
            return parsed.error;
        }
        parsed.entry.line = static_cast<int32_t>(list.size() + 1);
        return Append(list, std::move(parsed.entry)) ? 0 : kErrOverflow;
    }

    static int BreakCount(std::wstring_view value, std::wstring& breaks) {
        const auto count = ReadInt16(UnquotedTrimmed(value));
        if (!count) {
            return kErrOverflow;
        }
        breaks = LineBreaks(*count);
        return 0;
    }

    // With a normal picture every missing picture shows it; without one there are none.
    void ApplyPictureFallback() {
        const std::wstring normal = c_.picturePaths[0];
        for (std::wstring& path : c_.picturePaths) {
            if (normal.empty()) {
                path.clear();
            } else if (path.empty()) {
                path = normal;
            }
        }
    }

    const std::wstring& programDir_;
    int year_;
    MessageCatalogue c_;
};

// The next line of bytes starting at pos, ended by CR LF, CR or LF; pos moves past it.
std::string_view NextLine(std::string_view bytes, std::size_t& pos) {
    const std::size_t start = pos;
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
        pos = bytes.size();
        return bytes.substr(start);
    }
    pos = end + 1;
    if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') {
        ++pos;
    }
    return bytes.substr(start, end - start);
}

// The length of the UTF-8 sequence a lead byte starts (0 for a byte no sequence starts with).
int Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// Whether the bytes are UTF-8 text with at least one character beyond ASCII. Japanese text
// in the system's code page never reads as such: its double-byte characters start with
// bytes UTF-8 only uses inside a sequence.
bool IsUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const int length = Utf8SequenceLength(static_cast<unsigned char>(bytes[i]));
        if (length == 0 || i + std::size_t(length) > bytes.size()) {
            return false;
        }
        for (int k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + std::size_t(k)]) & 0xC0) != 0x80) {
                return false;
            }
        }
        beyondAscii = beyondAscii || length > 1;
        i += std::size_t(length);
    }
    return beyondAscii;
}

}  // namespace

bool ParseRecessWording(std::wstring_view value, RecessWording& wording) {
    const PictureSuffix split = TakePictureSuffix(value);
    wording.picture = split.picture;
    const std::wstring_view v = split.value;
    const auto l = v.find(L'<'), m = v.find(L'-'), g = v.find(L'>'), q = v.find(L'"');
    constexpr auto npos = std::wstring_view::npos;
    // Found marks in the order given; a mark that is missing (npos) never lies before q.
    const bool fullRange = l != npos && l < m && m < g && g < q && q != npos;
    const bool singleLength = l != npos && l < g && g < q && q != npos;
    if (!fullRange && !singleLength) {
        wording.text = UnquotedTrimmed(v);
        return true;
    }
    const auto from =
        ReadInt16(fullRange ? v.substr(l + 1, m - l - 1) : v.substr(l + 1, g - l - 1));
    const auto to = fullRange ? ReadInt16(v.substr(m + 1, g - m - 1)) : from;
    if (!from || !to) {
        return false;
    }
    wording.lengthFrom = *from;
    wording.lengthTo = *to;
    wording.text = UnquotedTrimmed(v.substr(q));
    return true;
}

bool ParseMealList(std::wstring_view value, std::vector<int16_t>& rows) {
    rows.clear();
    // Each search for the next comma starts one character after the start of the field,
    // so an empty field takes the following one with it.
    std::size_t start = 0;
    for (;;) {
        const auto comma = value.find(L',', start + 1);
        const std::wstring_view field =
            value.substr(start, comma == std::wstring_view::npos ? comma : comma - start);
        const auto number = ReadInt16(UnquotedTrimmed(field));
        if (!number || !Append(rows, *number)) {
            return false;
        }
        if (comma == std::wstring_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (rows.back() == 0) {
        rows.pop_back();
    }
    return true;
}

CatalogueRead ParseMessageCatalogue(std::string_view bytes, const std::wstring& programDir,
                                    int year) {
    CatalogueRead result;
    CatalogueReader reader(programDir, year);
    // A catalogue saved as UTF-8 (as newer editors save by default, with or without a
    // byte-order mark) is read as UTF-8 rather than shown garbled.
    const bool marked = bytes.starts_with(kUtf8Mark);
    if (marked) {
        bytes.remove_prefix(kUtf8Mark.size());
    }
    const bool utf8 = marked || IsUtf8Text(bytes);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::string_view line = NextLine(bytes, pos);
        result.error = reader.Line(utf8 ? core::FromUtf8(line) : core::FromCp932(line));
        if (result.error != 0) {
            break;
        }
    }
    result.catalogue = reader.Finish();
    result.catalogue.year = year;
    return result;
}

void MoveCatalogueToYear(MessageCatalogue& catalogue, int year) {
    MoveEntriesToYear(catalogue.schedules, catalogue.year, year);
    MoveEntriesToYear(catalogue.messageBoxes, catalogue.year, year);
    catalogue.year = year;
}

CatalogueRead LoadMessageCatalogue(const std::wstring& programDir, int year) {
    const std::wstring path = core::AppFilePath(programDir, kCatalogueFileName);
    if (!core::FileExists(path)) {
        CatalogueRead none;
        none.catalogue.year = year;
        return none;
    }
    const core::FileRead read = core::ReadFileBytes(path);
    if (read.error != 0) {
        CatalogueRead failed;
        failed.error = read.error;
        return failed;
    }
    return ParseMessageCatalogue(read.bytes, programDir, year);
}

}  // namespace agent
