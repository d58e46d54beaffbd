// The timetable file (sections Meal, Item, Cell), the daily list of timed entries built
// from it with the catalogue's wording, and what that list says at a given minute.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "agent/catalogue.h"

namespace agent {

class ProfileReader;

inline constexpr int kMealRows = 9;
inline constexpr int kItemRows = 21;
inline constexpr int kWeekdays = 7;

struct TimetableRow {
    std::wstring name;
    int16_t check = 0;   // 1: the row takes part
    int16_t start = -1;  // minutes after midnight, -1 none
    int16_t end = -1;
    std::wstring remark;
};

struct Timetable {
    std::array<TimetableRow, kMealRows> meals;  // row n at n - 1
    std::array<TimetableRow, kItemRows> items;
    // The day plan of weekday n (Monday 1 ... Sunday 7) at n - 1: two-character fields,
    // field k naming the item row whose wording shows during item row k's slot. An empty
    // plan makes the weekday a holiday.
    std::array<std::wstring, kWeekdays> dayPlans;
};

// A row's time key: minutes after midnight when it holds a plain number (-1 outside the
// 16-bit range), else a clock text "hh:mm"; anything else (or nothing) is -1, not given.
int16_t ReadRowTime(const ProfileReader& reader, std::wstring_view section, std::wstring_view key);

// The number field k (from 1) of a day plan names: its leading digits, 0 when there are
// none or the plan is shorter.
int PlanField(std::wstring_view dayPlan, int k);

// Reads the timetable from the file's bytes. Integers outside the 16-bit range read as
// the key's default.
Timetable ReadTimetable(std::string content);

// Reads the timetable file; a missing file gives the defaults (no row takes part). nullopt
// when the file is there but could not be read (another program held it): its empty day
// plans would make every day a holiday, so the agent then uses no timetable at all.
std::optional<Timetable> LoadTimetableFile(const std::wstring& path);

enum class EntryKind : int16_t { Meal = 1, Item = 2, Recess = 3 };

struct DayEntry {
    int16_t start = -1;
    int16_t end = -1;
    std::wstring headline;
    std::wstring normalText;
    int16_t picture = 0;
    EntryKind kind = EntryKind::Item;
    int16_t number = 0;  // meal or item row number; 0 for a recess
};

using DayTable = std::vector<DayEntry>;

// The daily list: the meal rows taking part (not excluded by the catalogue), the item
// rows taking part, sorted by start, then the recesses between them worded from the
// catalogue's recess lines.
DayTable BuildDayTable(const Timetable& timetable, const MessageCatalogue& catalogue);

// Whether the entry's slot holds minute now (a slot may run over midnight or be open at
// its end).
bool EntryHolds(const DayEntry& entry, int now);

// Index of the first entry whose slot holds minute now (slots may run over midnight or
// be open at their end); nullopt when none does.
std::optional<std::size_t> FindCurrentEntry(const DayTable& dayTable, int now);

struct EntryWording {
    std::wstring headline;
    std::wstring normalText;
    int16_t picture = 0;
    bool rest = false;  // a meal or a recess
};

// What an entry says on a day with the given day plan. An item entry shows the wording
// of the item row the plan names for its slot (none: empty texts and defaultPicture).
EntryWording EntryTexts(const DayTable& dayTable, const DayEntry& entry, std::wstring_view dayPlan,
                        int16_t defaultPicture);

}  // namespace agent
