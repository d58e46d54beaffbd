// Loading a catalogue of 30,000 timed balloon messages, and evaluating one minute against
// all of them as the tick does.
#include <benchmark/benchmark.h>

#include <string>

#include "agent/catalogue.h"
#include "core/text.h"

namespace {

constexpr int kLines = 30000;

// Timed lines of every form: dates, ranges over the year's end, times, ranges over
// midnight, pictures.
std::string ScheduleLines() {
    std::string bytes = "DATE=\"yyyy/mm/dd\"\r\nTIME=\"hh:nn\"\r\n";
    for (int i = 0; i < kLines; ++i) {
        const int month = i % 12 + 1;
        const int day = i % 28 + 1;
        const int hour = i % 24;
        std::wstring line = L"SCHEDULE=";
        switch (i % 5) {
            case 0:
                line += L"[" + std::to_wstring(month) + L"/" + std::to_wstring(day) + L"]";
                break;
            case 1:
                line += L"[12/" + std::to_wstring(day) + L"-1/" + std::to_wstring(day) + L"]";
                break;
            case 2:
                line += L"{" + std::to_wstring(hour) + L":15-" + std::to_wstring((hour + 3) % 24) +
                        L":45}";
                break;
            case 3:
                line += L"[" + std::to_wstring(month) + L"/1-" + std::to_wstring(month) + L"/" +
                        std::to_wstring(day) + L"]{" + std::to_wstring(hour) + L":00}";
                break;
            default:
                break;
        }
        line += L"\"お知らせ その" + std::to_wstring(i) + L"です。\",Picture_Info_Good\r\n";
        bytes += core::ToCp932(line);
    }
    return bytes;
}

void BM_LoadCatalogue(benchmark::State& state) {
    const std::string bytes = ScheduleLines();
    for (auto _ : state) {
        agent::CatalogueRead read = agent::ParseMessageCatalogue(bytes, L"/nonexistent", 2026);
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

void BM_EvaluateMinute(benchmark::State& state) {
    const agent::MessageCatalogue catalogue =
        agent::ParseMessageCatalogue(ScheduleLines(), L"/nonexistent", 2026).catalogue;
    int minute = 0;
    for (auto _ : state) {
        std::wstring headline;
        for (const agent::TimedEntry& entry : catalogue.schedules) {
            if (agent::TimedEntryMatches(entry, 340, minute)) {
                headline.append(L"\r\n").append(entry.text);
            }
        }
        benchmark::DoNotOptimize(headline);
        minute = (minute + 1) % 1440;
    }
    state.counters["entries"] = static_cast<double>(catalogue.schedules.size());
}
BENCHMARK(BM_EvaluateMinute)->Unit(benchmark::kMicrosecond);

}  // namespace
