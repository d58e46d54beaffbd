// A plain timing program for the Windows build (run under Wine): the time of one burst at
// each default level and the time per addition, best of several runs.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "burst.h"
#include "level_counts.h"

int main() {
    constexpr int kRuns = 7;
    for (size_t level = 0; level < lindrow::kDefaultLevelCounts.size(); ++level) {
        const int32_t count = lindrow::kDefaultLevelCounts[level];
        double best = 1e300;
        for (int run = 0; run < kRuns; ++run) {
            const auto start = std::chrono::steady_clock::now();
            lindrow::RunBurst(count);
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            best = std::min(best, elapsed.count());
        }
        std::printf("Level %zu  count %10d  burst %9.3f ms  per addition %.3f ns\n", level + 1,
                    count, best * 1e3, best * 1e9 / (static_cast<double>(count) + 1));
    }
    return 0;
}
