// Times Pindorel.exe's start-up with 200 notes on disk: from starting the process until
// every note window is shown. Run under Wine by hand; prints the figure of each run.
// Arguments, both optional: the number of notes, and another program to time in its place
// (pindorel_window_floor.exe, which makes the same windows with plain system calls).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "note_record.h"
#include "note_store.h"

namespace {

constexpr int kDefaultNotes = 200;
constexpr int kRuns = 3;
constexpr DWORD kSettleMs = 3000;

int ShownNotes(const e2e::Process& process) {
    int shown = 0;
    for (HWND window : process.TopWindows()) {
        // The controller stays hidden: every visible window of the program is a note. The
        // class name is read without sending the program a message.
        if (IsWindowVisible(window) && e2e::ClassOf(window) == L"SuiteForm") {
            ++shown;
        }
    }
    return shown;
}

// User and kernel time the program has used so far.
double ProcessorMs(const e2e::Process& process) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.Id());
    FILETIME created, exited, kernel, user;
    double ms = -1;
    if (handle != nullptr && GetProcessTimes(handle, &created, &exited, &kernel, &user)) {
        const auto ticks = [](const FILETIME& t) {
            return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
        };
        ms = (ticks(kernel) + ticks(user)) / 10000.0;
    }
    if (handle != nullptr) {
        CloseHandle(handle);
    }
    return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // The number of notes may be given, to see the fixed cost of a start.
    const int kNotes = argc > 1 ? _wtoi(argv[1]) : kDefaultNotes;
    const std::wstring program = argc > 2 ? std::wstring(argv[2]) : e2e::BuildPath(PROGRAM_EXE);
    for (int run = 0; run < kRuns; ++run) {
        e2e::Sandbox sandbox;
        for (int i = 0; i < kNotes; ++i) {
            pindorel::NoteRecord r;
            r.left = float(600 + (i % 20) * 600);
            r.top = float(600 + (i / 20) * 900);
            r.width = 2400;
            r.height = 1500;
            r.font = {L"ＭＳ Ｐゴシック", 9, 0, 0, 0, 0, 0};
            r.backColor = 0x99FFFF;
            r.text = L"付箋 " + std::to_wstring(i + 1);
            sandbox.Write(pindorel::NoteFileName(i + 1), pindorel::EncodeNote(r));
        }
        const std::wstring exe = sandbox.CopyIn(program);
        const DWORD start = GetTickCount();
        e2e::Process process(exe, L"", sandbox.Folder());
        // Looked at every 50 ms only: each look asks the window system about every window,
        // which would slow the program being timed.
        bool all = false;
        for (int waited = 0; !all && waited < 60000; waited += 50) {
            Sleep(50);
            all = ShownNotes(process) == kNotes;
        }
        const DWORD elapsed = GetTickCount() - start;
        std::printf("run %d: %d notes shown in %lu ms (program's processor time %.0f ms)%s\n",
                    run + 1, ShownNotes(process), static_cast<unsigned long>(elapsed),
                    ProcessorMs(process), all ? "" : " (not all)");
        process.Kill();
        // The window system is left to clear away the ended program's windows before the
        // next run, which would otherwise pay for it.
        Sleep(kSettleMs);
    }
    return 0;
}
