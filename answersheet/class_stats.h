// A class's figures for one set, computed from the recorded choices and the set's answers
// as they are now: each pupil's score, each question's share right, choice counts and
// upper-lower index, and the class's mean, deviation, median, highest and lowest score.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "class_records.h"
#include "question_sets.h"

namespace quillard {

struct PupilResult {
    std::wstring name;
    std::vector<int> chosen;  // per question: the ticked choice, 0 for none
    int score = 0;
};

struct QuestionResult {
    int correct = 0;              // the correct choice, 0 when the answer names none
    int right = 0;                // pupils who ticked it
    std::vector<int> chosen;      // per choice of the set: pupils who ticked it
    int unanswered = 0;           // pupils without a tick
    std::optional<double> index;  // upper-lower index; none with fewer than two pupils
};

struct ClassResult {
    std::vector<PupilResult> pupils;  // in record order
    std::vector<QuestionResult> questions;
    // None without pupils.
    std::optional<double> mean, deviation, median;
    std::optional<int> highest, lowest;
};

// The choice a record ticked on question q (from 1): 0 for none, for a question the
// record does not reach and for a choice the set no longer has.
int RecordedChoice(const ClassRecord& record, const QuestionSet& set, int question);

// The records are the set's, in record order.
ClassResult MarkClass(const QuestionSet& set, const std::vector<const ClassRecord*>& records);

// How many pupils make the upper and the lower group: 27 % of them rounded half up, at
// least 1.
int GroupSize(int pupils);

// Figures as shown: "0.00" (empty when there is none) and the share right "0.0".
std::wstring TwoDecimals(const std::optional<double>& value);
std::wstring RightRateText(int right, int pupils);

}  // namespace quillard
