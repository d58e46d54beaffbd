// Mensato.exe started in a fresh folder and driven through window messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace {

using namespace e2e;

constexpr DWORD kWaitMs = 30000;
constexpr int kExitCommand = 1000;

// One calibration of 567 twips a cm, in use.
constexpr std::string_view kOneEntry =
    "[MainForm]\r\nTwipPerCm_Cur=1\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=567\r\n";

SIZE SizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

POINT CornerOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

void SetText(HWND window, const wchar_t* text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

class MensatoE2e : public ::testing::Test {
  protected:
    void Start() {
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
    }
    // The settings window and the ruler, once both are shown.
    void FindWindows() {
        settings = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"物差し", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(settings, nullptr);
        ruler = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(ruler, nullptr);
        // The settings window's own edit boxes, top down: Text1, Text2(0), Text2(1).
        boxes = DescendantsInReadingOrder(settings, [this](HWND child) {
            return ClassOf(child) == L"Edit" && GetParent(child) == settings;
        });
        ASSERT_EQ(boxes.size(), 3u);
    }
    HWND Button(const std::wstring& caption) const {
        return FindChild(settings, {.className = L"Button", .caption = caption});
    }
    // The next message box: its text, then the button with the given id pressed.
    std::wstring Answer(int id) const {
        const HWND box =
            process->WaitForWindow({.className = L"#32770", .caption = L"Mensato"}, kWaitMs);
        if (box == nullptr) {
            return L"(no message box)";
        }
        const std::wstring text = TextOf(FindChild(box, {.id = 0xFFFF}));
        ClickButton(FindChild(box, {.id = id}));
        WaitUntil([&] { return !IsWindow(box); }, kWaitMs);
        return text;
    }
    // Types a value into a box (replacing it) and presses Enter.
    void Enter(HWND box, const wchar_t* value) const {
        SetText(box, L"");
        PostText(box, value);
        PostChar(box, L'\r');
    }
    bool RulerBecomes(LONG width, LONG height) const {
        return WaitUntil(
            [&] {
                const SIZE size = SizeOf(ruler);
                return size.cx == width && size.cy == height;
            },
            kWaitMs);
    }
    bool Exit() const {
        PostCommand(settings, kExitCommand);
        return process->WaitForExit(kWaitMs) == 0u;
    }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND settings = nullptr;
    HWND ruler = nullptr;
    std::vector<HWND> boxes;
};

TEST_F(MensatoE2e, AFirstStartInstructsAndARegisteredCalibrationIsStoredAtExit) {
    Start();
    EXPECT_EQ(Answer(IDOK),
              L"最初に、実物の物差しと画面の物差しを比較して、同じ大きさになるように、\r\n"
              L"「Twips」値を変更して下さい。（「Enter」で反映）\r\n\r\n"
              L"値が決まったら、「画面の大きさと解像度」の項目名を編集して、「登録」して下さい。"
              L"\r\n\r\n※この操作は、解像度毎に設定する必要が有ります。");
    FindWindows();
    EXPECT_EQ(CornerOf(settings).x, 0);
    EXPECT_EQ(CornerOf(settings).y, 0);

    // 567 twips a cm at 15 twips a pixel: 111 x 23 mm are 419.58 x 86.94 pixels.
    Enter(boxes[0], L"567");
    EXPECT_TRUE(RulerBecomes(420, 87));
    const HWND combo = FindChild(settings, {.className = L"ComboBox"});
    ASSERT_NE(combo, nullptr);
    // The name typed over the proposal in the list's edit part.
    const HWND name = FindChild(combo, {.className = L"Edit"});
    SendMessageW(name, EM_SETSEL, 0, -1);
    PostText(name, L" 画面 17inch ");
    EXPECT_TRUE(WaitUntil([&] { return TextOf(combo) == L" 画面 17inch "; }, kWaitMs));
    ClickButton(Button(L"登録"));
    EXPECT_EQ(Answer(IDYES), L"登録してよろしいですか?");
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(combo, CB_GETCOUNT, 0, 0) == 1; }, kWaitMs));

    EXPECT_TRUE(Exit());
    EXPECT_EQ(sandbox.Read(L"Mensato.ini"),
              "[MainForm]\r\nTwipPerCm_Cur=1\r\n"
              "TwipPerCm_Str1=\x89\xe6\x96\xca 17inch\r\nTwipPerCm_Val1=567\r\n");
}

TEST_F(MensatoE2e, TheRulerSwitchesOrientationAndAbsurdValuesLeaveItAsItWas) {
    sandbox.Write(L"Mensato.ini", kOneEntry);
    Start();
    FindWindows();
    EXPECT_TRUE(RulerBecomes(420, 87));
    const POINT corner = CornerOf(ruler);

    PostMessageW(ruler, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(RulerBecomes(87, 420));
    EXPECT_EQ(CornerOf(ruler).x, corner.x);
    EXPECT_EQ(CornerOf(ruler).y, corner.y);
    ClickButton(Button(L"縦 ⇔ 横"));
    EXPECT_TRUE(RulerBecomes(420, 87));

    // Refused values beep and leave the ruler as it was.
    Enter(boxes[0], L"9999999");
    EXPECT_TRUE(WaitUntil([&] { return TextOf(boxes[0]) == L"9999999"; }, kWaitMs));
    Sleep(500);
    EXPECT_EQ(SizeOf(ruler).cx, 420);
    EXPECT_EQ(SizeOf(ruler).cy, 87);
    SetText(boxes[0], L"567");
    SetText(boxes[1], L"-5");  // a minus sign only a paste could bring
    SetText(boxes[2], L"99999");
    ClickButton(Button(L"&cm"));
    Sleep(500);
    EXPECT_EQ(SizeOf(ruler).cx, 420);
    EXPECT_EQ(SizeOf(ruler).cy, 87);
    ASSERT_TRUE(process->Running());

    // The program goes on: 11 x 13 mm at 600 twips a cm are 44 x 52 pixels.
    SetText(boxes[1], L"0");
    SetText(boxes[2], L"1");
    Enter(boxes[0], L"600");
    EXPECT_TRUE(RulerBecomes(44, 52));
    EXPECT_TRUE(Exit());
    EXPECT_EQ(sandbox.Read(L"Mensato.ini"), std::string(kOneEntry));
}

TEST_F(MensatoE2e, DeletingAfterTheNameWasEditedAsksForASelectionAndKeepsTheEntry) {
    sandbox.Write(L"Mensato.ini", kOneEntry);
    Start();
    FindWindows();
    const HWND combo = FindChild(settings, {.className = L"ComboBox"});
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(TextOf(combo), L"a");
    const HWND name = FindChild(combo, {.className = L"Edit"});
    SendMessageW(name, EM_SETSEL, 0, -1);
    PostText(name, L"b");
    EXPECT_TRUE(WaitUntil([&] { return TextOf(combo) == L"b"; }, kWaitMs));
    ClickButton(Button(L"削除"));
    EXPECT_EQ(Answer(IDOK), L"リストを選択して下さい。");
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(Exit());
    EXPECT_EQ(sandbox.Read(L"Mensato.ini"), std::string(kOneEntry));
}

TEST_F(MensatoE2e, ASettingsFileHeldByAnotherProgramAtStartIsReportedAndNotWrittenOver) {
    sandbox.Write(L"Mensato.ini", kOneEntry);
    HANDLE lock = CreateFileW(sandbox.PathOf(L"Mensato.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start();
    EXPECT_EQ(Answer(IDOK).rfind(L"ファイルの読み込みを失敗しました Err=", 0), 0u);
    CloseHandle(lock);
    FindWindows();
    // A calibration registered now would replace the unread file's first entry at exit.
    ClickButton(Button(L"登録"));
    EXPECT_EQ(Answer(IDYES), L"登録してよろしいですか?");
    EXPECT_TRUE(Exit());
    EXPECT_EQ(sandbox.Read(L"Mensato.ini"), std::string(kOneEntry));
}

TEST_F(MensatoE2e, MinimisingTheSettingsWindowHidesTheRuler) {
    sandbox.Write(L"Mensato.ini", kOneEntry);
    Start();
    FindWindows();
    ShowWindow(settings, SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(ruler); }, kWaitMs));
    ShowWindow(settings, SW_RESTORE);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(ruler) != FALSE; }, kWaitMs));
    EXPECT_TRUE(Exit());
}

}  // namespace
