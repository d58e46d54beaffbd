// The agent's settings file (program name + ".ini" beside the program): window position,
// display and sound options, the timetable path and the five launchers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/text.h"

namespace agent {

inline constexpr int kLauncherCount = 5;

// What the settings need to know of the running program and its machine.
struct AgentEnvironment {
    std::wstring programDir;                // without trailing separator (except a drive root)
    std::wstring programName = L"Tamvoro";  // the program file's name without extension
    core::EnvLookup env;                    // environment variables (WINDIR)
    double screenWidth = 0;                 // twips
    double screenHeight = 0;                // twips
};

// The agent window's place and size, in twips.
class AgentWindowFrame {
  public:
    virtual ~AgentWindowFrame() = default;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void MoveTo(double left, double top) = 0;
};

// One field per key of the file except the window position. Sizes are twips.
struct AgentOptions {
    int16_t formShow = 1;   // 1 shown at start, 0 hidden
    std::wstring schedule;  // timetable file
    // ClockAdjust: seconds added to the system clock, so that the agent keeps to the bell.
    int16_t clockAdjust = 0;
    int16_t soundFlag = 1;  // 0 system beep, 1 wave file, 2 silent
    std::wstring soundFile;
    int16_t pcTime = 7;   // seconds a new message stays
    int16_t fDirect = 1;  // balloon 1 above, 2 below, 3 left, 4 right of the character
    int16_t fWidth = 2700;
    int16_t fHeight = 1845;
    int16_t fbSpace = 60;
    int16_t bPos = 2;   // button row choice of the detail dialog: 1 above, 2 below
    int16_t pFlag = 1;  // 1 pictures shown
    std::array<std::wstring, kLauncherCount> launcherPaths;   // slot i: Launcher(i+1)
    std::array<std::wstring, kLauncherCount> launcherTitles;  // slot i: L_Title(i+1)
    int16_t lPopFlag = 1;
    int16_t fullScreenHide = 1;  // 1: the agent steps aside for a full-screen program

    friend bool operator==(const AgentOptions&, const AgentOptions&) = default;
};

struct AgentSettings {
    AgentOptions values;   // changed by the dialogs
    AgentOptions asRead;   // as loaded; saving writes what differs from it
    int32_t readLeft = 0;  // the window's place right after loading, whole twips
    int32_t readTop = 0;
    // The error number when the file is there but could not be read (another program held
    // it): the values are the defaults, and the file is never written over.
    int readError = 0;
};

std::wstring AgentSettingsPath(const AgentEnvironment& environment);

// Reads the settings file and places the window: at the stored position, or centred on
// the screen when none is stored.
AgentSettings LoadAgentSettings(const AgentEnvironment& environment, AgentWindowFrame& window);

// Writes the values that differ from what was read: the window position when the window
// moved, Form_Show from the menu's "show" tick, the options, all ten launcher keys when
// any launcher changed, and L_Pop_Flag; all in one replace of the file. 0, or the error
// number when they could not be written (the file then stays as it was), also when the
// file could not be read at the start.
int SaveAgentSettings(const AgentSettings& settings, const AgentEnvironment& environment,
                      const AgentWindowFrame& window, bool showTicked);

}  // namespace agent
