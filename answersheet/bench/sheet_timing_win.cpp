// Times Quillard.exe under Wine with a set at the question cap and nine choices: start-up
// (the grid of boxes is created), choosing the set the first time and again, marking,
// taking back and clearing, each until the program is idle again (painted). Run by hand, from the
// source folder: scripts/with-display.sh scripts/wine-run.sh
// build/mingw/answersheet/quillard_sheet_timing.exe build/mingw/answersheet/Quillard.exe
// (not a test).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "../tests/sheet_windows_win.h"
#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "question_sets.h"

namespace {

using namespace e2e;

constexpr DWORD kWaitMs = 120000;

std::string SetFile() {
    std::wstring answers;
    for (int q = 0; q < quillard::kMaxQuestions; ++q) {
        answers += static_cast<wchar_t>(L'1' + q % 9);
    }
    return quillard::Cp932(L"\"cap\",\"アイウエオカキクケ\",\"" + answers +
                           L"\"\r\n\"short\",\"アイ\",\"12\"\r\n");
}

double Seconds(const std::function<void()>& action) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// The program's process, to wait until it has nothing left to do (painting included).
HANDLE program = nullptr;

// The control's notification, handled before this returns; then the program is idle.
void Notify(HWND control, WORD code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
    WaitForInputIdle(program, kWaitMs);
}

void Choose(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(combo, CBN_SELCHANGE);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillard_sheet_timing <path of Quillard.exe>\n");
        return 2;
    }
    Sandbox sandbox;
    sandbox.Write(L"Quillard.csv", SetFile());
    std::unique_ptr<Process> process;
    HWND window = nullptr;
    const double startup = Seconds([&] {
        process = std::make_unique<Process>(sandbox.CopyIn(argv[1]), L"", sandbox.Folder());
        window = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"Quillard", .visibleOnly = true}, kWaitMs);
    });
    const HWND combo = FindChild(window, {.className = L"ComboBox"});
    const HWND mark = FindChild(window, {.className = L"Button", .caption = L"採点(&M)"});
    const HWND takeBack = FindChild(window, {.className = L"Button", .caption = L"戻す(&R)"});
    const HWND clear = FindChild(window, {.className = L"Button", .caption = L"クリア(&C)"});
    if (window == nullptr || combo == nullptr || mark == nullptr || takeBack == nullptr ||
        clear == nullptr) {
        std::fprintf(stderr, "quillard_sheet_timing: the window did not appear\n");
        return 1;
    }
    program = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process->Id());
    std::printf("set of %d questions x 9 choices\n", quillard::kMaxQuestions);
    std::printf("start-up to window shown   %7.3f s\n", startup);
    std::printf("choose (first time)        %7.3f s\n", Seconds([&] { Choose(combo, 0); }));
    Choose(combo, 1);
    std::printf("choose again               %7.3f s\n", Seconds([&] { Choose(combo, 0); }));
    std::printf("nothing (floor)            %7.3f s\n", Seconds([&] { Notify(mark, 0x7777); }));
    std::printf("mark                       %7.3f s\n", Seconds([&] { Notify(mark, BN_CLICKED); }));
    std::printf("take back                  %7.3f s\n",
                Seconds([&] { Notify(takeBack, BN_CLICKED); }));
    Notify(mark, BN_CLICKED);
    std::printf("clear                      %7.3f s\n",
                Seconds([&] { Notify(clear, BN_CLICKED); }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    process->WaitForExit(kWaitMs);
    CloseHandle(program);
    return 0;
}
