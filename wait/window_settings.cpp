#include "window_settings.h"

#include <string>

#include "core/runtime.h"

namespace lindrow {

namespace {

constexpr std::wstring_view kSection = L"MainForm";
constexpr std::wstring_view kLevelKey = L"Current_Level";
constexpr std::wstring_view kLeftKey = L"Left";
constexpr std::wstring_view kTopKey = L"Top";

int32_t Centred(int32_t stored, double windowSize, double screenSize) {
    if (stored != kPositionNotStored) {
        return stored;
    }
    return core::RoundToInt32((screenSize - windowSize) / 2).value_or(0);
}

void WriteIfChanged(core::ProfileFile& file, std::wstring_view key, int32_t before, int32_t now) {
    if (now != before) {
        file.WriteString(kSection, key, std::to_wstring(now));
    }
}

}  // namespace

StoredWindow LoadStoredWindow(const core::ProfileFile& file) {
    return {file.GetInt(kSection, kLevelKey, kDefaultLevel),
            file.GetInt(kSection, kLeftKey, kPositionNotStored),
            file.GetInt(kSection, kTopKey, kPositionNotStored)};
}

int LevelButtonFor(int32_t storedLevel) {
    return storedLevel >= 0 && storedLevel <= 2 ? storedLevel : kDefaultLevel;
}

core::Position StartPosition(const StoredWindow& stored, double windowWidth, double windowHeight,
                             double screenWidth, double screenHeight) {
    return {Centred(stored.left, windowWidth, screenWidth),
            Centred(stored.top, windowHeight, screenHeight)};
}

void SaveWindowSettings(core::ProfileFile& file, const WindowState& atStart,
                        const WindowState& atExit) {
    WriteIfChanged(file, kLevelKey, atStart.level, atExit.level);
    WriteIfChanged(file, kLeftKey, atStart.left, atExit.left);
    WriteIfChanged(file, kTopKey, atStart.top, atExit.top);
}

}  // namespace lindrow
