// Any bytes as a timetable file: reading it, building the day, asking what each minute
// says, and the editor's reading, findings and shown values must never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "agent/timetable.h"
#include "agent/timetable_checks.h"

// Every key lookup reads the whole file again, 157 of them per timetable: inputs are kept
// to 2 KB so that the fuzzer gets through many of them. Lines still run far beyond the
// 255 bytes a value is cut to.
constexpr size_t kMaxInput = 2048;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) {
        return 0;
    }
    const agent::Timetable timetable =
        agent::ReadTimetable(std::string(reinterpret_cast<const char*>(data), size));
    agent::MessageCatalogue catalogue;
    catalogue.recesses.push_back({-1, -1, L"break", 8});
    catalogue.recesses.push_back({0, 5, L"short", 6});
    catalogue.excludedMeals = {1};
    const agent::DayTable table = agent::BuildDayTable(timetable, catalogue);
    for (int now = 0; now < 1440; now += 7) {
        if (const auto current = agent::FindCurrentEntry(table, now)) {
            for (const std::wstring& plan : timetable.dayPlans) {
                agent::EntryTexts(table, table[*current], plan, 1);
            }
        }
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const agent::TimetableDraft draft = agent::ReadDraft(bytes);
    agent::TimetableFindings(draft, {1});
    for (int row = 0; row < agent::kTimetableRows; ++row) {
        agent::RowSummary(row, draft.rows[std::size_t(row)]);
    }
    for (const std::wstring& plan : draft.plans) {
        agent::ParseTypedPlan(agent::PlanShown(plan));
    }
    return 0;
}
