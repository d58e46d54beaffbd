#include "agent/settings.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "agent/option_checks.h"
#include "agent/profile_changes.h"
#include "agent/profile_reader.h"
#include "core/files.h"
#include "core/runtime.h"

namespace agent {

namespace {

constexpr std::wstring_view kMainForm = L"MainForm";
constexpr std::wstring_view kOption = L"Option";

struct IntKey {
    std::wstring_view name;
    int16_t AgentOptions::*field;
};

// The integer options after the sound keys, in file order.
constexpr IntKey kLayoutKeys[] = {
    {L"P_C_Time", &AgentOptions::pcTime},  {L"F_Direct", &AgentOptions::fDirect},
    {L"F_Width", &AgentOptions::fWidth},   {L"F_Height", &AgentOptions::fHeight},
    {L"FB_Space", &AgentOptions::fbSpace}, {L"B_Pos", &AgentOptions::bPos},
    {L"P_Flag", &AgentOptions::pFlag},
};

std::wstring LauncherKey(std::size_t slot) {
    return L"Launcher" + std::to_wstring(slot + 1);
}
std::wstring TitleKey(std::size_t slot) {
    return L"L_Title" + std::to_wstring(slot + 1);
}

int32_t WholeTwips(double twips) {
    return core::RoundToInt32(twips).value_or(0);
}

// The stored coordinate, or the centre of the screen when the key holds the sentinel
// (minus the window's size) that stands for "not stored". Positions are window
// coordinates and keep their full 32-bit range, so a window on a second screen far to
// the right comes back where it was.
double PlaceOnAxis(const ProfileReader& reader, std::wstring_view key, double windowSize,
                   double screenSize) {
    const int32_t missing = -WholeTwips(windowSize);
    const int32_t stored = reader.GetInt32(kMainForm, key, missing);
    if (stored == missing) {
        return std::trunc((screenSize - windowSize) / 2);
    }
    return stored;
}

// With no sound file named and the wave file chosen, the system's notify sound is used
// when it exists; otherwise the announcement falls back to the system beep.
void ApplySoundDefault(AgentOptions& options, const core::EnvLookup& env) {
    if (!options.soundFile.empty() || EffectiveSoundFlag(options.soundFlag) != 1) {
        return;
    }
    std::wstring windir;
    if (env) {
        windir = env(L"WINDIR").value_or(L"");
    }
    const std::wstring path = windir + L"\\Media\\" + L"notify.wav";
    if (core::FileExists(path)) {
        options.soundFile = path;
    } else {
        options.soundFlag = 0;
    }
}

AgentOptions ReadOptions(const ProfileReader& reader, const core::EnvLookup& env) {
    const AgentOptions defaults;
    AgentOptions o;
    o.formShow = reader.GetInt16(kMainForm, L"Form_Show", defaults.formShow);
    o.schedule = reader.GetText(kOption, L"Schedule");
    o.clockAdjust = reader.GetInt16(kOption, L"ClockAdjust", defaults.clockAdjust);
    o.soundFlag = reader.GetInt16(kOption, L"SoundFlag", defaults.soundFlag);
    o.soundFile = reader.GetText(kOption, L"SoundFile");
    ApplySoundDefault(o, env);
    for (const IntKey& key : kLayoutKeys) {
        o.*key.field = reader.GetInt16(kOption, key.name, defaults.*key.field);
    }
    for (std::size_t slot = 0; slot < o.launcherPaths.size(); ++slot) {
        o.launcherPaths[slot] = reader.GetText(kOption, LauncherKey(slot));
        o.launcherTitles[slot] = reader.GetText(kOption, TitleKey(slot));
    }
    o.lPopFlag = reader.GetInt16(kOption, L"L_Pop_Flag", defaults.lPopFlag);
    // Any value but 0 stands for on, and is kept as read unless the menu turns it off.
    o.fullScreenHide =
        reader.GetInt16(kOption, L"FullScreenHide", defaults.fullScreenHide) != 0 ? 1 : 0;
    return o;
}

void AddInt(std::vector<KeyChange>& changes, std::wstring_view section, std::wstring_view key,
            int32_t value) {
    changes.push_back({section, std::wstring(key), std::to_wstring(value)});
}

void AddIfChanged(std::vector<KeyChange>& changes, std::wstring_view key, const std::wstring& value,
                  const std::wstring& asRead) {
    if (value != asRead) {
        changes.push_back({kOption, std::wstring(key), value});
    }
}

void AddIfChanged(std::vector<KeyChange>& changes, std::wstring_view key, int16_t value,
                  int16_t asRead) {
    if (value != asRead) {
        AddInt(changes, kOption, key, value);
    }
}

void AddOptions(std::vector<KeyChange>& changes, const AgentOptions& o,
                const AgentOptions& asRead) {
    AddIfChanged(changes, L"Schedule", o.schedule, asRead.schedule);
    AddIfChanged(changes, L"ClockAdjust", o.clockAdjust, asRead.clockAdjust);
    AddIfChanged(changes, L"SoundFlag", o.soundFlag, asRead.soundFlag);
    AddIfChanged(changes, L"SoundFile", o.soundFile, asRead.soundFile);
    for (const IntKey& key : kLayoutKeys) {
        AddIfChanged(changes, key.name, o.*key.field, asRead.*key.field);
    }
    // The launchers are written as a whole: all ten keys when any of them changed.
    if (o.launcherPaths != asRead.launcherPaths || o.launcherTitles != asRead.launcherTitles) {
        for (std::size_t slot = 0; slot < o.launcherPaths.size(); ++slot) {
            changes.push_back({kOption, LauncherKey(slot), o.launcherPaths[slot]});
            changes.push_back({kOption, TitleKey(slot), o.launcherTitles[slot]});
        }
    }
    AddIfChanged(changes, L"L_Pop_Flag", o.lPopFlag, asRead.lPopFlag);
    AddIfChanged(changes, L"FullScreenHide", o.fullScreenHide, asRead.fullScreenHide);
}

}  // namespace

std::wstring AgentSettingsPath(const AgentEnvironment& environment) {
    return core::AppFilePath(environment.programDir, environment.programName + L".ini");
}

AgentSettings LoadAgentSettings(const AgentEnvironment& environment, AgentWindowFrame& window) {
    const std::wstring path = AgentSettingsPath(environment);
    core::FileRead read = core::ReadFileBytes(path);
    const bool missing = core::FileMissing(read, path);
    const ProfileReader reader(read.error == 0 ? std::move(read.bytes) : std::string());
    const double top = PlaceOnAxis(reader, L"Top", window.Height(), environment.screenHeight);
    const double left = PlaceOnAxis(reader, L"Left", window.Width(), environment.screenWidth);
    window.MoveTo(left, top);

    AgentSettings settings;
    settings.readError = missing ? 0 : read.error;
    settings.readLeft = WholeTwips(window.Left());
    settings.readTop = WholeTwips(window.Top());
    settings.values = ReadOptions(reader, environment.env);
    // The sound default is part of what was read, so it alone never causes a write.
    settings.asRead = settings.values;
    return settings;
}

int SaveAgentSettings(const AgentSettings& settings, const AgentEnvironment& environment,
                      const AgentWindowFrame& window, bool showTicked) {
    std::vector<KeyChange> changes;
    const int32_t left = WholeTwips(window.Left());
    const int32_t top = WholeTwips(window.Top());
    if (left != settings.readLeft || top != settings.readTop) {
        AddInt(changes, kMainForm, L"Top", top);
        AddInt(changes, kMainForm, L"Left", left);
    }
    // A stored value other than 0 stands for "shown" (the default), so an odd value is
    // rewritten only when the agent was really taken out of use.
    const int16_t formShow = showTicked ? 1 : 0;
    const int16_t readShow = settings.asRead.formShow == 0 ? 0 : 1;
    if (formShow != readShow) {
        AddInt(changes, kMainForm, L"Form_Show", formShow);
    }
    AddOptions(changes, settings.values, settings.asRead);
    if (changes.empty()) {
        return 0;
    }
    // What is in memory came from the defaults, not from the file: writing it would put
    // them over the user's own values (all ten launcher keys, for one changed title).
    if (settings.readError != 0) {
        return settings.readError;
    }
    return WriteKeyChanges(AgentSettingsPath(environment), changes);
}

}  // namespace agent
