// What a resident program asks of the user's desktop: the foreground window, the
// monitors, and its entry in the list of programs started with Windows (the values of
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/host.h"

namespace win32 {

forms::ForegroundWindow ForegroundWindowNow();

// Each monitor's rectangle, the primary monitor first.
std::vector<forms::Rect> MonitorRects();

std::optional<std::wstring> ReadStartUpEntry(std::wstring_view name);
// Writes the entry (a string value) or, with text nullopt, removes it; a missing entry
// counts as removed. False when the registry refused the change.
bool WriteStartUpEntry(std::wstring_view name, const std::optional<std::wstring>& text);

}  // namespace win32
