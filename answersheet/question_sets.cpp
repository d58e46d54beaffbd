#include "question_sets.h"

#include <algorithm>

#include "core/text.h"

namespace quillard {

namespace {

constexpr std::wstring_view kEntryGap = L"                         ";  // 25 spaces

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsLineEnd(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

int DigitValue(wchar_t c) {
    return c >= L'0' && c <= L'9' ? c - L'0' : 0;
}

// Sequential comma-separated input over the file's text.
class FieldReader {
  public:
    explicit FieldReader(std::wstring_view text) : text_(text) {}

    // Nothing but blanks and line ends is left.
    bool AtEnd() const {
        return std::all_of(text_.begin() + static_cast<std::ptrdiff_t>(pos_), text_.end(),
                           [](wchar_t c) { return IsBlank(c) || IsLineEnd(c); });
    }

    // The next field; false when the input ends before a field starts or inside quotes.
    bool Read(std::wstring& field) {
        SkipBlanks();
        if (pos_ >= text_.size()) {
            return false;
        }
        if (text_[pos_] == L'"') {
            const size_t close = text_.find(L'"', pos_ + 1);
            if (close == std::wstring_view::npos) {
                field.assign(text_.substr(pos_ + 1));  // what the field got before the end
                pos_ = text_.size();
                return false;
            }
            field.assign(text_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            // Anything between the closing quote and the delimiter is not part of a field.
            while (pos_ < text_.size() && text_[pos_] != L',' && !IsLineEnd(text_[pos_])) {
                ++pos_;
            }
        } else {
            const size_t start = pos_;
            while (pos_ < text_.size() && text_[pos_] != L',' && !IsLineEnd(text_[pos_])) {
                ++pos_;
            }
            size_t end = pos_;
            while (end > start && IsBlank(text_[end - 1])) {
                --end;
            }
            field.assign(text_.substr(start, end - start));
        }
        SkipDelimiter();
        return true;
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
    }
    // A comma, or one line end (CR LF, CR or LF), after blanks.
    void SkipDelimiter() {
        SkipBlanks();
        if (pos_ >= text_.size()) {
            return;
        }
        if (text_[pos_] == L',') {
            ++pos_;
        } else if (text_[pos_] == L'\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == L'\n') {
                ++pos_;
            }
        } else if (text_[pos_] == L'\n') {
            ++pos_;
        }
    }

    std::wstring_view text_;
    size_t pos_ = 0;
};

}  // namespace

int QuestionSet::CorrectChoice(int question) const {
    if (question < 1 || question > QuestionCount()) {
        return 0;
    }
    const int choice = DigitValue(answers[static_cast<size_t>(question - 1)]);
    return choice <= std::min(ChoiceCount(), kMaxChoices) ? choice : 0;
}

SetFileRead ParseSetFile(std::wstring_view text) {
    SetFileRead result;
    FieldReader reader(text);
    while (!reader.AtEnd()) {
        QuestionSet& set = result.sets.emplace_back();
        for (std::wstring* field : {&set.title, &set.choices, &set.answers}) {
            if (!reader.Read(*field)) {
                result.error = kErrInputPastEnd;
                return result;
            }
        }
    }
    return result;
}

std::string SetFileBytes(const std::vector<QuestionSet>& sets) {
    std::wstring text;
    for (const QuestionSet& set : sets) {
        text += L'"' + set.title + L"\",\"" + set.choices + L"\",\"" + set.answers + L"\"\r\n";
    }
    return core::ToCp932(text);
}

std::wstring SetEntry(const QuestionSet& set) {
    return set.title + std::wstring(kEntryGap) + set.choices + L"," + set.answers;
}

QuestionSet ParseSetEntry(std::wstring_view entry) {
    const std::wstring trimmed = core::Trim(entry);
    QuestionSet set;
    const size_t space = trimmed.rfind(L' ');
    const std::wstring rest = space == std::wstring::npos ? trimmed : trimmed.substr(space + 1);
    if (space != std::wstring::npos) {
        set.title = core::Trim(std::wstring_view(trimmed).substr(0, space));
    }
    const size_t comma = rest.find(L',');
    set.choices = rest.substr(0, comma);
    if (comma != std::wstring::npos) {
        set.answers = rest.substr(comma + 1);
    }
    return set;
}

SetCheck CheckSet(const QuestionSet& set, const std::vector<std::wstring>& otherTitles) {
    if (set.title.empty()) {
        return SetCheck::kNoTitle;
    }
    const std::string stored = core::ToCp932(set.title);
    if (std::any_of(otherTitles.begin(), otherTitles.end(),
                    [&](const std::wstring& other) { return core::ToCp932(other) == stored; })) {
        return SetCheck::kDuplicateTitle;
    }
    int largest = 0;
    for (wchar_t c : set.answers) {
        largest = std::max(largest, DigitValue(c));
    }
    if (largest > set.ChoiceCount()) {
        return SetCheck::kAnswersBeyondChoices;
    }
    if (set.QuestionCount() > kMaxQuestions) {
        return SetCheck::kTooManyQuestions;
    }
    return SetCheck::kOk;
}

std::wstring SetCheckMessage(SetCheck check) {
    switch (check) {
        case SetCheck::kNoTitle:
            return L"タイトルが入力されていません。";
        case SetCheck::kDuplicateTitle:
            return L"同じタイトルが既に登録されています。";
        case SetCheck::kAnswersBeyondChoices:
            return L"選択肢と答えの整合性が取れていません。";
        case SetCheck::kTooManyQuestions:
            return L"答えが長すぎます。1 つのセットの問題は " + std::to_wstring(kMaxQuestions) +
                   L" 問までです。";
        case SetCheck::kOk:
            break;
    }
    return {};
}

bool FileHolds(wchar_t character) {
    const std::wstring_view one(&character, 1);
    return core::FromCp932(core::ToCp932(one)) == one;
}

bool FieldAccepts(SetField field, wchar_t character) {
    // Line ends and other control characters would break the file's line as well.
    if (character < L' ' || character == L',' || character == L'"' || !FileHolds(character)) {
        return false;
    }
    switch (field) {
        case SetField::kTitle:
            return true;
        case SetField::kChoices:
            return character != L' ' && character != L'　';
        case SetField::kAnswers:
            return character >= L'1' && character <= L'9';
    }
    return false;
}

std::wstring FilterField(SetField field, std::wstring_view text) {
    std::wstring kept;
    for (wchar_t c : text) {
        if (FieldAccepts(field, c)) {
            kept += c;
        }
    }
    return kept;
}

}  // namespace quillard
