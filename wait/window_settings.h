// Lindrow's [MainForm] settings: the level chosen last and the window position.
#pragma once

#include <cstdint>

#include "core/geometry.h"
#include "core/profile.h"

namespace lindrow {

// Stored for a position key that is missing: the window is then centred.
inline constexpr int32_t kPositionNotStored = -480000;

// The level button selected when the file names none (Level 2).
inline constexpr int32_t kDefaultLevel = 1;

// [MainForm] as read at start; level is the raw stored index, possibly out of range.
struct StoredWindow {
    int32_t level = kDefaultLevel;
    int32_t left = kPositionNotStored;
    int32_t top = kPositionNotStored;
};

StoredWindow LoadStoredWindow(const core::ProfileFile& file);

// The level button a stored index selects. An index that names no button (hand-edited
// outside 0..2) selects Level 2, the default; since that differs from what was read, the
// valid index is written back at exit.
int LevelButtonFor(int32_t storedLevel);

// The window position before it is kept on screen: the stored coordinates, each axis
// centred on the screen (whole twips) when it is not stored.
core::Position StartPosition(const StoredWindow& stored, double windowWidth, double windowHeight,
                             double screenWidth, double screenHeight);

// What the window was at start and is at exit, for SaveWindowSettings.
struct WindowState {
    int32_t level = kDefaultLevel;
    int32_t left = 0;
    int32_t top = 0;
};

// Writes only what changed: Current_Level when the selected level differs from the
// stored index, Left and Top when they differ from the position at start. The caller
// passes the window's normal-state position (a minimised or maximised window is
// restored first). 0, or the error number of the first write that failed.
int SaveWindowSettings(core::ProfileFile& file, const WindowState& atStart,
                       const WindowState& atExit);

}  // namespace lindrow
