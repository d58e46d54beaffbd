// Building a million lines (0-999 by 0-999, all five parts, zero format) against `seq`
// writing a million lines of the same length; prints the ratio of the two times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "line_builder.h"

namespace {

ordinell::RunParams MillionLines() {
    ordinell::RunParams params;
    params.strings = {L"第１文字列", L"第２文字列", L"第３文字列"};
    params.include = {true, true, true, true, true};
    params.numbers = {ordinell::ReadRange(L"0", L"999", true),
                      ordinell::ReadRange(L"0", L"999", true)};
    return params;
}

// Characters of one line, CR LF included.
size_t LineLength() {
    const auto out = ordinell::BuildOutput(MillionLines(), [] { return true; });
    return out ? out->find(L"\r\n") + 2 : 0;
}

// Text is std::wstring (four bytes a character on Linux) or std::u16string (two, the size
// of the Windows program's characters).
template <class Text>
void BM_BuildMillionLines(benchmark::State& state) {
    const ordinell::RunParams params = MillionLines();
    const size_t lineLength = LineLength();
    for (auto _ : state) {
        auto out = ordinell::BuildOutput<Text>(params, [] { return true; });
        benchmark::DoNotOptimize(out->data());
        state.counters["lines"] = static_cast<double>(out->size() / lineLength);
    }
}
BENCHMARK(BM_BuildMillionLines<std::wstring>)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildMillionLines<std::u16string>)->Unit(benchmark::kMillisecond)->UseRealTime();

// seq's lines: digits padded to the same length, LF ending (one character shorter than
// CR LF, so its lines have one more digit).
void BM_SeqMillionLines(benchmark::State& state) {
    const std::string command =
        "seq -f '%0" + std::to_string(LineLength() - 1) + ".0f' 1 1000000 > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("seq failed");
            return;
        }
    }
}
BENCHMARK(BM_SeqMillionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints as usual and remembers each benchmark's time (the median when repeated) for the
// ratio.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Single runs, or the median of repeated ones.
            if (run.aggregate_name.empty() || run.aggregate_name == "median") {
                times_[run.run_name.str()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        const auto seq = times_.find("BM_SeqMillionLines/real_time");
        if (seq == times_.end()) {
            return;
        }
        for (const char* text : {"std::wstring", "std::u16string"}) {
            const auto build =
                times_.find(std::string("BM_BuildMillionLines<") + text + ">/real_time");
            if (build != times_.end()) {
                std::printf("build (%s) / seq = %.3f (below 1: faster than seq)\n", text,
                            build->second / seq->second);
            }
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
