// The class file: one record per marked sheet (set title, pupil, the ticked choice of each
// question, when it was recorded), kept beside the program as quoted comma-separated text
// in CP932 with CR LF, under a header line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/runtime.h"
#include "question_sets.h"

namespace quillard {

struct ClassRecord {
    std::wstring title;     // the set's title
    std::wstring name;      // the pupil's number or name
    std::wstring choices;   // one digit per question: the ticked choice, "0" for none
    std::wstring recorded;  // yyyy/mm/dd hh:nn:ss
    friend bool operator==(const ClassRecord&, const ClassRecord&) = default;
};

inline constexpr std::wstring_view kClassFileHeader = L"問題,受験者,解答,記録日時";
// The most characters of a pupil's name.
inline constexpr int kMaxNameLength = 40;
// Run-time error number of a file whose contents are not in the expected form.
inline constexpr int kErrBadFileFormat = 321;

struct ClassFileRead {
    std::vector<ClassRecord> records;
    int error = 0;  // 0, kErrInputPastEnd (a quote left open) or kErrBadFileFormat
};

// Reads the file's text: the header line, then four fields per line, each quoted (a quote
// inside doubled) or plain; the choices digits only. Empty text holds no records.
ClassFileRead ParseClassFile(std::wstring_view text);
// The file's bytes: the header and one line of four quoted fields per record.
std::string ClassFileBytes(const std::vector<ClassRecord>& records);

// The field as it stands between separators: quoted, a quote inside doubled, when it holds
// the separator, a double quote or a line break; else as it is.
std::wstring CsvCell(std::wstring_view field, wchar_t separator);

// "yyyy/mm/dd hh:nn:ss".
std::wstring RecordTime(const core::DateTime& when);

// The name with what a record cannot hold removed: characters CP932 has no place for and
// control characters.
std::wstring NameCharacters(std::wstring_view text);

}  // namespace quillard
