// Tamvoro.exe with a timetable whose lesson lies hours ahead: the timetable editor opened
// from the notification menu moves the lesson to now (typed with full-width digits, as
// the input method gives them), saves, restarts, and the new copy announces the lesson.
// And a clock adjustment in the settings file moves the balloon's clock line.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "agent_e2e_support_win.h"
#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace {

using namespace e2e;
using agent::testing::AgentWindows;
using agent::testing::Cp932;
using agent::testing::TrayWindowOf;

constexpr DWORD kWaitMs = 20000;
constexpr int kTimetableCommand = 1008;  // MNU_Set_Timetable among FRM_TTI's menu items
constexpr int kExitCommand = 1016;
constexpr int kFirstPeriodRow = 9;  // 時限1 in the editor's list
const wchar_t kAgentCaption[] = L"エージェント";

int MinuteNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 60 + now.wMinute;
}

// "hh:mm" of the local time moved by seconds.
std::wstring ClockIn(int seconds) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME file{};
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart += ULONGLONG(LONGLONG(seconds) * 10000000LL);
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    FileTimeToSystemTime(&file, &now);
    wchar_t text[8];
    swprintf(text, 8, L"%02d:%02d", now.wHour, now.wMinute);
    return text;
}

// Full-width digits and colon, as an input method types a time.
std::wstring FullWidthTime(int minutes) {
    std::wstring text = std::to_wstring(minutes / 60) + L":" + (minutes % 60 < 10 ? L"0" : L"") +
                        std::to_wstring(minutes % 60);
    for (wchar_t& c : text) {
        c = c == L':' ? L'：' : wchar_t(c - L'0' + L'０');
    }
    return text;
}

std::wstring BalloonOf(HWND agent) {
    return TextOf(FindChild(agent, {.className = L"Edit"}));
}

class TimetableE2e : public ::testing::Test {
  protected:
    void Prepare(std::initializer_list<std::wstring> settings, int lessonStart, int lessonEnd) {
        sandbox.Write(L"Tamvoro.ini", Cp932(settings));
        sandbox.Write(L"Timetable.ini", Cp932({L"[Item]", L"Item1=国語", L"Check1=1",
                                               L"S_Time1=" + std::to_wstring(lessonStart),
                                               L"E_Time1=" + std::to_wstring(lessonEnd), L"[Cell]",
                                               L"Cell1=01", L"Cell2=01", L"Cell3=01", L"Cell4=01",
                                               L"Cell5=01", L"Cell6=01", L"Cell7=01"}));
        sandbox.Write(L"Setting.txt",
                      Cp932({L"TIME=\"hh:nn\"", L"DATETIME_CRLF=1", L"ITEM_FIRST1=\"ただいま\"",
                             L"ITEM_FIRST2=\"の時間です。\""}));
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
        agent = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = kAgentCaption, .visibleOnly = true}, kWaitMs);
    }
    // Ends the copy the restart started, should the test stop before it does.
    void TearDown() override {
        for (HWND window : AgentWindows()) {
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            if (HANDLE other = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
                TerminateProcess(other, 1);
                CloseHandle(other);
            }
        }
    }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND agent = nullptr;
};

TEST_F(TimetableE2e, ThePeriodMovedInTheEditorIsAnnouncedAfterTheRestart) {
    const int minute = MinuteNow();
    const int later = (minute + 180) % 1440;
    Prepare({L"[Option]", L"Schedule=Timetable.ini", L"SoundFlag=2"}, later, later);
    ASSERT_NE(agent, nullptr);
    EXPECT_EQ(BalloonOf(agent).find(L"国語"), std::wstring::npos);

    PostCommand(TrayWindowOf(agent), kTimetableCommand);
    const HWND editor = process->WaitForWindow(
        {.className = L"SuiteForm", .caption = L"時間割", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(editor, nullptr);
    const HWND rows = FindChild(editor, {.className = L"ListBox"});
    ASSERT_NE(rows, nullptr);
    SendMessageW(rows, LB_SETCURSEL, kFirstPeriodRow, 0);
    SendMessageW(editor, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(rows), LBN_SELCHANGE), LPARAM(rows));
    const std::vector<HWND> edits =
        DescendantsInReadingOrder(editor, [](HWND child) { return ClassOf(child) == L"Edit"; });
    ASSERT_GE(edits.size(), 3u);  // name, then start and end side by side
    EXPECT_TRUE(WaitUntil([&] { return TextOf(edits[0]) == L"国語"; }, kWaitMs));

    // A start that is no time is refused once when the user clicks into the end box, and
    // the start box keeps the focus.
    const auto click = [](HWND box) {
        PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    click(edits[1]);
    PostMessageW(edits[1], EM_SETSEL, 0, -1);  // after the click, as the user selects
    PostText(edits[1], L"8.50");
    EXPECT_TRUE(WaitUntil([&] { return TextOf(edits[1]) == L"8.50"; }, kWaitMs));
    click(edits[2]);
    const HWND refusal =
        process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(TextOf(FindChild(refusal, {.id = 0xFFFF})), L"時刻は 8:50 のように入力して下さい。");
    ClickButton(FindChild(refusal, {.id = IDOK}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(refusal); }, kWaitMs));
    Sleep(1500);  // no second refusal follows
    EXPECT_EQ(process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, 0), nullptr);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, edits[1]);

    const int start = minute == 0 ? 0 : minute - 1;
    const int end = minute + 30 > 1439 ? 1439 : minute + 30;
    for (const auto& [box, time] : {std::pair{edits[1], start}, {edits[2], end}}) {
        SendMessageW(box, EM_SETSEL, 0, -1);
        PostText(box, FullWidthTime(time));
    }
    EXPECT_TRUE(WaitUntil([&] { return TextOf(edits[2]) == FullWidthTime(end); }, kWaitMs));
    ClickButton(FindChild(editor, {.className = L"Button", .caption = L"保存(&S)"}));

    const HWND question =
        process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(FindChild(question, {.id = 0xFFFF})),
              L"時間割を保存しました。再起動して反映しますか?");
    ClickButton(FindChild(question, {.id = IDYES}));
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value());

    const std::string file = sandbox.Read(L"Timetable.ini").value_or("");
    EXPECT_NE(file.find("S_Time1=" + std::to_string(start) + "\r\nE_Time1=" + std::to_string(end) +
                        "\r\n"),
              std::string::npos)
        << file;
    HWND restarted = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<HWND> agents = AgentWindows();
            restarted = agents.size() == 1 ? agents[0] : nullptr;
            return restarted != nullptr && IsWindowVisible(restarted) &&
                   BalloonOf(restarted).find(L"ただいま国語の時間です。") != std::wstring::npos;
        },
        kWaitMs))
        << (restarted != nullptr ? testing::PrintToString(BalloonOf(restarted)) : "no agent");
    if (restarted != nullptr) {
        PostCommand(TrayWindowOf(restarted), kExitCommand);
        EXPECT_TRUE(WaitUntil([] { return AgentWindows().empty(); }, kWaitMs));
    }
}

TEST_F(TimetableE2e, TheClockAdjustmentMovesTheClockLine) {
    const int later = (MinuteNow() + 180) % 1440;
    Prepare({L"[Option]", L"SoundFlag=2", L"ClockAdjust=-1800"}, later, later);
    ASSERT_NE(agent, nullptr);
    const std::wstring before = ClockIn(-1800);
    const std::wstring shown = BalloonOf(agent).substr(0, 5);
    const std::wstring after = ClockIn(-1800);
    EXPECT_TRUE(shown == before || shown == after) << shown;
    EXPECT_NE(shown, ClockIn(0));
    PostCommand(TrayWindowOf(agent), kExitCommand);
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value());
}

}  // namespace
