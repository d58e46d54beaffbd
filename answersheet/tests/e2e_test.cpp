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
constexpr int kClassMenu = 1002;

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
    // Types the name into the save dialog, chooses the file type (1 or 2) and saves. The
    // dialog must have opened on the offered type and name, when given.
    void SaveAs(const std::wstring& name, int type, int offeredType = 0,
                const std::wstring& offeredName = {}) const {
        const HWND dialog = WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        constexpr int kTypeCombo = 0x470, kNameCombo = 0x47C, kNameEdit = 0x480;
        const HWND types = GetDlgItem(dialog, kTypeCombo);
        ASSERT_NE(types, nullptr);
        const HWND nameBox =
            GetDlgItem(dialog, GetDlgItem(dialog, kNameCombo) ? kNameCombo : kNameEdit);
        if (offeredType != 0) {
            EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), offeredType - 1);
            EXPECT_EQ(TextOf(nameBox), offeredName);
        }
        // The type list is moved with the keyboard, so the dialog notices the choice.
        const int moves = type - 1 - static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
        for (int i = 0; i < std::abs(moves); ++i) {
            PostKey(types, moves > 0 ? VK_DOWN : VK_UP);
        }
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(types, CB_GETCURSEL, 0, 0) == type - 1; },
                              kWaitMs));
        SetWindowTextW(nameBox, name.c_str());
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

// The class: three sheets recorded (one of them twice, the replacement first refused), the
// class window opened, one pupil deleted, the class table written as text and as CSV, the
// type remembered for the sheet's own export, and the class file read back.
TEST_F(QuillardE2e, RecordThreeSheetsDeleteOneAndExportTheClassTable) {
    quillard::ChooseEntry(combo, 0);  // 小テスト: アイウ, answers 213
    ASSERT_TRUE(WaitUntil([&] { return VisibleChoiceBoxes(window).size() == 9; }, kWaitMs));
    const HWND record = Button(L"記録(&A)");
    const struct {
        const wchar_t* name;
        std::vector<int> ticks;
        const wchar_t* shown;
    } sheets[] = {{L"1番 山田", {2, 1, 3}, L"記録しました：1番 山田　3 / 3　（1 人目）"},
                  {L"2番", {1, 1, 0}, L"記録しました：2番　1 / 3　（2 人目）"},
                  {L"3番", {2, 2, 2}, L"記録しました：3番　1 / 3　（3 人目）"}};
    for (const auto& sheet : sheets) {
        ASSERT_TRUE(quillard::EnterSheet(window, sheet.name, sheet.ticks, 3));
        ClickButton(record);
        EXPECT_TRUE(ShowsLabel(sheet.shown));
    }
    ASSERT_TRUE(quillard::EnterSheet(window, L"2番", {3, 3, 3}, 3));
    ClickButton(record);
    EXPECT_EQ(AnswerMessage(IDNO), L"2番 の記録を置き換えますか?");
    ClickButton(record);
    EXPECT_EQ(AnswerMessage(IDYES), L"2番 の記録を置き換えますか?");
    EXPECT_TRUE(ShowsLabel(L"記録しました：2番　1 / 3　（2 人目）"));

    PostCommand(window, kClassMenu);
    const HWND classWindow = process->WaitForWindow(
        {.className = L"SuiteForm", .caption = L"集計 - 小テスト", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(classWindow, nullptr);
    const HWND list = FindChild(classWindow, {.className = L"ListBox"});
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    quillard::ChooseListEntry(list, 1);
    ClickButton(FindChild(classWindow, {.className = L"Button", .caption = L"削除(&D)"}));
    EXPECT_EQ(AnswerMessage(IDYES), L"2番 の記録を削除してよろしいですか?");
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 2; }, kWaitMs));

    const auto table = [](const std::string& s) {
        const auto row = [&](std::initializer_list<std::wstring_view> cells) {
            std::string line;
            for (std::wstring_view cell : cells) {
                line += Cp932(cell) + s;
            }
            return line.substr(0, line.size() - s.size()) + "\r\n";
        };
        return row({L"受験者", L"得点", L"正答率", L"問1", L"問2", L"問3"}) +
               row({L"1番 山田", L"3", L"100.00", L"○", L"○", L"○"}) +
               row({L"3番", L"1", L"33.33", L"○", L"イ", L"イ"}) + "\r\n" +
               row({L"正答", L"", L"", L"イ", L"ア", L"ウ"}) +
               row({L"正答率", L"", L"", L"100.0", L"50.0", L"50.0"}) +
               row({L"識別指数", L"", L"", L"0.00", L"1.00", L"1.00"}) +
               row({L"選択 ア", L"", L"", L"0", L"1", L"0"}) +
               row({L"選択 イ", L"", L"", L"2", L"1", L"1"}) +
               row({L"選択 ウ", L"", L"", L"0", L"0", L"1"}) +
               row({L"無答", L"", L"", L"0", L"0", L"0"}) + "\r\n" + row({L"人数", L"2"}) +
               row({L"平均点", L"2.00"}) + row({L"標準偏差", L"1.00"}) + row({L"中央値", L"2.00"}) +
               row({L"最高点", L"3"}) + row({L"最低点", L"1"});
    };
    const HWND output = FindChild(classWindow, {.className = L"Button", .caption = L"出力(&O)"});
    ClickButton(output);
    SaveAs(sandbox.PathOf(L"class"), 1, 1, L"小テスト_集計");
    EXPECT_EQ(AnswerMessage(IDOK),
              L"集計を '" + sandbox.PathOf(L"class.txt") + L"' に出力しました。");
    EXPECT_EQ(sandbox.Read(L"class.txt"), table("\t"));
    ClickButton(output);
    SaveAs(sandbox.PathOf(L"class"), 2);
    AnswerMessage(IDOK);
    EXPECT_EQ(sandbox.Read(L"class.csv"), table(","));
    PostKey(list, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(classWindow); }, kWaitMs)) << "Esc closes it";

    // The sheet's own export offers the type chosen last in the class window.
    ClickButton(Button(L"結果を出力(&O)"));
    SaveAs(sandbox.PathOf(L"sheet"), 2, 2, L"小テスト");
    AnswerMessage(IDOK);

    const std::optional<std::string> file = sandbox.Read(L"Quillard_results.csv");
    ASSERT_TRUE(file.has_value());
    const std::string header = Cp932(L"問題,受験者,解答,記録日時\r\n");
    EXPECT_EQ(file->substr(0, header.size()), header);
    std::vector<std::string> lines;
    for (size_t at = header.size(); at < file->size();) {
        const size_t end = file->find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(file->substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 2u);
    // Each line ends with the recording time, quoted: "yyyy/mm/dd hh:nn:ss".
    EXPECT_EQ(lines[0].substr(0, lines[0].size() - 21),
              Cp932(L"\"小テスト\",\"1番 山田\",\"213\","));
    EXPECT_EQ(lines[1].substr(0, lines[1].size() - 21), Cp932(L"\"小テスト\",\"3番\",\"222\","));
    EXPECT_EQ(lines[1].size() - lines[1].rfind(",\"") - 1, 21u) << "a quoted date and time";
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
