#include "agent/timetable_checks.h"

#include <algorithm>
#include <utility>

#include "core/text.h"

namespace agent {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr const wchar_t* kWeekdayNames[kWeekdays] = {L"月曜日", L"火曜日", L"水曜日", L"木曜日",
                                                     L"金曜日", L"土曜日", L"日曜日"};

// "時限3「国語」", or the label alone for a row without a name.
std::wstring Named(const TimetableDraft& draft, int row) {
    const std::wstring name = core::Trim(draft.rows[std::size_t(row)].name);
    return RowLabel(row) + (name.empty() ? L"" : L"「" + name + L"」");
}

void UnreadableTimes(const TimetableDraft& draft, std::vector<std::wstring>& findings) {
    for (int row = 0; row < kTimetableRows; ++row) {
        const DraftRow& r = draft.rows[std::size_t(row)];
        for (const auto& [time, which] : {std::pair{&r.start, L"開始"}, {&r.end, L"終了"}}) {
            if (!time->Readable()) {
                findings.push_back(RowLabel(row) + L" の" + which + L"「" + time->unreadable +
                                   L"」は時刻として読めません。");
            }
        }
    }
}

void PlanSlots(const TimetableDraft& draft, std::vector<std::wstring>& findings) {
    for (int day = 0; day < kWeekdays; ++day) {
        for (int slot = 1; slot <= kItemRows; ++slot) {
            const int number = PlanField(draft.plans[std::size_t(day)], slot);
            if (number == 0) {
                continue;
            }
            const std::wstring where = std::wstring(kWeekdayNames[day]) + L"の " +
                                       std::to_wstring(slot) + L" 番目の時限" +
                                       std::to_wstring(number);
            const int row = kMealRows + number - 1;
            if (number > kItemRows || core::Trim(draft.rows[std::size_t(row)].name).empty()) {
                findings.push_back(where + L" には名前がありません。");
            } else if (!draft.rows[std::size_t(row)].takesPart) {
                findings.push_back(where + L"「" + core::Trim(draft.rows[std::size_t(row)].name) +
                                   L"」は使用しないため表示されません。");
            }
        }
    }
}

int RowOf(const DayEntry& entry) {
    return entry.kind == EntryKind::Meal ? entry.number - 1 : kMealRows + entry.number - 1;
}

// Every pair of entries holding a common minute, the one the agent finds first ahead.
void Overlaps(const TimetableDraft& draft, const std::vector<int16_t>& excludedMeals,
              std::vector<std::wstring>& findings) {
    MessageCatalogue catalogue;
    catalogue.excludedMeals = excludedMeals;
    const DayTable table = BuildDayTable(DraftTimetable(draft), catalogue);
    std::vector<std::pair<int, int>> pairs;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        const auto current = FindCurrentEntry(table, minute);
        if (!current) {
            continue;
        }
        for (std::size_t other = *current + 1; other < table.size(); ++other) {
            const std::pair pair{RowOf(table[*current]), RowOf(table[other])};
            if (EntryHolds(table[other], minute) &&
                std::find(pairs.begin(), pairs.end(), pair) == pairs.end()) {
                pairs.push_back(pair);
            }
        }
    }
    for (const auto& [first, second] : pairs) {
        findings.push_back(Named(draft, first) + L"と" + Named(draft, second) +
                           L"の時刻が重なっています (" + RowLabel(first) + L" が出ます)。");
    }
}

void MissingStarts(const TimetableDraft& draft, std::vector<std::wstring>& findings) {
    for (int row = 0; row < kTimetableRows; ++row) {
        const DraftRow& r = draft.rows[std::size_t(row)];
        if (r.takesPart && r.start.Readable() && r.start.minutes < 0 && r.end.minutes >= 0) {
            findings.push_back(Named(draft, row) +
                               L"は開始の時刻がないため、0:00 から始まります。");
        }
    }
}

}  // namespace

std::vector<std::wstring> TimetableFindings(const TimetableDraft& draft,
                                            const std::vector<int16_t>& excludedMeals) {
    std::vector<std::wstring> findings;
    UnreadableTimes(draft, findings);
    PlanSlots(draft, findings);
    Overlaps(draft, excludedMeals, findings);
    MissingStarts(draft, findings);
    return findings;
}

}  // namespace agent
