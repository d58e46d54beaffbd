// Quillard.exe started beside a set file and driven through window messages: choosing,
// ticking, marking, exporting both file types, and adding a set in the editor, which
// writes the file and restarts the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "sheet_windows_win.h"

namespace {

using namespace e2e;
using quillard::Cp932;
using quillard::LabelTexts;
using quillard::VisibleChoiceBoxes;

constexpr DWORD kWaitMs = 30000;
constexpr int kSettingMenu = 1001;  // the second menu item of the window

// CP932 bytes of the set file: "小テスト","アイウ","213" and "二問","AB","12".
const std::string kSetFile =
    "\"\x8f\xac\x83\x65\x83\x58\x83\x67\",\"\x83\x41\x83\x43\x83\x45\",\"213\"\r\n"
    "\"\x93\xf1\x96\xe2\",\"AB\",\"12\"\r\n";

class QuillardE2e : public ::testing::Test {
  protected:
    void SetUp() override {
        sandbox.Write(L"Quillard.csv", kSetFile);
        const std::wstring exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
        window = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"Quillard", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(window, nullptr);
        combo = FindChild(window, {.className = L"ComboBox"});
        ASSERT_NE(combo, nullptr);
    }
    HWND Button(const wchar_t* caption) const {
        return FindChild(window, {.className = L"Button", .caption = caption});
    }
    // The next dialog or message box of the program (a visible #32770 window).
    HWND WaitForDialog() const {
        return process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
    }
    std::wstring AnswerMessage(int button) const {
        const HWND box = process->WaitForWindow(
            {.className = L"#32770", .caption = L"Quillard", .visibleOnly = true}, kWaitMs);
        if (box == nullptr) {
            return L"(no message)";
        }
        const std::wstring text = TextOf(FindChild(box, {.id = 0xFFFF}));
        ClickButton(FindChild(box, {.id = button}));
        WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kWaitMs);
        return text;
    }
    bool ShowsLabel(const std::wstring& text) const {
        return WaitUntil(
            [&] {
                const std::vector<std::wstring> labels = LabelTexts(window);
                return std::find(labels.begin(), labels.end(), text) != labels.end();
            },
            kWaitMs);
    }
    // Types the name into the save dialog, chooses the file type (1 or 2) and saves.
    void SaveAs(const std::wstring& name, int type) const {
        const HWND dialog = WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        constexpr int kTypeCombo = 0x470, kNameCombo = 0x47C, kNameEdit = 0x480;
        const HWND types = GetDlgItem(dialog, kTypeCombo);
        ASSERT_NE(types, nullptr);
        // The type list is moved with the keyboard, so the dialog notices the choice.
        const int moves = type - 1 - static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
        for (int i = 0; i < std::abs(moves); ++i) {
            PostKey(types, moves > 0 ? VK_DOWN : VK_UP);
        }
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(types, CB_GETCURSEL, 0, 0) == type - 1; },
                              kWaitMs));
        SetDlgItemTextW(dialog, GetDlgItem(dialog, kNameCombo) ? kNameCombo : kNameEdit,
                        name.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(
            WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kWaitMs));
    }

    // Starts the program again on one set of n questions with choices A and B, all
    // answered A, and chooses that set.
    void RestartOnLongSet(int n) {
        process->Kill();
        sandbox.Write(L"Quillard.csv",
                      "\"long\",\"AB\",\"" + std::string(size_t(n), '1') + "\"\r\n");
        process = std::make_unique<Process>(sandbox.PathOf(L"Quillard.exe"), L"", sandbox.Folder());
        window = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"Quillard", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(window, nullptr);
        combo = FindChild(window, {.className = L"ComboBox"});
        quillard::ChooseEntry(combo, 0);
    }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND window = nullptr;
    HWND combo = nullptr;
};

TEST_F(QuillardE2e, ChooseTickMarkAndExportBothTypes) {
    EXPECT_EQ(quillard::ComboEntries(combo), (std::vector<std::wstring>{L"小テスト", L"二問"}));
    quillard::ChooseEntry(combo, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleChoiceBoxes(window).size() == 9; }, kWaitMs));
    std::vector<HWND> boxes = VisibleChoiceBoxes(window);
    EXPECT_EQ(TextOf(boxes[0]) + TextOf(boxes[1]) + TextOf(boxes[2]), L"アイウ");
    EXPECT_TRUE(ShowsLabel(L"問3"));

    // Question 1 right (イ), question 2 wrong (イ instead of ア), question 3 right (ウ);
    // question 2 is first ticked on ウ, which the second tick replaces.
    for (int box : {1, 5, 4, 8}) {
        ClickButton(boxes[static_cast<size_t>(box)]);
    }
    ClickButton(Button(L"採点(&M)"));
    EXPECT_TRUE(ShowsLabel(L"2 / 3"));
    EXPECT_TRUE(ShowsLabel(L"66.67%"));
    EXPECT_EQ(SendMessageW(boxes[3], BM_GETCHECK, 0, 0), BST_INDETERMINATE) << "correct box grey";
    EXPECT_EQ(SendMessageW(boxes[4], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(boxes[5], BM_GETCHECK, 0, 0), BST_UNCHECKED) << "one tick per row";

    const std::string tail = Cp932(L"）　：　2/3 (66.67%)\r\n\r\n");
    const auto body = [](const char* sep) {
        const std::string s(sep);
        return s + Cp932(L"ア") + s + Cp932(L"イ") + s + Cp932(L"ウ") + "\r\n" + Cp932(L"問1") + s +
               s + Cp932(L"○") + s + "\r\n" + Cp932(L"問2") + s + Cp932(L"●") + s + Cp932(L"×") +
               s + "\r\n" + Cp932(L"問3") + s + s + s + Cp932(L"○") + "\r\n\r\n";
    };
    const struct {
        const wchar_t* typed;
        int type;
        const wchar_t* file;
        const char* sep;
    } exports[] = {{L"result", 1, L"result.txt", "\t"}, {L"result", 2, L"result.csv", ","}};
    for (const auto& e : exports) {
        ClickButton(Button(L"結果を出力(&O)"));
        SaveAs(sandbox.PathOf(e.typed), e.type);
        const std::wstring shown = AnswerMessage(IDOK);
        EXPECT_NE(shown.find(L"に出力しました。"), std::wstring::npos) << shown.size();
        const std::optional<std::string> bytes = sandbox.Read(e.file);
        ASSERT_TRUE(bytes.has_value()) << std::string(shown.begin(), shown.end());
        const std::string head = Cp932(L"小テスト（");
        EXPECT_EQ(bytes->substr(0, head.size()), head);
        const size_t summaryEnd = bytes->find(tail);
        ASSERT_NE(summaryEnd, std::string::npos);
        EXPECT_EQ(bytes->substr(summaryEnd + tail.size()), body(e.sep));
    }
}

// The visible main window of another copy of the program than oldProcess, waiting for it.
HWND WaitForRestartedWindow(DWORD oldProcess) {
    struct Search {
        DWORD oldProcess;
        HWND found;
    } search{oldProcess, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(
                [](HWND w, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(param);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(w, &owner);
                    if (owner != s->oldProcess && IsWindowVisible(w) &&
                        Matches(w, {.className = L"SuiteForm", .caption = L"Quillard"})) {
                        s->found = w;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        kWaitMs);
    return search.found;
}

TEST_F(QuillardE2e, ALongSetShowsTheRowsInViewAndScrollingBringsTheLastOnes) {
    RestartOnLongSet(40);
    ASSERT_TRUE(ShowsLabel(L"問1"));
    const size_t inView = VisibleChoiceBoxes(window).size();
    EXPECT_GT(inView, 0u);
    EXPECT_LT(inView, 80u) << "the rows out of view are not shown";

    const HWND bar = FindChild(window, {.className = L"ScrollBar"});
    ASSERT_NE(bar, nullptr);
    SendMessageW(GetParent(bar), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), LPARAM(bar));
    ASSERT_TRUE(ShowsLabel(L"問40"));
    const std::vector<HWND> boxes = VisibleChoiceBoxes(window);
    ASSERT_GE(boxes.size(), 2u);
    ClickButton(boxes[boxes.size() - 2]);  // question 40 answered A
    ClickButton(Button(L"採点(&M)"));
    EXPECT_TRUE(ShowsLabel(L"1 / 40"));
    EXPECT_EQ(SendMessageW(boxes[boxes.size() - 4], BM_GETCHECK, 0, 0), BST_INDETERMINATE)
        << "question 39's correct box grey";
}

TEST_F(QuillardE2e, TheLastQuestionOfTheLargestSetScrollsWholeIntoView) {
    RestartOnLongSet(300);
    ASSERT_TRUE(ShowsLabel(L"問1"));
    const HWND bar = FindChild(window, {.className = L"ScrollBar"});
    ASSERT_NE(bar, nullptr);
    SendMessageW(GetParent(bar), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), LPARAM(bar));
    const HWND label = FindChild(window, {.className = L"Static", .caption = L"問300"});
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(label) != FALSE; }, kWaitMs));
    RECT view{}, row{};
    GetWindowRect(bar, &view);  // the grid's view is as tall as the scroll bar
    GetWindowRect(label, &row);
    EXPECT_GE(row.top, view.top);
    EXPECT_LE(row.bottom, view.bottom) << "問300 whole inside the window";
    const std::vector<HWND> boxes = VisibleChoiceBoxes(window);
    ASSERT_GE(boxes.size(), 2u);
    ClickButton(boxes[boxes.size() - 2]);  // question 300 answered A
    ClickButton(Button(L"採点(&M)"));
    EXPECT_TRUE(ShowsLabel(L"1 / 300"));
}

TEST_F(QuillardE2e, AddingASetWritesTheFileAndTheRestartedProgramListsIt) {
    PostCommand(window, kSettingMenu);
    const HWND editor = process->WaitForWindow(
        {.className = L"SuiteForm", .caption = L"設定", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(editor, nullptr);
    const auto editorButton = [&](const wchar_t* caption) {
        return FindChild(editor, {.className = L"Button", .caption = caption});
    };
    ClickButton(editorButton(L"新規"));
    std::vector<HWND> boxes;
    ASSERT_TRUE(WaitUntil(
        [&] {
            boxes = DescendantsInReadingOrder(editor, [](HWND child) {
                return IsWindowVisible(child) && ClassOf(child) == L"Edit";
            });
            return boxes.size() == 3;
        },
        kWaitMs));
    // The answers box drops what is not a digit 1 to 9, also when text arrives at once.
    const wchar_t* texts[] = {L"理科 第1回", L"アイウエ", L"4, 3a21"};
    for (int i = 0; i < 3; ++i) {
        SendMessageW(boxes[static_cast<size_t>(i)], WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(texts[i]));
    }
    EXPECT_TRUE(WaitUntil([&] { return TextOf(boxes[2]) == L"4321"; }, kWaitMs));
    ClickButton(editorButton(L"決定"));
    const HWND list = FindChild(editor, {.className = L"ListBox"});
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 3; }, kWaitMs));

    ClickButton(editorButton(L"更新"));
    EXPECT_EQ(AnswerMessage(IDYES), L"更新してもよろしいですか?");
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value()) << "the running copy ends";
    EXPECT_EQ(sandbox.Read(L"Quillard.csv"),
              kSetFile + Cp932(L"\"理科 第1回\",\"アイウエ\",\"4321\"\r\n"));

    const HWND restarted = WaitForRestartedWindow(process->Id());
    ASSERT_NE(restarted, nullptr);
    const HWND newCombo = FindChild(restarted, {.className = L"ComboBox"});
    EXPECT_EQ(quillard::ComboEntries(newCombo),
              (std::vector<std::wstring>{L"小テスト", L"二問", L"理科 第1回"}));
    PostMessageW(restarted, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(restarted); }, kWaitMs));
}

}  // namespace
