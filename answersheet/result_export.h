// The marked sheet as text: the score labels and the exported result file.
#pragma once

#include <functional>
#include <string>

#include "core/runtime.h"
#include "question_sets.h"

namespace quillard {

// Check box states of the sheet.
inline constexpr int kBoxEmpty = 0;
inline constexpr int kBoxTicked = 1;
inline constexpr int kBoxGrey = 2;  // the correct choice of a question marked wrong

// The state of the box of choice c of question q.
using BoxStates = std::function<int(int question, int choice)>;

// "7 / 10".
std::wstring ScoreText(int correct, int questions);
// The share right with two decimals: "70.00"; "0.00" for a set without questions.
std::wstring PercentText(int correct, int questions);

// The choice columns the grid shows for the set.
int ShownChoices(const QuestionSet& set);

// The result file's text, every line ended by CR LF: the summary line (title, date in the
// system's short form, time in its long form, score), an empty line, the header of choice
// labels, then one line per question with a cell per choice: "○" ticked and correct, "×"
// ticked and wrong, "●" the correct choice not ticked, else empty. Then one more CR LF.
std::wstring ResultText(const QuestionSet& set, const BoxStates& boxes, wchar_t separator,
                        const core::DateTime& when);

// The separator of the save dialog's file type: a tab for type 1 (.txt), "," for type 2.
wchar_t SeparatorForType(int filterIndex);

}  // namespace quillard
