// Times Quillard.exe's class work under Wine at the cap: a set of 300 questions with nine
// choices and 200 recorded pupils. 記録 (a sheet written to the class file and cleared),
// opening 集計 until its window is shown and the program idle, and 出力 from the save
// dialog's OK until the message that the table was written; each several times. Opening the
// set editor the same way gives the floor of any modal window. Run by
// hand, from the source folder:
//   scripts/with-display.sh scripts/wine-run.sh build/mingw/answersheet/quillard_class_timing.exe
//   build/mingw/answersheet/Quillard.exe
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
constexpr int kSettingMenu = 1001;
constexpr int kClassMenu = 1002;
int kPupils = 200;  // or the second argument
constexpr int kRuns = 5;

std::wstring Answers() {
    std::wstring answers;
    for (int q = 0; q < quillard::kMaxQuestions; ++q) {
        answers += static_cast<wchar_t>(L'1' + q % 9);
    }
    return answers;
}

// 200 pupils, each with a tick on every question, some right and some wrong.
std::string ClassFile() {
    std::wstring text = L"問題,受験者,解答,記録日時\r\n";
    for (int p = 1; p <= kPupils; ++p) {
        std::wstring choices;
        for (int q = 0; q < quillard::kMaxQuestions; ++q) {
            choices += static_cast<wchar_t>(L'1' + (q * 7 + p * 3) % 9);
        }
        text += L"\"cap\",\"" + std::to_wstring(p) + L"番\",\"" + choices +
                L"\",\"2026/12/09 10:00:00\"\r\n";
    }
    return quillard::Cp932(text);
}

double Milliseconds(const std::function<void()>& action) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// Polls every millisecond (the shared helpers poll more coarsely).
bool Soon(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

HWND VisibleWindow(const Process& process, const WindowQuery& query) {
    HWND found = nullptr;
    Soon([&] {
        for (HWND window : process.TopWindows()) {
            if (Matches(window, query)) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

void Close(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    Soon([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quillard_class_timing <path of Quillard.exe> [pupils]\n");
        return 2;
    }
    if (argc == 3) {
        kPupils = _wtoi(argv[2]);
    }
    Sandbox sandbox;
    sandbox.Write(L"Quillard.csv",
                  quillard::Cp932(L"\"cap\",\"アイウエオカキクケ\",\"" + Answers() + L"\"\r\n"));
    sandbox.Write(L"Quillard_results.csv", ClassFile());
    Process process(sandbox.CopyIn(argv[1]), L"", sandbox.Folder());
    const HWND window = process.WaitForWindow(
        {.className = L"SuiteForm", .caption = L"Quillard", .visibleOnly = true}, kWaitMs);
    const HWND combo = window ? FindChild(window, {.className = L"ComboBox"}) : nullptr;
    const HWND record =
        window ? FindChild(window, {.className = L"Button", .caption = L"記録(&A)"}) : nullptr;
    if (combo == nullptr || record == nullptr) {
        std::fprintf(stderr, "quillard_class_timing: the window did not appear\n");
        return 1;
    }
    const HANDLE program =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process.Id());
    quillard::ChooseEntry(combo, 0);
    Soon([&] { return !quillard::VisibleChoiceBoxes(window).empty(); });
    std::printf("set of %d questions x 9 choices, %d pupils recorded\n", quillard::kMaxQuestions,
                kPupils);

    for (int run = 1; run <= kRuns; ++run) {
        quillard::EnterSheet(window, L"new " + std::to_wstring(run), {1, 2, 3, 4, 5}, 9);
        const double ms = Milliseconds([&] {
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(record), BN_CLICKED),
                         reinterpret_cast<LPARAM>(record));
            WaitForInputIdle(program, kWaitMs);
        });
        std::printf("record (%d pupils)          %7.1f ms\n", kPupils + run, ms);
    }
    for (int run = 1; run <= kRuns; ++run) {
        // The floor: another modal window of the program, the set editor, opened the same way.
        HWND editor = nullptr;
        const double floor = Milliseconds([&] {
            PostCommand(window, kSettingMenu);
            editor = VisibleWindow(
                process, {.className = L"SuiteForm", .caption = L"設定", .visibleOnly = true});
            WaitForInputIdle(program, kWaitMs);
        });
        PostMessageW(editor, WM_CLOSE, 0, 0);
        Soon([&] { return !IsWindowVisible(editor); });
        HWND classWindow = nullptr;
        const double open = Milliseconds([&] {
            PostCommand(window, kClassMenu);
            classWindow = VisibleWindow(
                process,
                {.className = L"SuiteForm", .caption = L"集計 - cap", .visibleOnly = true});
            WaitForInputIdle(program, kWaitMs);
        });
        ClickButton(FindChild(classWindow, {.className = L"Button", .caption = L"出力(&O)"}));
        const HWND dialog = VisibleWindow(process, {.className = L"#32770", .visibleOnly = true});
        const std::wstring name = sandbox.PathOf(L"table" + std::to_wstring(run));
        SetWindowTextW(GetDlgItem(dialog, GetDlgItem(dialog, 0x47C) ? 0x47C : 0x480), name.c_str());
        HWND done = nullptr;
        const double write = Milliseconds([&] {
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            Soon([&] {
                done = FindWindowW(L"#32770", L"Quillard");
                return done != nullptr && done != dialog && IsWindowVisible(done);
            });
        });
        Close(done);
        const std::optional<std::string> table =
            sandbox.Read(L"table" + std::to_wstring(run) + L".txt");
        std::printf("open 設定 (floor) %7.1f ms   open 集計 %7.1f ms   出力 %7.1f ms (%zu bytes)\n",
                    floor, open, write, table ? table->size() : 0);
        PostMessageW(classWindow, WM_CLOSE, 0, 0);
        Soon([&] { return !IsWindow(classWindow); });
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    process.WaitForExit(kWaitMs);
    CloseHandle(program);
    return 0;
}
