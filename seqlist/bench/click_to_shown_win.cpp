// Times Ordinell.exe under Wine from the click on the start button to the output shown,
// for 10,000 and 100,000 lines (all five parts, zero format). Run by
// scripts/bench-ordinell.sh; not a test.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "../tests/range_boxes_win.h"
#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "line_builder.h"

namespace {

using namespace e2e;

constexpr DWORD kWaitMs = 600000;

// The largest working set the process has had, in megabytes (0 when unknown).
double PeakMegabytes(DWORD processId) {
    const HANDLE handle =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool read = handle != nullptr && GetProcessMemoryInfo(handle, &counters, sizeof counters);
    if (handle != nullptr) {
        CloseHandle(handle);
    }
    return read ? counters.PeakWorkingSetSize / (1024.0 * 1024.0) : 0.0;
}

// One timed run in a fresh Ordinell; false when something did not appear.
bool TimeRun(const std::wstring& exe, const wchar_t* firstEnd, const wchar_t* secondEnd) {
    Sandbox sandbox;
    Process process(sandbox.CopyIn(exe), L"", sandbox.Folder());
    const HWND window = process.WaitForWindow(
        {.className = L"SuiteForm", .caption = L"Ordinell", .visibleOnly = true}, kWaitMs);
    const HWND button = FindChild(window, {.className = L"Button", .caption = L"開始(&S)"});
    const HWND output = FindChild(window, {.className = L"RichEdit20W"});
    const std::vector<HWND> ranges = ordinell::RangeBoxes(window);
    if (window == nullptr || button == nullptr || output == nullptr || ranges.size() != 4) {
        return false;
    }
    SendMessageW(ranges[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(firstEnd));
    SendMessageW(ranges[3], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(secondEnd));

    ordinell::RunParams params;
    params.strings = {L"第１文字列", L"第２文字列", L"第３文字列"};
    params.include = {true, true, true, true, true};
    params.numbers = {ordinell::ReadRange(L"0", firstEnd, true),
                      ordinell::ReadRange(L"0", secondEnd, true)};
    const ordinell::OutputSize size = ordinell::MeasureOutput(params);

    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ClickButton(button);
    const bool started = WaitUntil([&] { return TextOf(button) == L"中止(&C)"; }, kWaitMs);
    const bool shown = WaitUntil([&] { return TextOf(button) == L"開始(&S)"; }, kWaitMs);
    QueryPerformanceCounter(&end);
    const LRESULT length = SendMessageW(output, WM_GETTEXTLENGTH, 0, 0);
    std::printf(
        "%8llu lines  %9llu characters  click to shown %8.3f s  box length %lld  "
        "peak memory %.0f MB%s\n",
        static_cast<unsigned long long>(size.lines), static_cast<unsigned long long>(size.chars),
        double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart),
        static_cast<long long>(length), PeakMegabytes(process.Id()),
        started && shown ? "" : "  (timed out)");
    return started && shown;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: click_to_shown <path of Ordinell.exe>\n");
        return 2;
    }
    const bool ok = TimeRun(argv[1], L"009", L"999") && TimeRun(argv[1], L"099", L"999");
    return ok ? 0 : 1;
}
