// What a rich-edit box like Ordinell's output box costs to fill with a run's text, put in
// one of several ways: the time from the first message to the box painted and idle, and
// the process's peak memory. One fill per process, so that the peak is the fill's own.
// Run by scripts/bench-ordinell.sh; not a test.
//   rich_edit_fill <lines, a multiple of 1000> <way>[+<way>...]
// Ways: settext (WM_SETTEXT of the whole text), plain (plain-text mode chosen before the
// first text), stream (EM_STREAMIN in 64 KiB chunks), noredraw (WM_SETREDRAW off during
// the insert), onepara (one paragraph format set on the empty box), noundo (undo limit 0);
// then, timed on their own, empty (WM_SETTEXT of an empty text) or destroy (the window).
#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <richedit.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "line_builder.h"
#include "win32/rich_edit.h"

namespace {

// The output box's size in Ordinell's window, in pixels.
constexpr int kBoxWidth = 496;
constexpr int kBoxHeight = 283;
constexpr DWORD kOutputStyle =
    ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL | ES_WANTRETURN;

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

// Processor time the process has used, user and kernel, in seconds.
double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME time) {
        return (ULONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The text of a run of 0 to lines / 1000 - 1 by 0-999: all five parts, zero format.
std::wstring RunText(int lines, bool ascii) {
    ordinell::RunParams params;
    params.strings = {L"第１文字列", L"第２文字列", L"第３文字列"};
    if (ascii) {
        params.strings = {L"first", L"second", L"third"};
    }
    params.include = {true, true, true, true, true};
    std::wstring firstEnd = std::to_wstring(lines / 1000 - 1);
    firstEnd.insert(0, firstEnd.size() < 3 ? 3 - firstEnd.size() : 0, L'0');  // as "099"
    params.numbers = {ordinell::ReadRange(L"0", firstEnd, true),
                      ordinell::ReadRange(L"0", L"999", true)};
    return *ordinell::BuildOutput(params, [] { return true; });
}

struct StreamSource {
    const wchar_t* next;
    const wchar_t* end;
};

// Hands the control the text in chunks that end after a line's LF: a CR LF split between
// two chunks would be read as two line ends.
DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    size_t chars =
        std::min<size_t>(size_t(size) / sizeof(wchar_t), size_t(source->end - source->next));
    if (source->next + chars != source->end) {
        const std::wstring_view chunk(source->next, chars);
        const size_t lastLf = chunk.rfind(L'\n');
        chars = lastLf != std::wstring_view::npos ? lastLf + 1 : chars;
    }
    std::memcpy(buffer, source->next, chars * sizeof(wchar_t));
    source->next += chars;
    *read = LONG(chars * sizeof(wchar_t));
    return 0;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: rich_edit_fill <lines> <way>[+<way>...]\n");
        return 2;
    }
    const int lines = _wtoi(argv[1]);
    std::set<std::wstring> ways;
    std::wstringstream list(argv[2]);
    for (std::wstring way; std::getline(list, way, L'+');) {
        ways.insert(way);
    }
    const std::wstring text = RunText(lines, ways.count(L"ascii") != 0);

    const HWND frame = CreateWindowExW(0, L"STATIC", L"fill", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                       0, kBoxWidth + 40, kBoxHeight + 60, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kBoxWidth,
                                        kBoxHeight, frame, nullptr, nullptr, nullptr);
    const HWND box = win32::CreateRichEditBox(parent, kOutputStyle, 0, 0);
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE;
    format.yHeight = 176;
    wcscpy(format.szFaceName, L"ＭＳ Ｐゴシック");
    SendMessageW(box, EM_SETCHARFORMAT, SCF_DEFAULT, LPARAM(&format));
    SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    if (ways.count(L"plain")) {
        SendMessageW(box, EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO | TM_SINGLECODEPAGE, 0);
    }
    if (ways.count(L"noundo")) {
        SendMessageW(box, EM_SETUNDOLIMIT, 0, 0);
    }
    if (ways.count(L"onepara")) {
        PARAFORMAT2 para{};
        para.cbSize = sizeof para;
        para.dwMask = PFM_ALIGNMENT;
        para.wAlignment = PFA_LEFT;
        SendMessageW(box, EM_SETPARAFORMAT, 0, LPARAM(&para));
    }
    Pump();

    LARGE_INTEGER start{}, end{};
    const double cpuStart = CpuSeconds();
    QueryPerformanceCounter(&start);
    const bool noRedraw = ways.count(L"noredraw") != 0;
    if (noRedraw) {
        SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    }
    if (ways.count(L"stream")) {
        StreamSource source{text.data(), text.data() + text.size()};
        EDITSTREAM stream{DWORD_PTR(&source), 0, ReadChunk};
        SendMessageW(box, EM_STREAMIN, SF_TEXT | SF_UNICODE, LPARAM(&stream));
    } else {
        SetWindowTextW(box, text.c_str());
    }
    if (noRedraw) {
        SendMessageW(box, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(box, nullptr, TRUE);
    }
    UpdateWindow(box);
    Pump();
    QueryPerformanceCounter(&end);
    const double cpu = CpuSeconds() - cpuStart;

    const LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    std::printf("%8d lines  %-28ls %8.3f s  processor %8.3f s  peak %6.0f MB  length %lld%s\n",
                lines, argv[2], Seconds(start, end), cpu, PeakMegabytes(),
                static_cast<long long>(length),
                size_t(length) == text.size() ? "" : "  (TEXT DIFFERS)");
    if (ways.count(L"empty") || ways.count(L"destroy")) {
        LARGE_INTEGER emptyStart{}, emptyEnd{};
        QueryPerformanceCounter(&emptyStart);
        if (ways.count(L"empty")) {
            SetWindowTextW(box, L"");
        } else {
            DestroyWindow(box);
        }
        QueryPerformanceCounter(&emptyEnd);
        std::printf("%8d lines  %-28ls %8.3f s to drop the text\n", lines, argv[2],
                    Seconds(emptyStart, emptyEnd));
    }
    DestroyWindow(frame);
    return 0;
}
