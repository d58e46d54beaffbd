// What the agent's end-to-end tests share: files in the agent's code page, and the agent
// and notification windows of whichever copy of the program runs (a restart starts another
// process than the one the test started).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "e2e/window_driver_win.h"

namespace agent::testing {

// The lines in CP932, each ended by CR LF.
inline std::string Cp932(std::initializer_list<std::wstring> lines) {
    std::string out;
    for (const std::wstring& line : lines) {
        const int size = WideCharToMultiByte(932, 0, line.data(), int(line.size()), nullptr, 0,
                                             nullptr, nullptr);
        std::string bytes(std::size_t(size), '\0');
        WideCharToMultiByte(932, 0, line.data(), int(line.size()), bytes.data(), size, nullptr,
                            nullptr);
        out += bytes + "\r\n";
    }
    return out;
}

// The top-level windows of every process with the agent's caption.
inline std::vector<HWND> AgentWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            if (e2e::ClassOf(window) == L"SuiteForm" && e2e::TextOf(window) == L"エージェント") {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The notification window FRM_TTI of the process that owns the agent window.
inline HWND TrayWindowOf(HWND agent) {
    struct Search {
        DWORD process;
        HWND found;
    } search{0, nullptr};
    GetWindowThreadProcessId(agent, &search.process);
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == s->process && e2e::TextOf(window) == L"FRM_TTI") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace agent::testing
