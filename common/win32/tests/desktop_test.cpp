// The desktop services on the real system (under Wine, the test prefix's own registry):
// the start-up entries written, read back and removed, the monitors, and the program's own
// window never counting as another program's.
#include "win32/desktop.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr wchar_t kName[] = L"SuiteDesktopTestEntry";

// Removes the test's entry on the way in and out, so that none is left behind.
class StartUpEntryTest : public ::testing::Test {
  protected:
    StartUpEntryTest() { win32::WriteStartUpEntry(kName, std::nullopt); }
    ~StartUpEntryTest() override { win32::WriteStartUpEntry(kName, std::nullopt); }
};

TEST_F(StartUpEntryTest, AnEntryIsWrittenReadReplacedAndRemoved) {
    EXPECT_FALSE(win32::ReadStartUpEntry(kName).has_value());
    ASSERT_TRUE(win32::WriteStartUpEntry(kName, L"\"C:\\テスト\\Tamvoro.exe\""));
    EXPECT_EQ(win32::ReadStartUpEntry(kName), L"\"C:\\テスト\\Tamvoro.exe\"");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, kName, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    RegCloseKey(key);

    ASSERT_TRUE(win32::WriteStartUpEntry(kName, L"\"D:\\b.exe\""));
    EXPECT_EQ(win32::ReadStartUpEntry(kName), L"\"D:\\b.exe\"");
    EXPECT_TRUE(win32::WriteStartUpEntry(kName, std::nullopt));
    EXPECT_FALSE(win32::ReadStartUpEntry(kName).has_value());
    EXPECT_TRUE(win32::WriteStartUpEntry(kName, std::nullopt));  // already gone
}

TEST(DesktopTest, ThePrimaryMonitorComesFirstAndOwnWindowsAreNotAnotherProgram) {
    const std::vector<forms::Rect> monitors = win32::MonitorRects();
    ASSERT_FALSE(monitors.empty());
    EXPECT_EQ(monitors[0],
              (forms::Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));

    const HWND cover = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, monitors[0].right,
                                       monitors[0].bottom, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    ShowWindow(cover, SW_SHOW);
    SetForegroundWindow(cover);
    EXPECT_EQ(GetForegroundWindow(), cover);
    EXPECT_FALSE(win32::ForegroundWindowNow().otherProgram);
    DestroyWindow(cover);
}

}  // namespace
