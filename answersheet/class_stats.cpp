#include "class_stats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/runtime.h"
#include "result_export.h"

namespace quillard {

namespace {

// Upper-lower index of every question: pupils ordered by score, highest first, equal
// scores in record order; the first and the last GroupSize of them compared.
void IndexQuestions(ClassResult& result, const QuestionSet& set) {
    const int pupils = static_cast<int>(result.pupils.size());
    if (pupils < 2) {
        return;
    }
    std::vector<int> order(static_cast<size_t>(pupils));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return result.pupils[static_cast<size_t>(a)].score >
               result.pupils[static_cast<size_t>(b)].score;
    });
    const int group = GroupSize(pupils);
    for (int q = 1; q <= set.QuestionCount(); ++q) {
        QuestionResult& question = result.questions[static_cast<size_t>(q - 1)];
        const auto right = [&](int rank) {
            const PupilResult& pupil = result.pupils[static_cast<size_t>(order[size_t(rank)])];
            return question.correct != 0 &&
                   pupil.chosen[static_cast<size_t>(q - 1)] == question.correct;
        };
        int upper = 0, lower = 0;
        for (int rank = 0; rank < group; ++rank) {
            upper += right(rank) ? 1 : 0;
            lower += right(pupils - 1 - rank) ? 1 : 0;
        }
        question.index = static_cast<double>(upper - lower) / group;
    }
}

void SummariseScores(ClassResult& result) {
    if (result.pupils.empty()) {
        return;
    }
    std::vector<int> scores;
    for (const PupilResult& pupil : result.pupils) {
        scores.push_back(pupil.score);
    }
    const double count = static_cast<double>(scores.size());
    const double mean = std::accumulate(scores.begin(), scores.end(), 0.0) / count;
    double squares = 0;
    for (int score : scores) {
        squares += (score - mean) * (score - mean);
    }
    std::sort(scores.begin(), scores.end());
    const size_t middle = scores.size() / 2;
    result.mean = mean;
    result.deviation = std::sqrt(squares / count);
    result.median =
        scores.size() % 2 == 1 ? scores[middle] : (scores[middle - 1] + scores[middle]) / 2.0;
    result.lowest = scores.front();
    result.highest = scores.back();
}

}  // namespace

int RecordedChoice(const ClassRecord& record, const QuestionSet& set, int question) {
    if (question < 1 || question > static_cast<int>(record.choices.size())) {
        return 0;
    }
    const int choice = record.choices[static_cast<size_t>(question - 1)] - L'0';
    return choice >= 1 && choice <= ShownChoices(set) ? choice : 0;
}

ClassResult MarkClass(const QuestionSet& set, const std::vector<const ClassRecord*>& records) {
    ClassResult result;
    const int choices = ShownChoices(set);
    for (int q = 1; q <= set.QuestionCount(); ++q) {
        QuestionResult& question = result.questions.emplace_back();
        question.correct = set.CorrectChoice(q);
        question.chosen.assign(static_cast<size_t>(choices), 0);
    }
    for (const ClassRecord* record : records) {
        PupilResult& pupil = result.pupils.emplace_back();
        pupil.name = record->name;
        for (int q = 1; q <= set.QuestionCount(); ++q) {
            QuestionResult& question = result.questions[static_cast<size_t>(q - 1)];
            const int choice = RecordedChoice(*record, set, q);
            pupil.chosen.push_back(choice);
            if (choice == 0) {
                ++question.unanswered;
                continue;
            }
            ++question.chosen[static_cast<size_t>(choice - 1)];
            if (choice == question.correct) {
                ++question.right;
                ++pupil.score;
            }
        }
    }
    IndexQuestions(result, set);
    SummariseScores(result);
    return result;
}

int GroupSize(int pupils) {
    return std::max(1, (pupils * 27 + 50) / 100);
}

std::wstring TwoDecimals(const std::optional<double>& value) {
    return value ? core::FormatNumber(*value, L"0.00") : std::wstring();
}

std::wstring RightRateText(int right, int pupils) {
    return pupils == 0 ? std::wstring() : core::FormatNumber(100.0 * right / pupils, L"0.0");
}

}  // namespace quillard
