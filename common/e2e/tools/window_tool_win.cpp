// Drives another program's windows from a script (the screenshot script, the input-method
// test): waits for a window, posts a menu command or any message to it, clicks one of its
// buttons, moves the mouse pointer over it or double-clicks it, lists its text boxes.
//   window_tool wait <window> [seconds]          exit 0 once the window shows, 1 after the wait
//   window_tool command <window> <id>            a menu command (WM_COMMAND with the item's id)
//   window_tool click <window> <button>          a click on the button with that caption
//   window_tool post <window> <msg> <wp> <lp>    any message (numbers decimal or 0x hex)
//   window_tool pointer <window> <x> <y>         the mouse pointer to a point of the window
//   window_tool dblclick <window> <x> <y>        a double-click of the mouse at that point
//   window_tool edits <window>                   its visible text boxes in reading order, one
//                                                a line: centre on screen "x y", 1 if it has
//                                                the focus else 0, the text (UTF-8)
// A window is named by its caption ("Options"), or by its class and caption together
// ("[SuiteForm]" is a window of class SuiteForm with an empty caption). Points are in pixels
// from the top-left corner of the window's client area. Every verb but wait also finds a
// hidden window when no visible one matches.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "e2e/window_driver_win.h"

namespace {

constexpr DWORD kDefaultWaitMs = 30000;

e2e::WindowQuery QueryFor(const std::wstring& name) {
    const size_t close = name.find(L']');
    if (name.starts_with(L'[') && close != std::wstring::npos) {
        return {.className = name.substr(1, close - 1), .caption = name.substr(close + 1)};
    }
    return {.caption = name};
}

HWND TopLevelWindow(const e2e::WindowQuery& query) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr) {
        if (e2e::Matches(window, query)) {
            return window;
        }
    }
    return nullptr;
}

HWND VisibleWindow(const std::wstring& name) {
    e2e::WindowQuery query = QueryFor(name);
    query.visibleOnly = true;
    return TopLevelWindow(query);
}

HWND AnyWindow(const std::wstring& name) {
    const HWND visible = VisibleWindow(name);
    return visible != nullptr ? visible : TopLevelWindow(QueryFor(name));
}

std::optional<long long> Number(const wchar_t* text) {
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text, &end, 0);
    if (end == text || *end != L'\0') {
        return std::nullopt;
    }
    return value;
}

// The screen position of a point of the window's client area.
std::optional<POINT> ScreenPoint(HWND window, const wchar_t* x, const wchar_t* y) {
    const std::optional<long long> px = Number(x);
    const std::optional<long long> py = Number(y);
    if (!px || !py) {
        return std::nullopt;
    }
    POINT point{LONG(*px), LONG(*py)};
    ClientToScreen(window, &point);
    return point;
}

void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

// Two presses of the left button where the pointer is, quick enough to count as one
// double-click.
void DoubleClick() {
    for (int i = 0; i < 2; ++i) {
        SendButton(MOUSEEVENTF_LEFTDOWN);
        SendButton(MOUSEEVENTF_LEFTUP);
    }
}

bool IsVisibleTextBox(HWND window) {
    const std::wstring cls = e2e::ClassOf(window);
    return IsWindowVisible(window) &&
           (_wcsicmp(cls.c_str(), L"Edit") == 0 || _wcsicmp(cls.c_str(), L"RichEdit20W") == 0);
}

int ListTextBoxes(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    for (HWND box : e2e::DescendantsInReadingOrder(window, IsVisibleTextBox)) {
        RECT rect{};
        GetWindowRect(box, &rect);
        const std::wstring text = e2e::TextOf(box);
        std::string utf8(size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()),
                                                    nullptr, 0, nullptr, nullptr)),
                         '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(),
                            int(utf8.size()), nullptr, nullptr);
        std::printf("%ld %ld %d %s\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2,
                    box == thread.hwndFocus ? 1 : 0, utf8.c_str());
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: window_tool wait <window> [seconds] | command <window> <id> | "
                 "click <window> <button caption> | post <window> <msg> <wParam> <lParam> | "
                 "pointer <window> <x> <y> | dblclick <window> <x> <y> | edits <window>\n"
                 "  <window>: a caption, or [class]caption\n");
    return 2;
}

int Post(HWND window, wchar_t** args) {
    const std::optional<long long> message = Number(args[0]);
    const std::optional<long long> wParam = Number(args[1]);
    const std::optional<long long> lParam = Number(args[2]);
    if (!message || !wParam || !lParam) {
        return Usage();
    }
    return PostMessageW(window, UINT(*message), WPARAM(*wParam), LPARAM(*lParam)) ? 0 : 1;
}

int Point(HWND window, const std::wstring& verb, wchar_t** args) {
    const std::optional<POINT> point = ScreenPoint(window, args[0], args[1]);
    if (!point) {
        return Usage();
    }
    if (!SetCursorPos(point->x, point->y)) {
        return 1;
    }
    if (verb == L"dblclick") {
        DoubleClick();
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::wstring verb = argv[1];
    const std::wstring name = argv[2];
    if (verb == L"wait") {
        const DWORD waitMs = argc > 3 ? DWORD(_wtoi(argv[3])) * 1000 : kDefaultWaitMs;
        return e2e::WaitUntil([&] { return VisibleWindow(name) != nullptr; }, waitMs) ? 0 : 1;
    }
    const HWND window = AnyWindow(name);
    if (window == nullptr) {
        return 1;
    }
    if (verb == L"command" && argc == 4) {
        e2e::PostCommand(window, _wtoi(argv[3]));
        return 0;
    }
    if (verb == L"click" && argc == 4) {
        const HWND button = e2e::FindChild(window, {.className = L"Button", .caption = argv[3]});
        if (button == nullptr) {
            return 1;
        }
        e2e::PressButton(button);
        return 0;
    }
    if (verb == L"post" && argc == 6) {
        return Post(window, argv + 3);
    }
    if ((verb == L"pointer" || verb == L"dblclick") && argc == 5) {
        return Point(window, verb, argv + 3);
    }
    if (verb == L"edits" && argc == 3) {
        return ListTextBoxes(window);
    }
    return Usage();
}
