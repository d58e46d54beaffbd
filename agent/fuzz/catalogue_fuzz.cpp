// Any bytes as a message catalogue: the reader must never crash, whatever the line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "agent/catalogue.h"
#include "agent/timetable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    agent::CatalogueRead read = agent::ParseMessageCatalogue(bytes, L"/nonexistent", 2024);
    // Use what was read as the agent does: match every timed entry and word a day table.
    for (int minute : {0, 720, 1439}) {
        for (const agent::TimedEntry& entry : read.catalogue.schedules) {
            agent::TimedEntryMatches(entry, 100, minute);
        }
    }
    agent::Timetable timetable;
    timetable.items[0] = {L"a", 1, 500, 510, L""};
    timetable.items[1] = {L"b", 1, 600, 610, L"r"};
    agent::BuildDayTable(timetable, read.catalogue);
    return 0;
}
