// Ordinell.exe started in a fresh folder and driven through window messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "range_boxes_win.h"

namespace {

using namespace e2e;

constexpr DWORD kWaitMs = 30000;

class OrdinellE2e : public ::testing::Test {
  protected:
    void SetUp() override { Start(L"Ordinell.exe"); }
    // Starts the program copied into the sandbox as fileName.
    void Start(std::wstring_view fileName) {
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE), fileName);
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
        window = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"Ordinell", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(window, nullptr);
        button = FindChild(window, {.className = L"Button", .caption = L"開始(&S)"});
        output = FindChild(window, {.className = L"RichEdit20W"});
        ASSERT_NE(button, nullptr);
        ASSERT_NE(output, nullptr);
    }
    // The range boxes (start 1, end 1, start 2, end 2): the short edit boxes, by row and
    // then from left to right.
    std::vector<HWND> RangeBoxes() const { return ordinell::RangeBoxes(window); }
    static void SetText(HWND box, const wchar_t* text) {
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    HWND WaitForMessageBox() const {
        return process->WaitForWindow({.className = L"#32770", .caption = L"Ordinell"}, kWaitMs);
    }
    bool Idle() const { return TextOf(button) == L"開始(&S)"; }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND window = nullptr;
    HWND button = nullptr;
    HWND output = nullptr;
};

TEST_F(OrdinellE2e, TheInitialRunShowsItsHundredLinesInTheOutputBox) {
    std::wstring expected;
    for (int i = 0; i <= 9; ++i) {
        for (int j = 0; j <= 9; ++j) {
            expected += L"第１文字列" + std::to_wstring(i) + L"第２文字列" + std::to_wstring(j) +
                        L"第３文字列\r\n";
        }
    }
    ClickButton(button);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(output) == expected; }, kWaitMs))
        << "the box shows " << TextOf(output).size() << " characters";
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(sandbox.Exists(L"Ordinell.ini"));
}

TEST_F(OrdinellE2e, AnOutputFarLongerThan65536CharactersArrivesWhole) {
    const std::vector<HWND> ranges = RangeBoxes();
    ASSERT_EQ(ranges.size(), 4u);
    SetText(ranges[1], L"99");
    SetText(ranges[3], L"99");
    std::wstring expected;
    const auto twoDigits = [](int value) {
        return std::to_wstring(value / 10) + std::to_wstring(value % 10);
    };
    for (int i = 0; i <= 99; ++i) {
        for (int j = 0; j <= 99; ++j) {
            expected +=
                L"第１文字列" + twoDigits(i) + L"第２文字列" + twoDigits(j) + L"第３文字列\r\n";
        }
    }
    ASSERT_GT(expected.size(), 3u * 65536);
    ClickButton(button);
    ASSERT_TRUE(WaitUntil([&] { return Idle() && TextOf(output).size() > 0; }, kWaitMs));
    const std::wstring shown = TextOf(output);
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected) << "the text differs from the run's lines";
    EXPECT_EQ(SendMessageW(output, EM_GETLINECOUNT, 0, 0), 10000 + 1);

    // The next run drops the long text at once (deleting it could take minutes).
    SetText(ranges[1], L"0");
    ClickButton(button);
    const std::wstring firstLine = L"第１文字列0第２文字列00第３文字列\r\n";
    EXPECT_TRUE(WaitUntil(
        [&] {
            output = FindChild(window, {.className = L"RichEdit20W"});
            const std::wstring text = TextOf(output);
            return Idle() && text.size() == 100 * firstLine.size() && text.starts_with(firstLine);
        },
        kWaitMs));
}

TEST_F(OrdinellE2e, AValueAboveTheLimitIsRefusedWithTheMessage) {
    const std::vector<HWND> ranges = RangeBoxes();
    ASSERT_EQ(ranges.size(), 4u);
    SetText(ranges[3], L"2147483647");
    ClickButton(button);
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(FindChild(box, {.id = 0xFFFF})), L"2147483646 以下の値を入力して下さい。");
    ClickButton(FindChild(box, {.id = IDOK}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWaitMs));
    EXPECT_TRUE(Idle());
    EXPECT_EQ(TextOf(output), L"");
}

TEST_F(OrdinellE2e, ARenamedProgramFileKeepsTheProgramsTitleOnItsMessages) {
    process.reset();
    Start(L"連番.exe");
    const std::vector<HWND> ranges = RangeBoxes();
    ASSERT_EQ(ranges.size(), 4u);
    SetText(ranges[0], L"2147483647");
    ClickButton(button);
    const HWND box = WaitForMessageBox();  // captioned "Ordinell"
    ASSERT_NE(box, nullptr);
    ClickButton(FindChild(box, {.id = IDOK}));
}

TEST_F(OrdinellE2e, ConfirmingTheStopQuestionDiscardsALongRun) {
    const std::vector<HWND> ranges = RangeBoxes();
    ASSERT_EQ(ranges.size(), 4u);
    // The run lets the window's messages through once for each of its 100,000 first values.
    SetText(ranges[1], L"99999");
    SetText(ranges[3], L"0");
    ClickButton(button);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(button) == L"中止(&C)"; }, kWaitMs));
    ClickButton(button);
    const HWND question = WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(FindChild(question, {.id = 0xFFFF})), L"処理を中止しますか?");
    ClickButton(FindChild(question, {.id = IDYES}));
    EXPECT_TRUE(WaitUntil([&] { return Idle(); }, kWaitMs));
    EXPECT_EQ(TextOf(output), L"");
}

}  // namespace
