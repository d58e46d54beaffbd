#include "calibrations.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/files.h"
#include "core/profile.h"
#include "core/runtime.h"
#include "core/text.h"

namespace mensato {

namespace {

constexpr std::string_view kSection = "MainForm";
constexpr std::string_view kCurrentKey = "TwipPerCm_Cur";
constexpr int32_t kLastEntry = std::numeric_limits<int16_t>::max();

std::string NameKey(size_t n) {
    return "TwipPerCm_Str" + std::to_string(n);
}

std::string ValueKey(size_t n) {
    return "TwipPerCm_Val" + std::to_string(n);
}

// A value as the program reads it: the buffer cut to the byte count, trimmed. (A double-byte
// character cut in half becomes a trailing space, which trimming removes.)
std::wstring ReadText(std::string_view content, const std::string& key) {
    return core::Trim(core::FromCp932(core::profile::ReadString(content, kSection, key, "").bytes));
}

void Write(std::string& content, std::string_view key, std::wstring_view value) {
    content = core::profile::WriteString(content, kSection, key, core::ToCp932(value));
}

}  // namespace

StoredCalibrations ReadCalibrations(std::string_view content) {
    StoredCalibrations stored;
    stored.currentEntry = core::profile::ReadInt(content, kSection, kCurrentKey, 0);
    for (int32_t n = 1; n <= kLastEntry; ++n) {
        std::wstring name = ReadText(content, NameKey(n));
        if (name.empty()) {
            break;
        }
        stored.entries.push_back(
            {std::move(name), TwipsPerCmFromText(ReadText(content, ValueKey(n)))});
    }
    return stored;
}

int16_t UsableCurrentEntry(int32_t stored, size_t entryCount) {
    if (stored < 1 || static_cast<size_t>(stored) > entryCount) {
        return 0;
    }
    return static_cast<int16_t>(stored);
}

std::optional<std::string> SavedCalibrations(std::string_view content,
                                             const StoredCalibrations& loaded,
                                             const StoredCalibrations& now) {
    const bool currentChanged = now.currentEntry != loaded.currentEntry;
    const bool listChanged = now.entries != loaded.entries;
    if (!currentChanged && !listChanged) {
        return std::nullopt;
    }
    std::string saved(content);
    if (currentChanged) {
        Write(saved, kCurrentKey, std::to_wstring(now.currentEntry));
    }
    if (listChanged) {
        for (size_t n = 1; n <= now.entries.size(); ++n) {
            const CalibrationEntry& entry = now.entries[n - 1];
            Write(saved, NameKey(n), entry.name);
            Write(saved, ValueKey(n), TwipsPerCmText(entry.twipsPerCm));
        }
        for (size_t n = now.entries.size() + 1; n <= loaded.entries.size(); ++n) {
            Write(saved, NameKey(n), L"");
            Write(saved, ValueKey(n), L"");
        }
    }
    return saved;
}

float TwipsPerCmFromText(std::wstring_view text) {
    const double value = core::Val(text);
    constexpr double kLargest = std::numeric_limits<float>::max();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::abs(value) > kLargest) {
        return value > 0 ? kInfinity : -kInfinity;
    }
    return static_cast<float>(value);
}

std::wstring TwipsPerCmText(float twipsPerCm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(twipsPerCm));
    return core::FromUtf8(text);
}

bool NameSurvivesSettingsFile(std::wstring_view name) {
    if (name.empty() || core::FromCp932(core::ToCp932(name)) != name) {
        return false;
    }
    std::string content;
    Write(content, NameKey(1), name);
    return ReadText(content, NameKey(1)) == name;
}

CalibrationsFile LoadCalibrations(const std::wstring& path) {
    const core::FileRead read = core::ReadFileBytes(path);
    const bool exists = core::FileExists(path);
    return {exists, exists ? read.error : 0, ReadCalibrations(read.error == 0 ? read.bytes : "")};
}

int SaveCalibrations(const std::wstring& path, const StoredCalibrations& loaded,
                     const StoredCalibrations& now) {
    core::FileRead read = core::ReadFileBytes(path);
    // A file that is there but cannot be read is never replaced by one holding only ours.
    if (read.error != 0 && !core::FileMissing(read, path)) {
        return read.error;
    }
    const std::optional<std::string> saved = SavedCalibrations(read.bytes, loaded, now);
    if (!saved || *saved == read.bytes) {
        return 0;
    }
    return core::WriteFileReplacing(path, *saved);
}

}  // namespace mensato
