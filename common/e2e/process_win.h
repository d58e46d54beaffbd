// A program started for an end-to-end test, and the top-level windows it shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/window_driver_win.h"

namespace e2e {

class Process {
  public:
    // Starts exe with the arguments, in folder as its current folder; throws on failure.
    Process(const std::wstring& exe, std::wstring_view arguments, const std::wstring& folder);
    // Ends the program if it still runs.
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return id_; }
    bool Running() const;

    // The exit code once the program has ended within timeoutMs, else nullopt.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

    // Ends the program at once and waits for it to be gone.
    void Kill();

    // The program's top-level windows (hidden ones included), in z-order.
    std::vector<HWND> TopWindows() const;

    // The first top-level window of the program matching query, waiting up to timeoutMs;
    // nullptr when none appears in time.
    HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) const;

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace e2e
