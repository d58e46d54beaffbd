// Lindrow.exe started in a fresh folder and driven through window messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace {

using namespace e2e;

constexpr DWORD kWaitMs = 15000;
// Menu commands in the order of the menu bar.
constexpr int kExitCommand = 1000;
constexpr int kOptionsCommand = 1001;
// The options dialog's one menu command.
constexpr int kCancelCommand = 1000;

class LindrowE2e : public ::testing::Test {
  protected:
    void Start() {
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
        window = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"Lindrow", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(window, nullptr);
    }
    // Opens the options dialog from the menu.
    HWND OpenOptions() const {
        PostCommand(window, kOptionsCommand);
        return process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"Options", .visibleOnly = true}, kWaitMs);
    }
    HWND Button(HWND parent, const std::wstring& caption) const {
        return FindChild(parent, {.className = L"Button", .caption = caption});
    }
    // The edit boxes of a window from top to bottom.
    static std::vector<HWND> EditsTopDown(HWND parent) {
        std::vector<HWND> edits;
        for (HWND child : Descendants(parent)) {
            if (ClassOf(child) == L"Edit") {
                edits.push_back(child);
            }
        }
        std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
            RECT ra{}, rb{};
            GetWindowRect(a, &ra);
            GetWindowRect(b, &rb);
            return ra.top < rb.top;
        });
        return edits;
    }
    // Ends the program through its menu and returns whether it ended with status 0.
    bool Exit() const {
        PostCommand(window, kExitCommand);
        return process->WaitForExit(kWaitMs) == 0u;
    }

    // Whether upper lies above lower in the z-order of top-level windows.
    static bool IsAbove(HWND upper, HWND lower) {
        for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
            if (w == upper) {
                return true;
            }
        }
        return false;
    }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND window = nullptr;
};

TEST_F(LindrowE2e, GoWaitsUntilStopAndAnUnchangedExitWritesNothing) {
    Start();
    const HWND go = Button(window, L"&Go");
    const HWND stop = Button(window, L"&Stop");
    ASSERT_NE(go, nullptr);
    ASSERT_NE(stop, nullptr);
    EXPECT_FALSE(IsWindowEnabled(stop));
    EXPECT_TRUE(
        IsWindowEnabled(FindChild(window, {.className = L"Button", .caption = L"Level 2"})));

    ClickButton(go);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(stop) && !IsWindowEnabled(go); }, kWaitMs));
    Sleep(300);  // bursts run; the window still answers between them
    EXPECT_EQ(TextOf(window), L"Lindrow");
    ClickButton(stop);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(go) && !IsWindowEnabled(stop); }, kWaitMs));

    EXPECT_TRUE(Exit());
    EXPECT_FALSE(sandbox.Exists(L"Lindrow.ini"));
}

TEST_F(LindrowE2e, ConfirmedOptionsAreWrittenToTheSettingsFile) {
    Start();
    const HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> boxes = EditsTopDown(dialog);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(TextOf(boxes[0]), L"1000000");
    EXPECT_EQ(TextOf(boxes[1]), L"3000000");
    EXPECT_EQ(TextOf(boxes[2]), L"10000000");

    SendMessageW(boxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    PostText(boxes[0], L"50x00");  // the letter is filtered out
    SendMessageW(boxes[2], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(boxes[0]) == L"5000"; }, kWaitMs));
    ClickButton(Button(dialog, L"&OK"));

    const HWND question =
        process->WaitForWindow({.className = L"#32770", .caption = L"Lindrow"}, kWaitMs);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(FindChild(question, {.id = 0xFFFF})), L"更新してもよろしいですか?");
    ClickButton(FindChild(question, {.id = IDYES}));

    const std::string expected = "[Option]\r\nLevel1=5000\r\nLevel2=3000000\r\nLevel3=\r\n";
    EXPECT_TRUE(WaitUntil([&] { return sandbox.Read(L"Lindrow.ini") == expected; }, kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kWaitMs));
    EXPECT_TRUE(Exit());
    EXPECT_EQ(sandbox.Read(L"Lindrow.ini"), expected) << "the counts are not written at exit";
}

// The largest count a box takes stands whole in it, the last digit included.
TEST_F(LindrowE2e, TheLargestCountFitsItsOptionsBox) {
    Start();
    const HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> boxes = EditsTopDown(dialog);
    ASSERT_EQ(boxes.size(), 3u);
    const std::wstring largest = L"2147483647";
    SendMessageW(boxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(largest.c_str()));
    RECT shown{};
    SendMessageW(boxes[0], EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    // The right edge of the last digit: its left plus the width of the digit before it.
    const auto left = [&](size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(boxes[0], EM_POSFROMCHAR, index, 0)));
    };
    const size_t last = largest.size() - 1;
    EXPECT_LE(left(last) + (left(last) - left(last - 1)), shown.right);
    PostCommand(dialog, kCancelCommand);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kWaitMs));
    EXPECT_TRUE(Exit());
}

// The options dialog belongs to the main window: the main window stays below it, and
// after OK and Yes the main window is active again (not another program's window) and
// its buttons answer.
TEST_F(LindrowE2e, AfterTheOptionsAreConfirmedTheMainWindowIsActiveAndGoStartsTheBurst) {
    // Another program's window on the desktop, which could take the activation.
    const HWND elsewhere =
        CreateWindowExW(0, L"Static", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                        100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(elsewhere, nullptr);
    Start();
    const HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(IsAbove(dialog, window)) << "the main window came over its own dialog";

    PressButton(Button(dialog, L"&OK"));
    const HWND question =
        process->WaitForWindow({.className = L"#32770", .caption = L"Lindrow"}, kWaitMs);
    ASSERT_NE(question, nullptr);
    PressButton(FindChild(question, {.id = IDYES}));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kWaitMs));

    const HWND go = Button(window, L"&Go");
    const HWND stop = Button(window, L"&Stop");
    PressButton(go);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(stop) && !IsWindowEnabled(go); }, kWaitMs));
    EXPECT_EQ(GetForegroundWindow(), window);
    PressButton(stop);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(go); }, kWaitMs));
    EXPECT_TRUE(Exit());
    DestroyWindow(elsewhere);
}

TEST_F(LindrowE2e, TheLevelAndAMovedPositionAreWrittenAtExit) {
    sandbox.Write(L"Lindrow.ini", "[MainForm]\r\nLeft=1500\r\nTop=1200\r\n");
    Start();
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, 100);  // 1500 twips at 15 twips a pixel
    EXPECT_EQ(placed.top, 80);

    PressButton(FindChild(window, {.className = L"Button", .caption = L"Level 3"}));
    SetWindowPos(window, nullptr, 130, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return SendMessageW(FindChild(window, {.caption = L"Level 3"}), BM_GETCHECK, 0, 0) ==
                   BST_CHECKED;
        },
        kWaitMs));
    EXPECT_TRUE(Exit());
    EXPECT_EQ(sandbox.Read(L"Lindrow.ini"),
              "[MainForm]\r\nLeft=1950\r\nTop=1350\r\nCurrent_Level=2\r\n");
}

}  // namespace
