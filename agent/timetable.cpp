#include "agent/timetable.h"

#include <algorithm>
#include <utility>

#include "agent/profile_reader.h"
#include "core/files.h"

namespace agent {

namespace {

bool IsPlainNumber(std::wstring_view text) {
    const std::size_t digits = text.substr(0, 1) == L"-" ? 1 : 0;
    return text.size() > digits &&
           text.find_first_not_of(L"0123456789", digits) == std::wstring_view::npos;
}

template <std::size_t N>
void ReadRows(const ProfileReader& reader, std::wstring_view section,
              std::array<TimetableRow, N>& rows) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::wstring n = std::to_wstring(i + 1);
        TimetableRow& row = rows[i];
        row.name = reader.GetText(section, L"Item" + n);
        row.check = reader.GetInt16(section, L"Check" + n, 0);
        row.start = ReadRowTime(reader, section, L"S_Time" + n);
        row.end = ReadRowTime(reader, section, L"E_Time" + n);
        row.remark = reader.GetText(section, L"Remark" + n);
    }
}

DayEntry RowEntry(const TimetableRow& row, const MessageCatalogue& catalogue) {
    DayEntry entry;
    entry.start = row.start;
    entry.end = row.end;
    entry.headline = catalogue.headlinePrefix + row.name + catalogue.headlineSuffix;
    entry.normalText = catalogue.normalPrefix + row.name + catalogue.normalSuffix;
    if (!row.remark.empty()) {
        entry.normalText += L"\r\n<< " + row.remark + L" >>";
    }
    return entry;
}

bool IsExcluded(const MessageCatalogue& catalogue, int row) {
    return std::find(catalogue.excludedMeals.begin(), catalogue.excludedMeals.end(), row) !=
           catalogue.excludedMeals.end();
}

// Swaps entry i with entry j whenever i starts earlier, for every pair i, j in turn: the
// entries end in ascending order of start, and entries with equal starts in the order this
// leaves them.
void SortByStart(DayTable& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (std::size_t j = 0; j < table.size(); ++j) {
            if (table[i].start < table[j].start) {
                std::swap(table[i], table[j]);
            }
        }
    }
}

// Words a recess of the given length: lines without a range word it and the search goes
// on; the first line whose range holds the length words it and ends the search.
void WordRecess(DayEntry& recess, const std::vector<RecessWording>& wordings) {
    const int length = recess.end - recess.start;
    for (const RecessWording& wording : wordings) {
        const bool fits = wording.lengthFrom <= length && length <= wording.lengthTo;
        if (!wording.HasRange() || fits) {
            recess.headline = wording.text;
            recess.normalText = wording.text;
            recess.picture = wording.picture;
        }
        if (wording.HasRange() && fits) {
            return;
        }
    }
}

void AppendRecesses(DayTable& table, const std::vector<RecessWording>& wordings) {
    const std::size_t count = table.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        // Computed in int: no 16-bit value makes these leave the 16-bit range when the
        // condition holds.
        const int start = table[i].end + 1;
        const int end = table[i + 1].start - 1;
        if (start <= end) {
            DayEntry recess;
            recess.start = static_cast<int16_t>(start);
            recess.end = static_cast<int16_t>(end);
            recess.kind = EntryKind::Recess;
            WordRecess(recess, wordings);
            table.push_back(std::move(recess));
        }
    }
}

}  // namespace

int16_t ReadRowTime(const ProfileReader& reader, std::wstring_view section, std::wstring_view key) {
    const std::wstring text = reader.GetText(section, key);
    if (IsPlainNumber(text)) {
        return reader.GetInt16(section, key, -1);
    }
    return ParseClockTime(text);
}

int PlanField(std::wstring_view dayPlan, int k) {
    const std::size_t first = 2 * static_cast<std::size_t>(k - 1);
    if (k < 1 || first >= dayPlan.size()) {
        return 0;
    }
    int value = 0;
    for (wchar_t c : dayPlan.substr(first, 2)) {
        if (c < L'0' || c > L'9') {
            break;
        }
        value = value * 10 + (c - L'0');
    }
    return value;
}

Timetable ReadTimetable(std::string content) {
    const ProfileReader reader(std::move(content));
    Timetable timetable;
    ReadRows(reader, L"Meal", timetable.meals);
    ReadRows(reader, L"Item", timetable.items);
    for (std::size_t i = 0; i < timetable.dayPlans.size(); ++i) {
        timetable.dayPlans[i] = reader.GetText(L"Cell", L"Cell" + std::to_wstring(i + 1));
    }
    return timetable;
}

std::optional<Timetable> LoadTimetableFile(const std::wstring& path) {
    core::FileRead read = core::ReadFileBytes(path);
    if (read.error == 0) {
        return ReadTimetable(std::move(read.bytes));
    }
    if (core::FileMissing(read, path)) {
        return Timetable();
    }
    return std::nullopt;
}

DayTable BuildDayTable(const Timetable& timetable, const MessageCatalogue& catalogue) {
    DayTable table;
    for (std::size_t i = 0; i < timetable.meals.size(); ++i) {
        const TimetableRow& row = timetable.meals[i];
        const int number = static_cast<int>(i + 1);
        if (row.check == 1 && !IsExcluded(catalogue, number)) {
            DayEntry entry = RowEntry(row, catalogue);
            entry.picture = catalogue.holidayPicture;
            entry.kind = EntryKind::Meal;
            entry.number = static_cast<int16_t>(number);
            table.push_back(std::move(entry));
        }
    }
    for (std::size_t i = 0; i < timetable.items.size(); ++i) {
        const TimetableRow& row = timetable.items[i];
        if (row.check == 1) {
            DayEntry entry = RowEntry(row, catalogue);
            entry.picture = catalogue.itemPicture;
            entry.kind = EntryKind::Item;
            entry.number = static_cast<int16_t>(i + 1);
            table.push_back(std::move(entry));
        }
    }
    SortByStart(table);
    if (!catalogue.recesses.empty()) {
        AppendRecesses(table, catalogue.recesses);
    }
    std::erase_if(table, [](const DayEntry& entry) {
        return entry.kind == EntryKind::Recess && entry.headline.empty();
    });
    return table;
}

bool EntryHolds(const DayEntry& entry, int now) {
    const bool inside = entry.start <= now && now <= entry.end;
    const bool overMidnight = entry.start > entry.end && (now >= entry.start || now <= entry.end);
    return inside || overMidnight;
}

std::optional<std::size_t> FindCurrentEntry(const DayTable& dayTable, int now) {
    for (std::size_t i = 0; i < dayTable.size(); ++i) {
        if (EntryHolds(dayTable[i], now)) {
            return i;
        }
    }
    return std::nullopt;
}

EntryWording EntryTexts(const DayTable& dayTable, const DayEntry& entry, std::wstring_view dayPlan,
                        int16_t defaultPicture) {
    if (entry.kind != EntryKind::Item) {
        return {entry.headline, entry.normalText, entry.picture, true};
    }
    const int shown = PlanField(dayPlan, entry.number);
    for (const DayEntry& e : dayTable) {
        if (e.kind == EntryKind::Item && e.number == shown) {
            return {e.headline, e.normalText, e.picture, false};
        }
    }
    return {L"", L"", defaultPicture, false};
}

}  // namespace agent
