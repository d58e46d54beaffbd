#include "win32/notify_icon.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace win32 {
namespace {

// A notification area that answers from a script: each entry is the result of one call
// and the error it leaves behind.
struct ScriptedArea {
    struct Answer {
        BOOL result;
        DWORD error;
    };
    std::deque<Answer> answers;
    std::vector<DWORD> messages;
    std::vector<DWORD> sleeps;
    DWORD error = 0;

    NotifyIconApi Api() {
        return {
            [this](DWORD message, NOTIFYICONDATAW*) {
                messages.push_back(message);
                Answer answer = answers.empty() ? Answer{FALSE, ERROR_TIMEOUT} : answers.front();
                if (!answers.empty()) {
                    answers.pop_front();
                }
                error = answer.error;
                return answer.result;
            },
            [this] { return error; }, [this](DWORD ms) { sleeps.push_back(ms); }};
    }
};

int16_t SendCommand(ScriptedArea& area, DWORD message = NIM_ADD) {
    return NotifyIconCommand(nullptr, message, L"tip", reinterpret_cast<HICON>(1), area.Api());
}

TEST(NotifyIconCommand, SuccessAtOnceSendsOneCommand) {
    ScriptedArea area;
    area.answers = {{TRUE, 0}};
    EXPECT_EQ(SendCommand(area, NIM_DELETE), 0);
    EXPECT_EQ(area.messages, std::vector<DWORD>{NIM_DELETE});
    EXPECT_TRUE(area.sleeps.empty());
}

TEST(NotifyIconCommand, TimeoutOnAddWithTheIconThereSucceedsWithoutWaiting) {
    ScriptedArea area;
    area.answers = {{FALSE, ERROR_TIMEOUT}, {TRUE, 0}};
    EXPECT_EQ(SendCommand(area), 0);
    EXPECT_EQ(area.messages, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
    EXPECT_TRUE(area.sleeps.empty());
}

TEST(NotifyIconCommand, ATimedOutDeleteIsRetriedItselfNeverTakenForDoneByAModify) {
    ScriptedArea area;
    area.answers = {{FALSE, ERROR_TIMEOUT}, {TRUE, 0}};
    EXPECT_EQ(SendCommand(area, NIM_DELETE), 0);
    EXPECT_EQ(area.messages, (std::vector<DWORD>{NIM_DELETE, NIM_DELETE}));
    EXPECT_EQ(area.sleeps, std::vector<DWORD>{1000});

    ScriptedArea silent;  // every call times out: the icon may still be there
    EXPECT_EQ(SendCommand(silent, NIM_DELETE), -1);
    EXPECT_EQ(silent.messages, std::vector<DWORD>(kNotifyMaxAttempts, NIM_DELETE));
}

TEST(NotifyIconCommand, OtherErrorsFailAtOnce) {
    ScriptedArea area;
    area.answers = {{FALSE, ERROR_ACCESS_DENIED}};
    EXPECT_EQ(SendCommand(area), -1);
    EXPECT_EQ(area.messages, std::vector<DWORD>{NIM_ADD});
    EXPECT_TRUE(area.sleeps.empty());
}

TEST(NotifyIconCommand, TimeoutsAreRetriedAfterASecond) {
    ScriptedArea area;
    area.answers = {{FALSE, ERROR_TIMEOUT},
                    {FALSE, ERROR_TIMEOUT},
                    {FALSE, ERROR_TIMEOUT},
                    {FALSE, ERROR_TIMEOUT},
                    {TRUE, 0}};
    EXPECT_EQ(SendCommand(area), 0);
    EXPECT_EQ(area.messages,
              (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_MODIFY, NIM_ADD}));
    EXPECT_EQ(area.sleeps, (std::vector<DWORD>{1000, 1000}));
}

TEST(NotifyIconCommand, ARetryEndingInAnotherErrorFails) {
    ScriptedArea area;
    area.answers = {{FALSE, ERROR_TIMEOUT}, {FALSE, ERROR_TIMEOUT}, {FALSE, ERROR_INVALID_HANDLE}};
    EXPECT_EQ(SendCommand(area), -1);
    EXPECT_EQ(area.sleeps.size(), 1u);
}

TEST(NotifyIconCommand, AnAreaThatNeverAnswersFailsAfterTheLastAttempt) {
    ScriptedArea area;  // every call times out
    EXPECT_EQ(SendCommand(area), -1);
    EXPECT_EQ(area.messages.size(), 2u * kNotifyMaxAttempts);
    EXPECT_EQ(area.sleeps.size(), static_cast<size_t>(kNotifyMaxAttempts - 1));
}

TEST(NotifyTipText, FitsSixtyThreeCp932Bytes) {
    EXPECT_EQ(NotifyTipText(L"時間割エージェント"), L"時間割エージェント");
    const std::wstring ascii(63, L'a');
    EXPECT_EQ(NotifyTipText(ascii), ascii);
    EXPECT_EQ(NotifyTipText(ascii + L"bc"), ascii);
    // 40 double-byte characters are 80 bytes: 31 whole ones fit, the 32nd is cut in half.
    const std::wstring wide(40, L'あ');
    EXPECT_EQ(NotifyTipText(wide), std::wstring(31, L'あ') + L" ");
    EXPECT_EQ(NotifyTipText(L"a" + wide), L"a" + std::wstring(31, L'あ'));
    EXPECT_EQ(NotifyTipText(L""), L"");
}

class IconWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    HWND window_ = nullptr;
};

TEST_F(IconWindow, RecordCarriesWindowCallbackIconAndCutTip) {
    const HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
    const NOTIFYICONDATAW record = NotifyIconRecord(window_, std::wstring(70, L'x'), icon);
    EXPECT_EQ(record.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(record.hWnd, window_);
    EXPECT_EQ(record.uID, 0u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(record.hIcon, icon);
    EXPECT_EQ(std::wstring(record.szTip), std::wstring(63, L'x'));
}

TEST_F(IconWindow, IconZeroMeansTheWindowsOwnIcon) {
    const HICON icon = LoadIconW(nullptr, IDI_WARNING);
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(NotifyIconRecord(window_, L"", nullptr).hIcon, icon);
}

TEST_F(IconWindow, TheSystemAreaAddsChangesAndRemovesTheIcon) {
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(NotifyIconCommand(window_, NIM_ADD, L"テスト", icon), 0);
    EXPECT_EQ(NotifyIconCommand(window_, NIM_MODIFY, L"変更", icon), 0);
    EXPECT_EQ(NotifyIconCommand(window_, NIM_DELETE, L"", icon), 0);
    EXPECT_EQ(NotifyIconCommand(window_, NIM_MODIFY, L"", icon), -1) << "the icon is gone";
}

}  // namespace
}  // namespace win32
