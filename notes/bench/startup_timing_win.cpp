// Times Pindorel.exe's start-up with 200 notes on disk: from starting the process until
// every note window is shown. Run under Wine by hand; prints the figure of each run.
// Arguments, all optional: the number of notes (200); the number of runs of each program
// (5); other programs timed in turn with it, run for run (pindorel_window_floor.exe, which
// makes the same windows with plain system calls). Ends with each program's median and the
// median of its runs' ratios to Pindorel's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "note_record.h"
#include "note_store.h"

namespace {

constexpr int kDefaultNotes = 200;
constexpr int kDefaultRuns = 5;
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

struct Timing {
    double elapsedMs = 0;
    bool complete = false;
};

// One start of the program in a new folder holding the given number of notes.
Timing TimeOneStart(const std::wstring& program, int notes) {
    e2e::Sandbox sandbox;
    for (int i = 0; i < notes; ++i) {
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
    Timing timing;
    const DWORD start = GetTickCount();
    e2e::Process process(exe, L"", sandbox.Folder());
    // Looked at every 50 ms only: each look asks the window system about every window,
    // which would slow the program being timed.
    for (int waited = 0; !timing.complete && waited < 60000; waited += 50) {
        Sleep(50);
        timing.complete = ShownNotes(process) == notes;
    }
    timing.elapsedMs = GetTickCount() - start;
    process.Kill();
    // The window system is left to clear away the ended program's windows before the
    // next run, which would otherwise pay for it.
    Sleep(kSettleMs);
    return timing;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The file name a program is reported by.
std::wstring NameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // The number of notes may be given, to see the fixed cost of a start.
    const int notes = argc > 1 ? _wtoi(argv[1]) : kDefaultNotes;
    const int runs = argc > 2 ? _wtoi(argv[2]) : kDefaultRuns;
    std::vector<std::wstring> programs{e2e::BuildPath(PROGRAM_EXE)};
    for (int i = 3; i < argc; ++i) {
        programs.emplace_back(argv[i]);  // timed in turn with the program, run for run
    }
    std::vector<std::vector<double>> elapsed(programs.size());
    for (int run = 0; run < runs; ++run) {
        // Every other run goes through the programs backwards, so that none is always the
        // one that follows a given other.
        for (size_t i = 0; i < programs.size(); ++i) {
            const size_t p = run % 2 == 0 ? i : programs.size() - 1 - i;
            const Timing t = TimeOneStart(programs[p], notes);
            std::printf("run %d, %ls: %d notes shown in %.0f ms%s\n", run + 1,
                        NameOf(programs[p]).c_str(), notes, t.elapsedMs,
                        t.complete ? "" : " (not all)");
            elapsed[p].push_back(t.elapsedMs);
        }
    }
    // Runs next to each other in time share the machine's state, so each run's ratio to
    // Pindorel's run is steadier than the ratio of the medians.
    for (size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run) {
            ratios.push_back(elapsed[p][run] / elapsed[0][run]);
        }
        std::printf("median, %ls: %.0f ms; run for run %.3f of Pindorel.exe\n",
                    NameOf(programs[p]).c_str(), Median(elapsed[p]), Median(ratios));
    }
    return 0;
}
