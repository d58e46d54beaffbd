#include "class_table.h"

#include "class_records.h"
#include "result_export.h"

namespace quillard {

namespace {

class Table {
  public:
    explicit Table(wchar_t separator) : separator_(separator) {}

    void Row(const std::vector<std::wstring>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                text_ += separator_;
            }
            text_ += CsvCell(cells[i], separator_);
        }
        text_ += L"\r\n";
    }
    // A named row of the question figures: the name, two empty cells, one cell per question.
    template <typename Cell>
    void QuestionRow(const std::wstring& name, const ClassResult& result, Cell cell) {
        std::vector<std::wstring> cells{name, L"", L""};
        for (const QuestionResult& question : result.questions) {
            cells.push_back(cell(question));
        }
        Row(cells);
    }
    std::wstring Text() && { return std::move(text_); }

  private:
    wchar_t separator_;
    std::wstring text_;
};

std::wstring Label(const QuestionSet& set, int choice) {
    return choice >= 1 && choice <= ShownChoices(set)
               ? std::wstring(1, set.choices[static_cast<size_t>(choice - 1)])
               : std::wstring();
}

std::wstring Count(const std::optional<int>& value) {
    return value ? std::to_wstring(*value) : std::wstring();
}

}  // namespace

std::wstring ClassTableText(const QuestionSet& set, const ClassResult& result, wchar_t separator) {
    const int n = set.QuestionCount();
    const int pupils = static_cast<int>(result.pupils.size());
    Table table(separator);
    std::vector<std::wstring> header{L"受験者", L"得点", L"正答率"};
    for (int q = 1; q <= n; ++q) {
        header.push_back(L"問" + std::to_wstring(q));
    }
    table.Row(header);
    for (const PupilResult& pupil : result.pupils) {
        std::vector<std::wstring> cells{pupil.name, std::to_wstring(pupil.score),
                                        PercentText(pupil.score, n)};
        for (int q = 1; q <= n; ++q) {
            const int chosen = pupil.chosen[static_cast<size_t>(q - 1)];
            const bool right = chosen != 0 && chosen == result.questions[size_t(q - 1)].correct;
            cells.push_back(right ? L"○" : Label(set, chosen));
        }
        table.Row(cells);
    }
    table.Row({});
    table.QuestionRow(L"正答", result,
                      [&](const QuestionResult& q) { return Label(set, q.correct); });
    table.QuestionRow(L"正答率", result,
                      [&](const QuestionResult& q) { return RightRateText(q.right, pupils); });
    table.QuestionRow(L"識別指数", result,
                      [](const QuestionResult& q) { return TwoDecimals(q.index); });
    for (int c = 1; c <= ShownChoices(set); ++c) {
        table.QuestionRow(L"選択 " + Label(set, c), result, [c](const QuestionResult& q) {
            return std::to_wstring(q.chosen[static_cast<size_t>(c - 1)]);
        });
    }
    table.QuestionRow(L"無答", result,
                      [](const QuestionResult& q) { return std::to_wstring(q.unanswered); });
    table.Row({});
    table.Row({L"人数", std::to_wstring(pupils)});
    table.Row({L"平均点", TwoDecimals(result.mean)});
    table.Row({L"標準偏差", TwoDecimals(result.deviation)});
    table.Row({L"中央値", TwoDecimals(result.median)});
    table.Row({L"最高点", Count(result.highest)});
    table.Row({L"最低点", Count(result.lowest)});
    return std::move(table).Text();
}

}  // namespace quillard
