// The timetable as the editor holds it: every row and day plan as read from the file, how
// each is shown and typed, and the keys a save writes (only those whose value changed).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "agent/profile_changes.h"
#include "agent/timetable.h"

namespace agent {

// The editor's rows in file order: meal rows 1…9, then item rows 1…21.
inline constexpr int kTimetableRows = kMealRows + kItemRows;

// A row's start or end time.
struct DraftTime {
    int16_t minutes = -1;     // -1: not given
    std::wstring unreadable;  // the file's text when it is no time; kept until replaced

    bool Readable() const { return unreadable.empty(); }
    friend bool operator==(const DraftTime&, const DraftTime&) = default;
};

struct DraftRow {
    std::wstring name;
    bool takesPart = false;  // Check = 1
    DraftTime start;
    DraftTime end;
    std::wstring remark;
};

struct TimetableDraft {
    std::array<DraftRow, kTimetableRows> rows;
    // The day plans of Monday … Sunday in the file's form (two characters per slot).
    std::array<std::wstring, kWeekdays> plans;
};

// The section and number of the editor's row (from 0), and its label "日課n" / "時限n".
std::wstring_view RowSection(int row);
int RowNumber(int row);
std::wstring RowLabel(int row);

TimetableDraft ReadDraft(std::string content);

// The timetable the agent would build from the draft (times it cannot read count as not
// given).
Timetable DraftTimetable(const TimetableDraft& draft);

// A time as the editor shows it: "8:50", empty when not given, the file's own text when
// it is no time.
std::wstring TimeShown(const DraftTime& time);

// The row's line in the editor's list, in columns for a fixed-pitch font: label, name,
// times "8:50～9:35" ("?" for one the file gives as no time) and "○" when it takes part.
std::wstring RowSummary(int row, const DraftRow& r);

// A typed time, "8:50", "08:50" or full-width "８：５０": minutes after midnight (-1 for
// an empty box); nullopt for anything else.
std::optional<int16_t> ParseTypedTime(std::wstring_view text);

// A day plan as the editor shows it: the item numbers of its slots separated by spaces,
// a slot that names no row left empty ("0102000405" is "1 2  4 5"). A plan that is not
// empty but names no row at all shows "0", so that it does not look like a holiday.
std::wstring PlanShown(std::wstring_view plan);

// A typed day plan (numbers 0…21, at most 21 of them, separated by spaces; an empty slot
// between two spaces) in the file's form; nullopt when it is not one.
std::optional<std::wstring> ParseTypedPlan(std::wstring_view text);

// A typed clock adjustment in seconds, within ±kMaxClockAdjust (empty is 0).
std::optional<int16_t> ParseTypedSeconds(std::wstring_view text);

// The keys whose value differs between what was read and what was edited, in file order:
// names and remarks trimmed, Check as 1 / 0, times as minute counts (-1 not given), day
// plans in the file's form. A time or plan counts as changed only when it means something
// else, so retyping a value the same way writes nothing.
std::vector<KeyChange> ChangedKeys(const TimetableDraft& asRead, const TimetableDraft& edited);

}  // namespace agent
