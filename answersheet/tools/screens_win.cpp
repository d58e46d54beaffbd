// Drives Quillard.exe into the states worth a screenshot and holds each for a while,
// printing its name when it is on screen: "marked" (a set chosen, ticked and marked),
// "editor" (the set editor with its entry frame open), "recorded" (three sheets recorded)
// and "class" (the class window open on them). The caller takes the pictures:
//   quillard_screens.exe <Quillard.exe> <Quillard.csv>   (made for the demo file)
#include <windows.h>

#include <cstdio>
#include <iterator>
#include <vector>

#include "../tests/sheet_windows_win.h"
#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace {

using namespace e2e;

constexpr DWORD kWaitMs = 60000;
constexpr DWORD kHoldMs = 5000;
constexpr int kSettingMenu = 1001;
constexpr int kClassMenu = 1002;

void Announce(const char* state) {
    std::printf("%s\n", state);
    std::fflush(stdout);
    Sleep(kHoldMs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillard_screens <Quillard.exe> <Quillard.csv>\n");
        return 2;
    }
    Sandbox sandbox;
    sandbox.CopyIn(argv[2], L"Quillard.csv");
    Process process(sandbox.CopyIn(argv[1]), L"", sandbox.Folder());
    const HWND window = process.WaitForWindow(
        {.className = L"SuiteForm", .caption = L"Quillard", .visibleOnly = true}, kWaitMs);
    const HWND combo = FindChild(window, {.className = L"ComboBox"});
    if (window == nullptr || combo == nullptr) {
        std::fprintf(stderr, "quillard_screens: the window did not appear\n");
        return 1;
    }
    quillard::ChooseEntry(combo, 0);
    WaitUntil([&] { return !quillard::VisibleChoiceBoxes(window).empty(); }, kWaitMs);
    const std::vector<HWND> boxes = quillard::VisibleChoiceBoxes(window);
    // Ticks for the demo file's first set (four choices, answers 3142214331): seven right,
    // two wrong, question 3 left empty (0).
    constexpr size_t kColumns = 4;
    const int ticks[] = {3, 1, 0, 2, 1, 1, 4, 2, 3, 1};
    for (size_t row = 0; row < std::size(ticks) && (row + 1) * kColumns <= boxes.size(); ++row) {
        if (ticks[row] != 0) {
            ClickButton(boxes[row * kColumns + static_cast<size_t>(ticks[row] - 1)]);
        }
    }
    ClickButton(FindChild(window, {.className = L"Button", .caption = L"採点(&M)"}));
    Sleep(1000);
    Announce("marked");

    PostCommand(window, kSettingMenu);
    const HWND editor = process.WaitForWindow(
        {.className = L"SuiteForm", .caption = L"設定", .visibleOnly = true}, kWaitMs);
    if (editor == nullptr) {
        std::fprintf(stderr, "quillard_screens: the editor did not appear\n");
        return 1;
    }
    const HWND list = FindChild(editor, {.className = L"ListBox"});
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    ClickButton(FindChild(editor, {.className = L"Button", .caption = L"変更"}));
    Sleep(1000);
    Announce("editor");
    PostMessageW(editor, WM_CLOSE, 0, 0);
    Sleep(500);

    ClickButton(FindChild(window, {.className = L"Button", .caption = L"クリア(&C)"}));
    const struct {
        const wchar_t* name;
        std::vector<int> ticks;
    } sheets[] = {{L"1組1番 青木", {3, 1, 4, 2, 2, 1, 4, 3, 3, 1}},
                  {L"1組2番 井上", {3, 1, 2, 2, 1, 1, 4, 3, 1, 1}},
                  {L"1組3番 上田", {1, 2, 4, 0, 2, 1, 3, 3, 3, 4}}};
    for (const auto& sheet : sheets) {
        quillard::EnterSheet(window, sheet.name, sheet.ticks, kColumns);
        ClickButton(FindChild(window, {.className = L"Button", .caption = L"記録(&A)"}));
        WaitUntil([&] { return TextOf(FindChild(window, {.className = L"Edit"})).empty(); },
                  kWaitMs);
    }
    Announce("recorded");
    PostCommand(window, kClassMenu);
    const HWND classWindow = process.WaitForWindow({.className = L"SuiteForm",
                                                    .caption = L"集計 - 英語 単語テスト 第1回",
                                                    .visibleOnly = true},
                                                   kWaitMs);
    if (classWindow == nullptr) {
        std::fprintf(stderr, "quillard_screens: the class window did not appear\n");
        return 1;
    }
    quillard::ChooseListEntry(FindChild(classWindow, {.className = L"ListBox"}), 1);
    Sleep(1000);
    Announce("class");
    PostMessageW(classWindow, WM_CLOSE, 0, 0);
    Sleep(500);
    PostMessageW(window, WM_CLOSE, 0, 0);
    process.WaitForExit(kWaitMs);
    return 0;
}
