// The class table for a spreadsheet: one row per pupil with the score and a cell per
// question, the questions' figures below, then the class's figures. Cells are separated by
// a tab or a comma; every row ends with CR LF.
#pragma once

#include <string>

#include "class_stats.h"
#include "question_sets.h"

namespace quillard {

std::wstring ClassTableText(const QuestionSet& set, const ClassResult& result, wchar_t separator);

}  // namespace quillard
