// Tamvoro.exe started in a fresh folder and driven through its notification side: the
// icon's window messages and the pop-up menu's commands, as the shell and a menu send them.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "agent_e2e_support_win.h"
#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace {

using namespace e2e;
using agent::testing::AgentWindows;
using agent::testing::TrayWindowOf;

constexpr DWORD kWaitMs = 15000;
// Menu commands: 1000 plus the order in which FRM_TTI's items are made.
constexpr int kHideCommand = 1001;
constexpr int kLauncherSettingsCommand = 1005;
constexpr int kRestartCommand = 1010;
constexpr int kStartUpCommand = 1012;
constexpr int kShowCommand = 1013;
constexpr int kExitCommand = 1016;
constexpr int kFirstLauncherItem = 1017;
// The icon's callback: a mouse move whose x coordinate is the mouse message.
constexpr int kIconRightDown = 516;

const wchar_t kAgentCaption[] = L"エージェント";

// The tips of the icons in the system's notification area. The tips live in the
// tooltip windows of the process that shows the icons, so the text is fetched through a
// buffer in that process.
std::vector<std::wstring> NotificationIconTips() {
    std::vector<HWND> tooltips;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            if (ClassOf(window) == TOOLTIPS_CLASSW) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltips));
    std::vector<std::wstring> tips;
    constexpr size_t kTextChars = 256;
    for (HWND tooltip : tooltips) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tooltip, &owner);
        HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
        if (process == nullptr) {
            continue;
        }
        const size_t bytes = sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t);
        auto* remote =
            static_cast<char*>(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
        const auto count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; remote != nullptr && i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(info));
            std::vector<wchar_t> text(kTextChars, L'\0');
            WriteProcessMemory(process, remote, &info, sizeof(info), nullptr);
            WriteProcessMemory(process, remote + sizeof(info), text.data(),
                               kTextChars * sizeof(wchar_t), nullptr);
            if (SendMessageW(tooltip, TTM_ENUMTOOLSW, WPARAM(i), LPARAM(remote)) == 0) {
                continue;
            }
            ReadProcessMemory(process, remote, &info, sizeof(info), nullptr);
            ReadProcessMemory(process, remote + sizeof(info), text.data(),
                              (kTextChars - 1) * sizeof(wchar_t), nullptr);
            if (ClassOf(info.hwnd) == L"__winex11_tray_icon" && IsWindow(info.hwnd)) {
                tips.emplace_back(text.data());
            }
        }
        if (remote != nullptr) {
            VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        }
        CloseHandle(process);
    }
    return tips;
}

// How many icons with the agent's tip the notification area shows.
size_t AgentIcons() {
    size_t count = 0;
    for (const std::wstring& tip : NotificationIconTips()) {
        count += tip == kAgentCaption;
    }
    return count;
}

// A visible message box of the program with its text.
HWND MessageBoxWith(const Process& process, const std::wstring& text) {
    HWND box = process.WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
    if (box == nullptr) {
        return nullptr;
    }
    const HWND label = FindChild(box, {.id = 0xFFFF});
    return label != nullptr && TextOf(label) == text ? box : nullptr;
}

class TamvoroE2e : public ::testing::Test {
  protected:
    void Start(std::string_view catalogue = "N_MESSAGE=\"e2e\"\r\n") {
        sandbox.Write(L"Setting.txt", catalogue);
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
        agent = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = kAgentCaption, .visibleOnly = true}, kWaitMs);
        ASSERT_NE(agent, nullptr);
        tray = TrayWindowOf(agent);
        ASSERT_NE(tray, nullptr);
    }
    bool Exit() const {
        PostCommand(tray, kExitCommand);
        return process->WaitForExit(kWaitMs) == 0u;
    }
    std::string Ini() const { return sandbox.Read(L"Tamvoro.ini").value_or("<none>"); }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND agent = nullptr;
    HWND tray = nullptr;
};

TEST_F(TamvoroE2e, TheMenuHidesAndShowsTheAgentAndExitWritesOnlyFormShow) {
    Start();
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_TRUE(WaitUntil([] { return AgentIcons() == 1; }, kWaitMs));
    PostCommand(tray, kHideCommand);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(agent); }, kWaitMs));
    PostCommand(tray, kHideCommand);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(agent) != FALSE; }, kWaitMs));

    PostCommand(tray, kShowCommand);  // out of use
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(agent); }, kWaitMs));
    EXPECT_TRUE(Exit());
    EXPECT_EQ(Ini(), "[MainForm]\r\nForm_Show=0\r\n");
    EXPECT_TRUE(WaitUntil([] { return AgentIcons() == 0; }, kWaitMs));
}

TEST_F(TamvoroE2e, TheIconsRightClickOpensTheMenuOverTheAgent) {
    Start();
    PostMessageW(tray, WM_MOUSEMOVE, 0, MAKELPARAM(kIconRightDown, 0));
    const HWND menu =
        process->WaitForWindow({.className = L"#32768", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(menu, nullptr);
    PostKey(menu, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, kWaitMs));
    EXPECT_TRUE(Exit());
    EXPECT_FALSE(sandbox.Exists(L"Tamvoro.ini"));
}

TEST_F(TamvoroE2e, AStoredLauncherIsOfferedInTheMenuAndAMissingProgramIsReported) {
    Start();
    PostCommand(tray, kLauncherSettingsCommand);
    const HWND dialog = process->WaitForWindow(
        {.className = L"SuiteForm", .caption = L"ランチャー設定", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> edits =
        DescendantsInReadingOrder(dialog, [](HWND child) { return ClassOf(child) == L"Edit"; });
    ASSERT_EQ(edits.size(), 10u);  // path and title of each of the five slots
    sandbox.Write(L"tool.exe", "MZ");
    SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"tool.exe"));
    SendMessageW(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"道具"));
    ClickButton(FindChild(dialog, {.className = L"Button", .caption = L"決定(&O)"}));
    const HWND question =
        process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(question, nullptr);
    ClickButton(FindChild(question, {.id = IDYES}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kWaitMs));

    // The slot's menu item starts a program that is no longer there.
    DeleteFileW(sandbox.PathOf(L"tool.exe").c_str());
    PostCommand(tray, kFirstLauncherItem);
    const HWND failure = MessageBoxWith(*process, L"アプリケーションの起動に失敗しました。");
    ASSERT_NE(failure, nullptr);
    ClickButton(FindChild(failure, {.id = IDOK}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(failure); }, kWaitMs));
    EXPECT_TRUE(process->Running());

    EXPECT_TRUE(Exit());
    EXPECT_NE(Ini().find("Launcher1=tool.exe\r\nL_Title1=\x93\xb9\x8b\xef\r\n"), std::string::npos)
        << Ini();
}

TEST_F(TamvoroE2e, RestartLeavesExactlyOneRunningAgent) {
    Start();
    PostCommand(tray, kHideCommand);  // a change the new copy must find in the file
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(agent); }, kWaitMs));
    PostCommand(tray, kRestartCommand);
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value());
    HWND newAgent = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<HWND> agents = AgentWindows();
            newAgent = agents.size() == 1 ? agents[0] : nullptr;
            return newAgent != nullptr && IsWindowVisible(newAgent);
        },
        kWaitMs));
    ASSERT_NE(newAgent, nullptr);
    Sleep(1000);  // no second copy turns up late
    EXPECT_EQ(AgentWindows().size(), 1u);
    EXPECT_TRUE(WaitUntil([] { return AgentIcons() == 1; }, kWaitMs));
    EXPECT_EQ(AgentIcons(), 1u);

    const HWND newTray = TrayWindowOf(newAgent);
    ASSERT_NE(newTray, nullptr);
    PostCommand(newTray, kExitCommand);
    EXPECT_TRUE(WaitUntil([] { return AgentWindows().empty(); }, kWaitMs));
}

TEST_F(TamvoroE2e, ASecondCopyInTheSameFolderEndsQuietly) {
    Start();
    Process second(sandbox.PathOf(L"Tamvoro.exe"), L"", sandbox.Folder());
    EXPECT_TRUE(second.WaitForExit(kWaitMs).has_value());
    EXPECT_EQ(AgentWindows().size(), 1u);
    EXPECT_EQ(AgentIcons(), 1u);
    EXPECT_TRUE(Exit());
}

// The agent steps aside while a borderless window of another program covers the screen
// and comes back when it closes, announcing the message that began meanwhile and showing
// the box that fell due meanwhile.
TEST_F(TamvoroE2e, AFullScreenWindowHidesTheAgentUntilItCloses) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    if (now.wSecond >= 50) {  // leave the start enough of this minute
        Sleep(DWORD(60 - now.wSecond) * 1000 + 200);
        GetLocalTime(&now);
    }
    const int next = (now.wHour * 60 + now.wMinute + 1) % 1440;
    char range[32];
    snprintf(range, sizeof range, "{%d:%02d-%d:%02d}", next / 60, next % 60, next / 60, next % 60);
    Start("TIME=\"hh:nn\"\r\nSCHEDULE=" + std::string(range) + "\"later\"\r\nMESSAGEBOX=" + range +
          "\"box\"\r\n");
    Process show(BuildPath(FULL_SCREEN_WINDOW), L"120", sandbox.Folder());
    const HWND cover =
        show.WaitForWindow({.caption = L"full-screen", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(cover, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(agent); }, kWaitMs));
    // Into the next minute: the message and the box wait while the cover stays.
    EXPECT_TRUE(WaitUntil(
        [&] {
            SYSTEMTIME t{};
            GetLocalTime(&t);
            return t.wHour * 60 + t.wMinute == next && t.wSecond >= 2;
        },
        70000));
    EXPECT_FALSE(IsWindowVisible(agent));
    EXPECT_EQ(
        process->WaitForWindow({.className = L"SuiteForm", .caption = L"", .visibleOnly = true}, 0),
        nullptr);

    PostMessageW(cover, WM_CLOSE, 0, 0);
    EXPECT_TRUE(show.WaitForExit(kWaitMs).has_value());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(agent) != FALSE; }, kWaitMs));
    const HWND text = FindChild(agent, {.className = L"Edit"});
    ASSERT_NE(text, nullptr);
    EXPECT_NE(TextOf(text).find(L"later"), std::wstring::npos);
    const HWND box = process->WaitForWindow(
        {.className = L"SuiteForm", .caption = L"", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindChild(box, {.className = L"Static", .caption = L"box"}), nullptr);
    EXPECT_TRUE(Exit());
}

// What reg.exe prints for the agent's value in the user's start-up list, nullopt when it
// finds none. The test's Wine prefix has a registry of its own.
std::optional<std::string> RegQueryStartUp() {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) {
        return std::nullopt;
    }
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    std::wstring command =
        L"reg.exe query \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\" /v Tamvoro";
    PROCESS_INFORMATION info{};
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    CloseHandle(write);
    std::string output;
    char buffer[512];
    DWORD got = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    CloseHandle(read);
    DWORD code = 1;
    if (started) {
        WaitForSingleObject(info.hProcess, kWaitMs);
        GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    if (code != 0) {
        return std::nullopt;
    }
    return output;
}

// Removes the agent's start-up value, so that no test leaves one behind.
void ForgetStartUp() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       L"Tamvoro");
}

TEST_F(TamvoroE2e, TheStartUpItemAddsAndRemovesTheRunValue) {
    ForgetStartUp();
    ASSERT_FALSE(RegQueryStartUp().has_value());
    Start();
    PostCommand(tray, kStartUpCommand);
    std::optional<std::string> value;
    EXPECT_TRUE(WaitUntil([&] { return (value = RegQueryStartUp()).has_value(); }, kWaitMs));
    std::string exe;
    for (wchar_t c : sandbox.PathOf(L"Tamvoro.exe")) {
        exe += char(c);  // the sandbox's path is plain ASCII
    }
    EXPECT_NE(value.value_or("").find("REG_SZ    \"" + exe + "\""), std::string::npos)
        << value.value_or("");

    PostCommand(tray, kStartUpCommand);
    EXPECT_TRUE(WaitUntil([&] { return !RegQueryStartUp().has_value(); }, kWaitMs));
    EXPECT_TRUE(Exit());
    ForgetStartUp();
}

}  // namespace
