// Tamvoro.exe: the agent window on the Win32 backend; it lives until its notification
// menu ends the program.
#include <windows.h>

#include "agent/agent_window.h"
#include "win32/win32_host.h"

namespace {

// A copy started by the restart command waits this long for the old copy to end.
constexpr int kClaimWaitMs = 3000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    // One agent per folder: a second copy would write the same settings file.
    if (!app.ClaimInstance(kClaimWaitMs)) {
        return 0;
    }
    agent::AgentState state;
    agent::FRM_AGT1 window(state);
    agent::AttachTray(window);
    window.Load();
    return host.Run();
}
