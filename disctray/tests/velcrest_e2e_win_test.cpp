#include <windows.h>
// The shell declarations build on windows.h.
#include <gtest/gtest.h>
#include <shellapi.h>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace {

constexpr DWORD kWaitMs = 15000;

std::vector<HWND> VisibleButtons(HWND box) {
    std::vector<HWND> buttons;
    for (HWND child : e2e::Descendants(box)) {
        if (e2e::ClassOf(child) == L"Button" && IsWindowVisible(child)) {
            buttons.push_back(child);
        }
    }
    return buttons;
}

// Without a disc drive the close command fails: Velcrest shows its one error box and ends
// with status 0 only after the box has been dismissed.
void ExpectErrorBoxThenExitZero(std::wstring_view arguments) {
    e2e::Sandbox sandbox;
    e2e::Process velcrest(sandbox.CopyIn(e2e::BuildPath(PROGRAM_EXE)), arguments, sandbox.Folder());

    const HWND box = velcrest.WaitForWindow(
        {.className = L"#32770", .caption = L"Velcrest", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(e2e::TextOf(e2e::FindChild(box, {.className = L"Static", .id = 0xFFFF})), L"エラー");
    const std::vector<HWND> buttons = VisibleButtons(box);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(GetDlgCtrlID(buttons.front()), IDOK);

    int visibleWindows = 0;
    for (HWND window : velcrest.TopWindows()) {
        visibleWindows += IsWindowVisible(window) ? 1 : 0;
    }
    EXPECT_EQ(visibleWindows, 1) << "the error box is the program's only window";

    EXPECT_EQ(velcrest.WaitForExit(500), std::nullopt) << "ended while the box was open";
    e2e::ClickButton(buttons.front());
    EXPECT_EQ(velcrest.WaitForExit(kWaitMs), 0u);
}

TEST(Velcrest, FailedCloseShowsTheErrorBoxAndExitsWithZero) {
    ExpectErrorBoxThenExitZero(L"");
}

TEST(Velcrest, ArgumentsChangeNothing) {
    ExpectErrorBoxThenExitZero(L"/open \"D:\\\" -x 123");
}

// The program file carries its icon and a version resource naming it.
TEST(Velcrest, ProgramFileHasItsIconAndVersion) {
    const std::wstring exe = e2e::BuildPath(PROGRAM_EXE);
    EXPECT_EQ(ExtractIconExW(exe.c_str(), -1, nullptr, nullptr, 0), 1u);

    std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(PROJECT_VERSION_MINOR, PROJECT_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(PROJECT_VERSION_MINOR, PROJECT_VERSION_MAJOR));
    for (const wchar_t* key : {L"\\StringFileInfo\\041104B0\\ProductName",
                               L"\\StringFileInfo\\041104B0\\FileDescription"}) {
        wchar_t* value = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &size))
            << key;
        EXPECT_EQ(std::wstring(value), L"Velcrest") << key;
    }
}

}  // namespace
