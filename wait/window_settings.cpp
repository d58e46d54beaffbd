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

// A stored integer: its leading number, or the default when the value is missing or does
// not start with one (a hand-edited "abc" included).
int32_t ReadInt(const core::ProfileFile& file, std::wstring_view key, int32_t defaultValue) {
    const std::wstring text = file.GetString(kSection, key).text;
    size_t i = text.find_first_not_of(L" \t");
    if (i != std::wstring::npos && (text[i] == L'+' || text[i] == L'-')) {
        ++i;
    }
    const bool number = i < text.size() && text[i] >= L'0' && text[i] <= L'9';
    return number ? file.GetInt(kSection, key, defaultValue) : defaultValue;
}

int WriteIfChanged(core::ProfileFile& file, std::wstring_view key, int32_t before, int32_t now) {
    return now != before ? file.WriteStringOrError(kSection, key, std::to_wstring(now)) : 0;
}

}  // namespace

StoredWindow LoadStoredWindow(const core::ProfileFile& file) {
    return {ReadInt(file, kLevelKey, kDefaultLevel), ReadInt(file, kLeftKey, kPositionNotStored),
            ReadInt(file, kTopKey, kPositionNotStored)};
}

int LevelButtonFor(int32_t storedLevel) {
    return storedLevel >= 0 && storedLevel <= 2 ? storedLevel : kDefaultLevel;
}

core::Position StartPosition(const StoredWindow& stored, double windowWidth, double windowHeight,
                             double screenWidth, double screenHeight) {
    return {Centred(stored.left, windowWidth, screenWidth),
            Centred(stored.top, windowHeight, screenHeight)};
}

int SaveWindowSettings(core::ProfileFile& file, const WindowState& atStart,
                       const WindowState& atExit) {
    int error = WriteIfChanged(file, kLevelKey, atStart.level, atExit.level);
    if (error == 0) {
        error = WriteIfChanged(file, kLeftKey, atStart.left, atExit.left);
    }
    if (error == 0) {
        error = WriteIfChanged(file, kTopKey, atStart.top, atExit.top);
    }
    return error;
}

}  // namespace lindrow
