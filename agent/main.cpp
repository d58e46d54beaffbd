// Tamvoro.exe: the agent window on the Win32 backend; it lives until its notification
// menu ends the program.
#include <windows.h>

#include "agent/agent_window.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    agent::AgentState state;
    agent::FRM_AGT1 window(state);
    window.Load();
    return host.Run();
}
