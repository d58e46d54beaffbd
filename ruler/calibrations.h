// Mensato.ini: the named calibrations and the one in use, section [MainForm].
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mensato {

struct CalibrationEntry {
    std::wstring name;  // trimmed
    float twipsPerCm = 0;
    friend bool operator==(const CalibrationEntry&, const CalibrationEntry&) = default;
};

struct StoredCalibrations {
    int32_t currentEntry = 0;  // 1-based, 0 for none; as stored, possibly beyond the list
    std::vector<CalibrationEntry> entries;
    friend bool operator==(const StoredCalibrations&, const StoredCalibrations&) = default;
};

// The calibrations in a settings file's bytes: TwipPerCm_Cur, then TwipPerCm_Str<n> and
// TwipPerCm_Val<n> for n = 1, 2, ... up to the first empty name. An entry beyond 32767,
// which the 16-bit current entry cannot name, is not read.
StoredCalibrations ReadCalibrations(std::string_view content);

// The entry in use as the program keeps it: the stored one, or 0 when it names no entry.
int16_t UsableCurrentEntry(int32_t stored, size_t entryCount);

// The file's bytes after saving: TwipPerCm_Cur when the entry in use changed, the whole
// list when any entry changed, with the keys of entries past the new end blanked so that
// reading stops there. nullopt when nothing changed and nothing is to be written.
std::optional<std::string> SavedCalibrations(std::string_view content,
                                             const StoredCalibrations& loaded,
                                             const StoredCalibrations& now);

// The leading number of a text as a single-precision calibration; a number beyond the
// single range becomes an infinity of its sign, which no ruler accepts.
float TwipsPerCmFromText(std::wstring_view text);

// A calibration as text: decimal, at most 7 significant digits ("567.25").
std::wstring TwipsPerCmText(float twipsPerCm);

// True when the name, written to the settings file, reads back unchanged: not empty, no
// enclosing quotes, no blanks the reader trims, only characters Shift-JIS has, at most 255
// bytes. Any other name would change or end the list on the next start.
bool NameSurvivesSettingsFile(std::wstring_view name);

// ---- The file beside the program

struct CalibrationsFile {
    bool exists = false;
    int readError = 0;  // the error number when the file is there but could not be read
    StoredCalibrations stored;
};

CalibrationsFile LoadCalibrations(const std::wstring& path);

// Writes what SavedCalibrations gives as one new file replacing the old; 0, or the error
// number when the file could not be read or written (the previous file then stays).
int SaveCalibrations(const std::wstring& path, const StoredCalibrations& loaded,
                     const StoredCalibrations& now);

}  // namespace mensato
