// Question sets: the record, the set file (one quoted line per set, CP932, CR LF), the
// entries of the editor's list, and the checks the editor makes before it takes a set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillard {

// The most questions one set may have. Every question of the longest set gets a label and
// one check box per choice column, so this keeps the grid at a few thousand windows, well
// under the system's limit of 10,000 per process.
inline constexpr int kMaxQuestions = 300;
// The grid has room for this many choices per question (box numbers are question x 10 +
// choice); the editor's choices box takes no more.
inline constexpr int kMaxChoices = 9;

struct QuestionSet {
    std::wstring title;
    std::wstring choices;  // one label character per choice
    std::wstring answers;  // one digit per question: the position of its correct choice

    int ChoiceCount() const { return static_cast<int>(choices.size()); }
    int QuestionCount() const { return static_cast<int>(answers.size()); }
    // The correct choice of question q (from 1), or 0 when the answer character names no
    // choice the grid shows (0, a letter, beyond the choices): such a question can only be
    // marked wrong.
    int CorrectChoice(int question) const;
    friend bool operator==(const QuestionSet&, const QuestionSet&) = default;
};

// Run-time error number of reading past the end of the input.
inline constexpr int kErrInputPastEnd = 62;

struct SetFileRead {
    // The sets read; after an error also the set being read, with the fields it got.
    std::vector<QuestionSet> sets;
    int error = 0;
};

// Reads sets from the file's text: three comma-separated fields per set whatever the line
// breaks. A field may be quoted (then it runs to the next double quote); an unquoted field
// runs to the next comma or line end and loses its trailing blanks; leading blanks are
// skipped. Blank lines and blanks at the end of the text are not a set.
SetFileRead ParseSetFile(std::wstring_view text);

// The file's bytes: one line per set, "title","choices","answers" and CR LF, in CP932.
std::string SetFileBytes(const std::vector<QuestionSet>& sets);

// An entry of the editor's list: title, 25 spaces, choices, ",", answers.
std::wstring SetEntry(const QuestionSet& set);
// Splits an entry: trimmed, the text before its last space (trimmed) is the title, the
// text after it is cut at its first comma into choices and answers.
QuestionSet ParseSetEntry(std::wstring_view entry);

// What the editor says about a set it is about to take (kOk: nothing).
enum class SetCheck {
    kOk,
    kNoTitle,
    kDuplicateTitle,
    kAnswersBeyondChoices,
    kTooManyQuestions,
};
// Checks a set whose fields are already trimmed against the titles of the other entries,
// comparing the titles as the file will hold them.
SetCheck CheckSet(const QuestionSet& set, const std::vector<std::wstring>& otherTitles);
std::wstring SetCheckMessage(SetCheck check);

// Whether the set file's code page holds the character as it is (it would be stored as "?"
// or as another character otherwise). Each half of a pair of UTF-16 units is refused.
bool FileHolds(wchar_t character);

// The characters the editor's boxes take: no box takes control characters, "," or the
// double quote, nor a character the file cannot hold; the choices and answers boxes take
// no spaces (ASCII and ideographic); the answers box takes only the digits 1 to 9.
enum class SetField { kTitle = 0, kChoices = 1, kAnswers = 2 };
bool FieldAccepts(SetField field, wchar_t character);
// The text with every refused character removed (for pasted text).
std::wstring FilterField(SetField field, std::wstring_view text);

}  // namespace quillard
