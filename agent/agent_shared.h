// agent/agent_shared.h — what the agent window (FRM_AGT1, with its tick and message
// window) and the notification side (FRM_TTI, its pop-up menu and the two settings
// dialogs) share. The agent window implements AgentWindow; the notification side sets the
// TrayHooks before the agent window loads and calls AgentWindow from its menu and dialogs.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "agent/catalogue.h"
#include "agent/settings.h"
#include "agent/timetable.h"
#include "forms/form.h"

namespace agent {

using LauncherTitles = std::array<std::wstring, kLauncherCount>;

// Program-wide state of the running agent: everything read at start-up, the in-memory
// settings the dialogs change, and the flags the menu and the tick share.
struct AgentState {
    AgentEnvironment environment;
    AgentSettings settings;      // the dialogs change settings.values; saving compares asRead
    std::wstring cataloguePath;  // Setting.txt beside the program (opened by the menu)
    std::wstring timetablePath;  // the Schedule file as found (a bare name: beside the program)
    MessageCatalogue catalogue;
    Timetable timetable;
    DayTable dayTable;
    bool alwaysOnTop = false;  // the menu's "常に手前に表示(&A)"; the tick keeps the window topmost
    bool menuOpen = false;  // the pop-up menu is in use; the tick then never raises the window
};

// What the agent window asks of the notification side. Every hook may be empty: the agent
// window then runs alone (no icon, no menu).
struct TrayHooks {
    // The end of the agent window's load: loads FRM_TTI, which adds the notification icon.
    std::function<void()> load;
    // The agent window's unload: unloads FRM_TTI (which saves the settings and ends).
    std::function<void()> unload;
    // A right-button release on a picture: pops MNU_Popup up at the mouse. menuOpen is
    // already set.
    std::function<void()> popupMenu;
    // BuildLaunchers: drop the launcher menu items made before and make one per slot title
    // (slot 0 uses item 0; an empty title makes no item).
    std::function<void(const LauncherTitles& titles)> rebuildLauncherMenu;
    // The agent window was hidden (true) or shown again (false) by the minimise button or
    // by a new message: MNU_Hide's caption follows ("元のサイズに戻す(&R)" / "最小化(&N)").
    std::function<void(bool hidden)> minimisedChanged;
    // Start-up: MNU_P_Front unticked; MNU_Show ticked and MNU_Hide enabled when inUse,
    // MNU_Show unticked and MNU_Hide disabled otherwise.
    std::function<void(bool inUse)> startMenuState;
};

// The agent window as the notification side sees it.
class AgentWindow {
  public:
    virtual ~AgentWindow() = default;

    // The form itself: Show/Hide/Visible, Handle, owner of dialogs and message boxes.
    virtual forms::Form& Window() = 0;
    virtual AgentState& State() = 0;
    virtual TrayHooks& Hooks() = 0;
    // The window's place for SaveAgentSettings.
    virtual AgentWindowFrame& Frame() = 0;

    // Fills the launcher buttons (icons, enabled) and the launcher menu items from the
    // launcher settings in memory.
    virtual void BuildLaunchers() = 0;
    // Starts the program of launcher slot 0…4; an empty slot does nothing.
    virtual void LaunchSlot(int slot) = 0;
    // Launcher button i gets title i as its tooltip.
    virtual void SetLauncherToolTips() = 0;
    // Starts (1000 ms) or stops the tick; starting a running tick does not restart it.
    virtual void SetTicking(bool ticking) = 0;
    // Raises the window over the others once (topmost, then back to normal unless
    // alwaysOnTop); with activate, also activates it.
    virtual void BringToFront(bool activate) = 0;
    // Lays the window out again from the settings in memory (balloon side and size, gap,
    // pictures on or off) and redraws it.
    virtual void Relayout() = 0;
    // The program's end: unloads the message window FRM_AGT4.
    virtual void UnloadMessageWindow() = 0;
};

// Defined by the notification side: creates FRM_TTI (and what it owns) for the agent
// window and sets the agent's TrayHooks. The program's main calls it before loading the
// agent window, which then loads FRM_TTI at the end of its own load.
void AttachTray(AgentWindow& agent);

}  // namespace agent
