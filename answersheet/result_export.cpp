#include "result_export.h"

#include <algorithm>

namespace quillard {

std::wstring ScoreText(int correct, int questions) {
    return std::to_wstring(correct) + L" / " + std::to_wstring(questions);
}

std::wstring PercentText(int correct, int questions) {
    const double share = questions == 0 ? 0.0 : 100.0 * correct / questions;
    return core::FormatNumber(share, L"0.00");
}

int ShownChoices(const QuestionSet& set) {
    return std::min(set.ChoiceCount(), kMaxChoices);
}

std::wstring ResultText(const QuestionSet& set, const BoxStates& boxes, wchar_t separator,
                        const core::DateTime& when) {
    const int choices = ShownChoices(set);
    std::wstring rows;
    int correct = 0;
    for (int q = 1; q <= set.QuestionCount(); ++q) {
        const int answer = set.CorrectChoice(q);
        rows += L"問" + std::to_wstring(q);
        for (int c = 1; c <= choices; ++c) {
            const bool ticked = boxes(q, c) == kBoxTicked;
            rows += separator;
            if (c == answer) {
                rows += ticked ? L"○" : L"●";
                correct += ticked ? 1 : 0;
            } else if (ticked) {
                rows += L"×";
            }
        }
        rows += L"\r\n";
    }
    std::wstring text = set.title + L"（" + core::SystemShortDate(when.date) + L" " +
                        core::SystemLongTime(when) + L"）　：　" + std::to_wstring(correct) + L"/" +
                        std::to_wstring(set.QuestionCount()) + L" (" +
                        PercentText(correct, set.QuestionCount()) + L"%)\r\n\r\n";
    for (int c = 0; c < choices; ++c) {
        text += separator;
        text += set.choices[static_cast<size_t>(c)];
    }
    return text + L"\r\n" + rows + L"\r\n";
}

wchar_t SeparatorForType(int filterIndex) {
    return filterIndex == 2 ? L',' : L'\t';
}

}  // namespace quillard
