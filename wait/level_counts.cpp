#include "level_counts.h"

#include <limits>

#include "core/runtime.h"

namespace lindrow {

namespace {

constexpr std::wstring_view kSection = L"Option";
constexpr std::array<std::wstring_view, 3> kKeys{L"Level1", L"Level2", L"Level3"};

}  // namespace

LevelCounts LoadLevelCounts(const core::ProfileFile& file) {
    LevelCounts counts{};
    for (size_t i = 0; i < counts.size(); ++i) {
        counts[i] = file.GetInt(kSection, kKeys[i], 0);
    }
    if (counts == LevelCounts{}) {
        return kDefaultLevelCounts;
    }
    return counts;
}

int SaveLevelCounts(core::ProfileFile& file, const LevelCounts& counts) {
    for (size_t i = 0; i < counts.size(); ++i) {
        if (const int error = file.WriteStringOrError(kSection, kKeys[i], CountText(counts[i]))) {
            return error;
        }
    }
    return 0;
}

int32_t CountFromBox(std::wstring& boxText) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const double value = core::Val(boxText);
    if (value > kMax) {
        boxText = std::to_wstring(kMax);
        return kMax;
    }
    if (value < kMin) {
        boxText = std::to_wstring(kMin);
        return kMin;
    }
    // Within [kMin, kMax] the rounded value always fits.
    return core::RoundToInt32(value).value_or(0);
}

std::wstring CountText(int32_t count) {
    return core::FormatNumber(count, L"#");
}

}  // namespace lindrow
