#include "agent/timetable_draft.h"

#include "agent/option_checks.h"
#include "agent/profile_reader.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr int16_t kEndOfDay = 1440;
constexpr int kPlanSlots = kItemRows;

// What an input method types, as the plain characters the boxes take: full-width digits,
// colon, signs and the ideographic space.
std::wstring Narrowed(std::wstring_view text) {
    std::wstring narrow(text);
    for (wchar_t& c : narrow) {
        if (c >= L'０' && c <= L'９') {
            c = wchar_t(L'0' + (c - L'０'));
        } else if (c == L'：') {
            c = L':';
        } else if (c == L'　') {
            c = L' ';
        } else if (c == L'－' || c == L'−') {
            c = L'-';
        } else if (c == L'＋') {
            c = L'+';
        }
    }
    return narrow;
}

bool AllDigits(std::wstring_view text) {
    return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring_view::npos;
}

int DigitsValue(std::wstring_view digits) {
    int value = 0;
    for (wchar_t c : digits) {
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::wstring TimeText(int minutes) {
    const int m = minutes % 60;
    return std::to_wstring(minutes / 60) + (m < 10 ? L":0" : L":") + std::to_wstring(m);
}

DraftTime ReadTime(const ProfileReader& reader, std::wstring_view section,
                   const std::wstring& key) {
    const std::wstring text = reader.GetText(section, key);
    const int16_t minutes = ReadRowTime(reader, section, key);
    if (text.empty() || text == L"-1") {
        return {};
    }
    if (minutes >= 0 && minutes <= kEndOfDay) {
        return {minutes, L""};
    }
    return {-1, text};
}

std::vector<std::wstring> SplitAtSpaces(std::wstring_view text) {
    std::vector<std::wstring> fields;
    std::size_t from = 0;
    for (std::size_t at = text.find(L' '); at != std::wstring_view::npos;
         at = text.find(L' ', from)) {
        fields.emplace_back(text.substr(from, at - from));
        from = at + 1;
    }
    fields.emplace_back(text.substr(from));
    return fields;
}

// The text in a column of a width in half-width cells (CP932 bytes): cut to leave at
// least one space before the next column, and padded with spaces.
std::wstring Column(std::wstring_view text, int cells) {
    std::wstring column = core::LeftAnsiBytes(text, cells - 1);
    column.append(std::size_t(cells) - core::ToCp932(column).size(), L' ');
    return column;
}

std::wstring ListedTime(const DraftTime& time) {
    return time.Readable() ? TimeShown(time) : L"?";
}

void AddIfChanged(std::vector<KeyChange>& changes, std::wstring_view section, std::wstring key,
                  const std::wstring& value, const std::wstring& asRead) {
    if (value != asRead) {
        changes.push_back({section, std::move(key), value});
    }
}

void AddRowChanges(std::vector<KeyChange>& changes, int row, const DraftRow& was,
                   const DraftRow& now) {
    const std::wstring_view section = RowSection(row);
    const std::wstring n = std::to_wstring(RowNumber(row));
    AddIfChanged(changes, section, L"Item" + n, core::Trim(now.name), core::Trim(was.name));
    if (now.takesPart != was.takesPart) {
        changes.push_back({section, L"Check" + n, now.takesPart ? L"1" : L"0"});
    }
    if (now.start != was.start) {
        changes.push_back({section, L"S_Time" + n, std::to_wstring(now.start.minutes)});
    }
    if (now.end != was.end) {
        changes.push_back({section, L"E_Time" + n, std::to_wstring(now.end.minutes)});
    }
    AddIfChanged(changes, section, L"Remark" + n, core::Trim(now.remark), core::Trim(was.remark));
}

}  // namespace

std::wstring_view RowSection(int row) {
    return row < kMealRows ? L"Meal" : L"Item";
}

int RowNumber(int row) {
    return row < kMealRows ? row + 1 : row - kMealRows + 1;
}

std::wstring RowLabel(int row) {
    return (row < kMealRows ? L"日課" : L"時限") + std::to_wstring(RowNumber(row));
}

TimetableDraft ReadDraft(std::string content) {
    const ProfileReader reader(std::move(content));
    TimetableDraft draft;
    for (int row = 0; row < kTimetableRows; ++row) {
        const std::wstring_view section = RowSection(row);
        const std::wstring n = std::to_wstring(RowNumber(row));
        DraftRow& r = draft.rows[std::size_t(row)];
        r.name = reader.GetText(section, L"Item" + n);
        r.takesPart = reader.GetInt16(section, L"Check" + n, 0) == 1;
        r.start = ReadTime(reader, section, L"S_Time" + n);
        r.end = ReadTime(reader, section, L"E_Time" + n);
        r.remark = reader.GetText(section, L"Remark" + n);
    }
    for (std::size_t day = 0; day < draft.plans.size(); ++day) {
        draft.plans[day] = reader.GetText(L"Cell", L"Cell" + std::to_wstring(day + 1));
    }
    return draft;
}

Timetable DraftTimetable(const TimetableDraft& draft) {
    Timetable timetable;
    for (int row = 0; row < kTimetableRows; ++row) {
        const DraftRow& r = draft.rows[std::size_t(row)];
        TimetableRow& to = row < kMealRows ? timetable.meals[std::size_t(row)]
                                           : timetable.items[std::size_t(row - kMealRows)];
        to = {core::Trim(r.name), int16_t(r.takesPart ? 1 : 0), r.start.minutes, r.end.minutes,
              core::Trim(r.remark)};
    }
    timetable.dayPlans = draft.plans;
    return timetable;
}

std::wstring TimeShown(const DraftTime& time) {
    if (!time.Readable()) {
        return time.unreadable;
    }
    return time.minutes < 0 ? std::wstring() : TimeText(time.minutes);
}

std::wstring RowSummary(int row, const DraftRow& r) {
    constexpr int kLabelCells = 7, kNameCells = 17, kTimesCells = 13;
    const bool timed = r.start != DraftTime{} || r.end != DraftTime{};
    const std::wstring times = timed ? ListedTime(r.start) + L"～" + ListedTime(r.end) : L"";
    return Column(RowLabel(row), kLabelCells) + Column(core::Trim(r.name), kNameCells) +
           Column(times, kTimesCells) + (r.takesPart ? L"○" : L"");
}

std::optional<int16_t> ParseTypedTime(std::wstring_view text) {
    const std::wstring typed = core::Trim(Narrowed(text));
    if (typed.empty()) {
        return int16_t(-1);
    }
    const std::size_t colon = typed.find(L':');
    if (colon == std::wstring::npos || colon < 1 || colon > 2 || typed.size() != colon + 3) {
        return std::nullopt;
    }
    const std::wstring_view hours = std::wstring_view(typed).substr(0, colon);
    const std::wstring_view minutes = std::wstring_view(typed).substr(colon + 1);
    if (!AllDigits(hours) || !AllDigits(minutes)) {
        return std::nullopt;
    }
    const int h = DigitsValue(hours), m = DigitsValue(minutes);
    if ((h > 23 || m > 59) && !(h == 24 && m == 0)) {
        return std::nullopt;
    }
    return int16_t(h * 60 + m);
}

std::wstring PlanShown(std::wstring_view plan) {
    std::vector<std::wstring> fields;
    std::size_t named = 0;  // fields up to the last one that names a row
    const int slots = int((plan.size() + 1) / 2);
    for (int k = 1; k <= slots; ++k) {
        const int number = PlanField(plan, k);
        fields.push_back(number == 0 ? std::wstring() : std::to_wstring(number));
        if (number != 0) {
            named = fields.size();
        }
    }
    if (named == 0) {
        return plan.empty() ? L"" : L"0";
    }
    std::wstring shown;
    for (std::size_t i = 0; i < named; ++i) {
        shown += (i == 0 ? L"" : L" ") + fields[i];
    }
    return shown;
}

std::optional<std::wstring> ParseTypedPlan(std::wstring_view text) {
    std::wstring typed = Narrowed(text);
    typed.erase(typed.find_last_not_of(L' ') + 1);
    if (typed.empty()) {
        return std::wstring();
    }
    const std::vector<std::wstring> fields = SplitAtSpaces(typed);
    if (fields.size() > std::size_t(kPlanSlots)) {
        return std::nullopt;
    }
    std::wstring plan;
    for (const std::wstring& field : fields) {
        if (!field.empty() && (!AllDigits(field) || field.size() > 2)) {
            return std::nullopt;
        }
        const int number = field.empty() ? 0 : DigitsValue(field);
        if (number > kItemRows) {
            return std::nullopt;
        }
        plan += wchar_t(L'0' + number / 10);
        plan += wchar_t(L'0' + number % 10);
    }
    return plan;
}

std::optional<int16_t> ParseTypedSeconds(std::wstring_view text) {
    const std::wstring typed = core::Trim(Narrowed(text));
    if (typed.empty()) {
        return int16_t(0);
    }
    const bool sign = typed.front() == L'-' || typed.front() == L'+';
    const std::wstring_view digits = std::wstring_view(typed).substr(sign ? 1 : 0);
    if (!AllDigits(digits) || digits.size() > 4) {
        return std::nullopt;
    }
    const int value = DigitsValue(digits) * (typed.front() == L'-' ? -1 : 1);
    if (value < -kMaxClockAdjust || value > kMaxClockAdjust) {
        return std::nullopt;
    }
    return int16_t(value);
}

std::vector<KeyChange> ChangedKeys(const TimetableDraft& asRead, const TimetableDraft& edited) {
    std::vector<KeyChange> changes;
    for (int row = 0; row < kTimetableRows; ++row) {
        AddRowChanges(changes, row, asRead.rows[std::size_t(row)], edited.rows[std::size_t(row)]);
    }
    for (std::size_t day = 0; day < edited.plans.size(); ++day) {
        if (PlanShown(edited.plans[day]) != PlanShown(asRead.plans[day])) {
            changes.push_back({L"Cell", L"Cell" + std::to_wstring(day + 1), edited.plans[day]});
        }
    }
    return changes;
}

}  // namespace agent
