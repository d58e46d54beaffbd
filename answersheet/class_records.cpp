#include "class_records.h"

#include <algorithm>

#include "core/text.h"

namespace quillard {

namespace {

bool IsLineEnd(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

// Comma-separated lines over the file's text, each field quoted or plain.
class CsvReader {
  public:
    explicit CsvReader(std::wstring_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    // The fields of the next line, which must not be empty; error set when it cannot be read.
    std::vector<std::wstring> Line(int& error) {
        std::vector<std::wstring> fields;
        while (true) {
            std::wstring& field = fields.emplace_back();
            if (pos_ < text_.size() && text_[pos_] == L'"') {
                if (!ReadQuoted(field, error)) {
                    return fields;
                }
            } else {
                while (pos_ < text_.size() && text_[pos_] != L',' && !IsLineEnd(text_[pos_])) {
                    field += text_[pos_++];
                }
            }
            if (pos_ >= text_.size() || IsLineEnd(text_[pos_])) {
                SkipLineEnd();
                return fields;
            }
            if (text_[pos_] != L',') {
                error = kErrBadFileFormat;  // text after a closing quote
                return fields;
            }
            ++pos_;
        }
    }

    // Blank lines between records are no records.
    void SkipBlankLines() {
        while (pos_ < text_.size() && IsLineEnd(text_[pos_])) {
            ++pos_;
        }
    }

  private:
    bool ReadQuoted(std::wstring& field, int& error) {
        ++pos_;
        while (pos_ < text_.size()) {
            if (text_[pos_] != L'"') {
                field += text_[pos_++];
            } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == L'"') {
                field += L'"';
                pos_ += 2;
            } else {
                ++pos_;
                return true;
            }
        }
        error = kErrInputPastEnd;
        return false;
    }
    void SkipLineEnd() {
        if (pos_ < text_.size() && text_[pos_] == L'\r') {
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] == L'\n') {
            ++pos_;
        }
    }

    std::wstring_view text_;
    size_t pos_ = 0;
};

bool AllDigits(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

std::wstring Quoted(std::wstring_view field) {
    std::wstring quoted = L"\"";
    for (wchar_t c : field) {
        quoted += c;
        if (c == L'"') {
            quoted += L'"';
        }
    }
    return quoted + L'"';
}

}  // namespace

ClassFileRead ParseClassFile(std::wstring_view text) {
    ClassFileRead read;
    CsvReader reader(text);
    if (reader.AtEnd()) {
        return read;
    }
    const std::vector<std::wstring> header = reader.Line(read.error);
    if (read.error == 0 && header.size() == 1 && header[0].empty() && reader.AtEnd()) {
        return read;  // a file holding one empty line
    }
    std::wstring joined;
    for (const std::wstring& field : header) {
        joined += (joined.empty() ? L"" : L",") + field;
    }
    if (read.error == 0 && joined != kClassFileHeader) {
        read.error = kErrBadFileFormat;
    }
    for (reader.SkipBlankLines(); read.error == 0 && !reader.AtEnd(); reader.SkipBlankLines()) {
        const std::vector<std::wstring> fields = reader.Line(read.error);
        if (read.error == 0 && (fields.size() != 4 || !AllDigits(fields[2]))) {
            read.error = kErrBadFileFormat;
        }
        if (read.error == 0) {
            read.records.push_back({fields[0], fields[1], fields[2], fields[3]});
        }
    }
    return read;
}

std::string ClassFileBytes(const std::vector<ClassRecord>& records) {
    std::wstring text = std::wstring(kClassFileHeader) + L"\r\n";
    for (const ClassRecord& record : records) {
        text += Quoted(record.title) + L',' + Quoted(record.name) + L',' + Quoted(record.choices) +
                L',' + Quoted(record.recorded) + L"\r\n";
    }
    return core::ToCp932(text);
}

std::wstring CsvCell(std::wstring_view field, wchar_t separator) {
    const bool quote =
        field.find_first_of(std::wstring{separator, L'"', L'\r', L'\n'}) != std::wstring_view::npos;
    return quote ? Quoted(field) : std::wstring(field);
}

std::wstring RecordTime(const core::DateTime& when) {
    return core::FormatDateTime(when, L"yyyy/mm/dd hh:nn:ss");
}

std::wstring NameCharacters(std::wstring_view text) {
    std::wstring kept;
    for (wchar_t c : text) {
        if (c >= L' ' && c != 0x7F && FileHolds(c)) {
            kept += c;
        }
    }
    return kept;
}

}  // namespace quillard
