// Times Pindorel.exe's start-up with 200 notes on disk: from starting the process until
// every note window is shown. Run under Wine by hand; prints the figure of each run.
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "note_record.h"
#include "note_store.h"

namespace {

constexpr int kNotes = 200;
constexpr int kRuns = 3;

int ShownNotes(const e2e::Process& process) {
    int shown = 0;
    for (HWND window : process.TopWindows()) {
        if (IsWindowVisible(window) && e2e::ClassOf(window) == L"SuiteForm" &&
            e2e::TextOf(window).empty()) {
            ++shown;
        }
    }
    return shown;
}

}  // namespace

int wmain() {
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
        const std::wstring exe = sandbox.CopyIn(e2e::BuildPath(PROGRAM_EXE));
        const DWORD start = GetTickCount();
        e2e::Process process(exe, L"", sandbox.Folder());
        const bool all = e2e::WaitUntil([&] { return ShownNotes(process) == kNotes; }, 60000);
        const DWORD elapsed = GetTickCount() - start;
        std::printf("run %d: %d notes shown in %lu ms%s\n", run + 1, ShownNotes(process),
                    static_cast<unsigned long>(elapsed), all ? "" : " (not all)");
        process.Kill();
    }
    return 0;
}
