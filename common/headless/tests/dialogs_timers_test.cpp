// Scripted message boxes, dialogs, modal forms, pop-up menus, the event pump and timers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "testkit/temp_dir.h"

namespace {

using namespace forms;

class Settings : public Form {
  public:
    Settings() : Form(L"Form2") {
        Command1.Load(0).SetCaption(L"決定(&O)");
        Command1.Load(1);
        Command1[1].SetCaption(L"キャンセル(&C)");
        Command1[1].SetVisible(true);
        Command1.Click = [this](int index) {
            if (index == 0 &&
                MsgBox(L"更新してもよろしいですか?", kMbQuestion | kMbYesNo) == kIdNo) {
                return;
            }
            accepted = index == 0;
            Unload();
        };
    }
    ControlArray<CommandButton> Command1{*this, L"Command1"};
    bool accepted = false;
};

class MainForm : public Form {
  public:
    MainForm() : Form(L"Form1") {
        MNU_Popup.SetVisible(false);
        MNU_Exit.SetCaption(L"終了(&X)");
        MNU_Exit.Click = [this] {
            exitChosen = true;
            GetApp().End();
            afterEnd = true;  // never reached
        };
        Timer1.Tick = [this] { ticks.push_back(L"Timer1@" + std::to_wstring(Elapsed())); };
        Timer2.Tick = [this] { ticks.push_back(L"Timer2@" + std::to_wstring(Elapsed())); };
    }
    int64_t Elapsed() const;
    Timer Timer1{*this, L"Timer1"};
    Timer Timer2{*this, L"Timer2"};
    Menu MNU_Popup{*this, L"MNU_Popup"};
    Menu MNU_Exit{*this, L"MNU_Exit", &MNU_Popup};
    std::vector<std::wstring> ticks;
    bool exitChosen = false;
    bool afterEnd = false;
    headless::TestHost* host = nullptr;
};

int64_t MainForm::Elapsed() const {
    return host->ElapsedMs();
}

class DialogsTest : public ::testing::Test {
  protected:
    DialogsTest() {
        app.SetTitle(L"Tamvoro");
        main.host = &host;
    }
    headless::TestHost host;
    App app{host};
    MainForm main;
};

TEST_F(DialogsTest, MessageBoxesAreAnsweredFromTheScriptWithTheProgramTitle) {
    host.ExpectMessage(kIdNo, L"更新");
    EXPECT_EQ(MsgBox(L"更新してもよろしいですか?", kMbQuestion | kMbYesNo), kIdNo);
    host.ExpectMessage(kIdOk);
    MsgBox(L"ファイルがありません。", kMbError);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[0].caption, L"Tamvoro");
    EXPECT_EQ(host.Messages()[0].style, kMbQuestion | kMbYesNo);
    EXPECT_EQ(host.Messages()[1].text, L"ファイルがありません。");
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(DialogsTest, UnexpectedOrDifferentMessageBoxesFailTheTest) {
    EXPECT_THROW(MsgBox(L"エラー", kMbError), headless::UnexpectedDialog);
    host.ExpectMessage(kIdOk, L"書き込み");
    EXPECT_THROW(MsgBox(L"ファイルの読み込みを失敗しました Err=53", kMbError),
                 headless::UnexpectedDialog);
    int16_t index = 0;
    EXPECT_THROW(host.OpenFileDialog(nullptr, L"", L"", index), headless::UnexpectedDialog);
}

TEST_F(DialogsTest, FileDialogsGiveTheScriptedChoiceAndKeepTheIndexOnCancel) {
    int16_t index = 0;
    host.ExpectSaveDialog(L"C:\\out\\result.csv", 2);
    host.ExpectOpenDialog(L"");
    EXPECT_EQ(host.SaveFileDialog(nullptr, L"", L"", L"result", L"", index),
              L"C:\\out\\result.csv");
    EXPECT_EQ(index, 2);
    EXPECT_EQ(host.OpenFileDialog(nullptr, L"", L"", index), L"");
    EXPECT_EQ(index, 2);
    // As the system's dialog does, the chosen pattern's extension is added to a typed name.
    host.ExpectSaveDialog(L"C:\\out\\result", 1);
    EXPECT_EQ(
        host.SaveFileDialog(nullptr, std::wstring_view(L"CSV\0*.csv\0", 10), L"", L"", L"", index),
        L"C:\\out\\result.csv");
    host.ExpectColorDialog(-1);
    EXPECT_EQ(host.ColorDialog(nullptr, 0xFFFFFF), -1);
    core::FontSpec font{L"ＭＳ Ｐゴシック", 9.0};
    host.ExpectFontDialog(std::nullopt);
    EXPECT_EQ(host.FontDialog(nullptr, font), -1);
    EXPECT_EQ(font.size, 9.0);
}

TEST_F(DialogsTest, SaveAsksBeforeReplacingAFileNamedByTheAppendedExtension) {
    const testkit::TempDir folder("save-dialog");
    folder.Write(L"a.b.csv", "old");
    const std::wstring_view filter(L"CSV\0*.csv\0", 10);
    int16_t index = 0;
    // "a.b" became "a.b.csv", which exists: No lets the user type another name.
    host.ExpectSaveDialog(folder.File(L"a.b"), 1);
    host.ExpectMessage(kIdNo, L"a.b.csv は既に存在します。\r\n上書きしますか?");
    host.ExpectSaveDialog(folder.File(L"c"), 1);
    EXPECT_EQ(host.SaveFileDialog(nullptr, filter, L"", L"", L"", index), folder.File(L"c.csv"));
    EXPECT_EQ(host.Messages().back().style, kMbYesNo | kMbExclamation | kMbDefaultButton2);
    EXPECT_EQ(host.Messages().back().caption, L"Tamvoro");
    host.ExpectSaveDialog(folder.File(L"a.b"), 1);
    host.ExpectMessage(kIdYes);
    EXPECT_EQ(host.SaveFileDialog(nullptr, filter, L"", L"", L"", index), folder.File(L"a.b.csv"));
    // The dialog's own question covered a name it showed; no second question.
    host.ExpectSaveDialog(folder.File(L"a.b.csv"), 1);
    EXPECT_EQ(host.SaveFileDialog(nullptr, filter, L"", L"", L"", index), folder.File(L"a.b.csv"));
    EXPECT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(DialogsTest, AModalFormRunsItsScriptAndReturnsWhenClosed) {
    Settings dialog;
    main.Show();
    host.ExpectModal(L"Form2", [&](Form&) {
        host.ExpectMessage(kIdNo);
        headless::Click(dialog.Command1[0]);  // answered No: the dialog stays
        EXPECT_TRUE(dialog.Visible());
        host.ExpectMessage(kIdYes);
        headless::Click(dialog.Command1[0]);
    });
    dialog.Show(true);
    EXPECT_TRUE(dialog.accepted);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(host.PendingScripts(), 0u);

    host.ExpectModal(L"Form2", [](Form&) {});  // the script forgets to close it
    EXPECT_THROW(dialog.Show(true), headless::UnexpectedDialog);
}

TEST_F(DialogsTest, PopupMenusChooseTheScriptedItemAndEndStopsTheProgram) {
    main.Show();
    host.ExpectPopup(L"");
    main.PopupMenu(main.MNU_Popup);
    EXPECT_FALSE(main.exitChosen);
    host.ExpectPopup(L"MNU_Exit");
    headless::Click(main);  // any user action catches the program's end
    main.Click = [this] { main.PopupMenu(main.MNU_Popup); };
    headless::Click(main);
    EXPECT_TRUE(main.exitChosen);
    EXPECT_FALSE(main.afterEnd);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.Popups(), (std::vector<std::wstring>{L"MNU_Popup", L"MNU_Popup"}));
}

TEST_F(DialogsTest, DoEventsRunsWhatTheUserDidMeanwhile) {
    bool stopped = false;
    host.DuringDoEvents([&] { stopped = true; });
    int rounds = 0;
    while (!stopped && rounds < 10) {
        ++rounds;
        DoEvents();
    }
    EXPECT_EQ(rounds, 1);
    DoEvents();  // nothing pending
    EXPECT_EQ(host.DoEventsCalls(), 2);
}

TEST_F(DialogsTest, TimersFireInTimeOrderWhileRunningAndLoaded) {
    main.Timer1.SetInterval(1000);
    main.Timer2.SetInterval(300);
    host.Advance(2000);
    EXPECT_TRUE(main.ticks.empty());  // the form is not loaded yet
    main.Load();
    host.Advance(1000);
    EXPECT_EQ(main.ticks, (std::vector<std::wstring>{L"Timer2@2300", L"Timer2@2600", L"Timer2@2900",
                                                     L"Timer1@3000"}));
    main.ticks.clear();
    main.Timer2.SetInterval(0);
    main.Timer1.SetEnabled(false);
    host.Advance(5000);
    EXPECT_TRUE(main.ticks.empty());
    main.Timer1.SetEnabled(true);  // restarting counts the interval from now
    host.Advance(999);
    EXPECT_TRUE(main.ticks.empty());
    host.Advance(1);
    EXPECT_EQ(main.ticks, std::vector<std::wstring>{L"Timer1@9000"});
    main.Unload();
    host.Advance(5000);
    EXPECT_EQ(main.ticks.size(), 1u);
}

TEST_F(DialogsTest, TheClockAdvancesAcrossMidnightAndMonths) {
    host.SetNow({{2024, 2, 28}, 23, 59, 30});
    host.Advance(60 * 1000);
    EXPECT_EQ(Now(), (core::DateTime{{2024, 2, 29}, 0, 0, 30}));
    host.Advance(24 * 3600 * 1000);
    EXPECT_EQ(Now().date, (core::Date{2024, 3, 1}));
}

}  // namespace
