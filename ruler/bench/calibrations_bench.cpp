// Reading a settings file of many calibrations, and laying out the longest ruler.
#include <benchmark/benchmark.h>

#include <string>

#include "calibrations.h"
#include "ruler_layout.h"

namespace {

std::string ManyEntries(int count) {
    std::string content = "[MainForm]\r\nTwipPerCm_Cur=1\r\n";
    for (int n = 1; n <= count; ++n) {
        content += "TwipPerCm_Str" + std::to_string(n) + "=17.3inch 1024*768 no." +
                   std::to_string(n) + "\r\nTwipPerCm_Val" + std::to_string(n) + "=567.25\r\n";
    }
    return content;
}

void ReadCalibrations(benchmark::State& state) {
    const std::string content = ManyEntries(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(mensato::ReadCalibrations(content));
    }
}
BENCHMARK(ReadCalibrations)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void LayOutLongestRuler(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            mensato::LayOutRuler({99, 99, mensato::Orientation::Horizontal}, 566.93f));
    }
}
BENCHMARK(LayOutLongestRuler)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
