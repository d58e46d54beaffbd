// Lindrow driven as a person would: start, choose a level, Go and Stop, the options
// dialog, exit; checked through the controls and the settings file.
#include "forms/forms.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "core/text.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "lindrow_forms.h"
#include "testkit/temp_dir.h"

namespace lindrow {
namespace {

// A test host for a Lindrow.exe version 1.1 in folder, on a 1024 x 768 screen.
class LindrowHost : public headless::TestHost {
  public:
    explicit LindrowHost(const testkit::TempDir& folder) {
        program.directory = folder.Path();
        program.exeName = L"Lindrow";
        program.title = L"Lindrow";
        program.major = 1;
        program.minor = 1;
    }
};

class LindrowTest : public ::testing::Test {
  protected:
    // Starts the program (again): loads and shows the main window.
    MainForm& Start() {
        lindrow = std::make_unique<Lindrow>(app);
        lindrow->form1.Show();
        return lindrow->form1;
    }
    MainForm& Form1() { return lindrow->form1; }
    std::string Ini() const { return folder.Read(L"Lindrow.ini"); }

    // Opens the options dialog and lets act drive it; act must close it.
    void InOptions(const std::function<void(OptionsForm&)>& act) {
        host.ExpectModal(L"Form2", [this, act](forms::Form&) { act(lindrow->form2); });
        headless::ChooseMenu(Form1().MNU_Option);
    }
    static void Retype(forms::TextBox& box, std::wstring_view keys) {
        box.Select(0, -1);
        headless::Type(box, keys.empty() ? L"\b" : keys);
    }

    testkit::TempDir folder;
    LindrowHost host{folder};
    forms::App app{host};
    std::unique_ptr<Lindrow> lindrow;
};

TEST_F(LindrowTest, AFirstStartSelectsLevel2CentresTheWindowAndWritesNothingAtExit) {
    MainForm& form = Start();
    EXPECT_TRUE(form.Option1[1].Value());
    EXPECT_FALSE(form.Option1[0].Value());
    EXPECT_EQ(form.Left(), 6060);  // (15360 - 3240) / 2
    EXPECT_EQ(form.Top(), 4598);   // (11520 - 2325) / 2 = 4597.5, to the even neighbour
    EXPECT_EQ(lindrow->module.levelCounts, kDefaultLevelCounts);
    EXPECT_FALSE(form.Command2.Enabled());
    EXPECT_EQ(form.Timer1.Interval(), 0);
    const double frame = forms::MeasureWindowFrame(form).width;
    EXPECT_NEAR(form.Picture2.Left(), (form.Width() - form.Picture2.Width() - frame) / 2, 0.5);

    EXPECT_TRUE(headless::Close(form));
    EXPECT_EQ(Ini(), "");
    EXPECT_EQ(host.Messages().size(), 0u);
}

TEST_F(LindrowTest, GoLocksTheWindowExceptStopAndTicksBurstUntilStop) {
    MainForm& form = Start();
    headless::Click(form.Command1);
    EXPECT_EQ(form.Timer1.Interval(), 1);
    EXPECT_TRUE(form.Command2.Enabled());
    EXPECT_TRUE(form.Picture2.Enabled());
    for (forms::Control* control :
         std::vector<forms::Control*>{&form.Command1, &form.Option1[0], &form.Option1[2],
                                      &form.Picture1, &form.MNU_Exit, &form.MNU_Option}) {
        EXPECT_FALSE(control->Enabled()) << core::ToUtf8(control->Name());
    }
    EXPECT_THROW(headless::ChooseMenu(form.MNU_Option), std::logic_error);

    host.Advance(5);
    const long long bursts = form.Bursts();
    EXPECT_GE(bursts, 1);
    EXPECT_EQ(host.DoEventsCalls(), bursts) << "messages pass after every burst";

    headless::Click(form.Command2);
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_FALSE(form.Command2.Enabled());
    EXPECT_TRUE(form.Command1.Enabled());
    EXPECT_TRUE(form.MNU_Option.Enabled());
    host.Advance(50);
    EXPECT_EQ(form.Bursts(), bursts);
}

TEST_F(LindrowTest, StopClickedDuringABurstTakesEffectAfterIt) {
    MainForm& form = Start();
    headless::Click(form.Option1[0]);
    headless::Click(form.Command1);
    EXPECT_EQ(form.RunningLevel(), 0);
    host.DuringDoEvents([&] { headless::Click(form.Command2); });
    host.Advance(20);
    EXPECT_EQ(form.Bursts(), 1);
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(LindrowTest, ClosingDuringAWaitEndsItAndSavesTheMovedPosition) {
    MainForm& form = Start();
    headless::Click(form.Command1);
    host.Advance(2);
    headless::MoveWindow(form, 300, 450, form.Width(), form.Height());
    EXPECT_TRUE(headless::Close(form));
    EXPECT_EQ(Ini(), "[MainForm]\r\nLeft=300\r\nTop=450\r\n");
    const long long bursts = form.Bursts();
    host.Advance(20);
    EXPECT_EQ(form.Bursts(), bursts);
}

TEST_F(LindrowTest, ASessionEndSavesTheLevelAndPositionOnce) {
    MainForm& form = Start();
    headless::Click(form.Option1[2]);
    headless::MoveWindow(form, 300, 450, form.Width(), form.Height());
    headless::EndSession();
    EXPECT_TRUE(form.Loaded()) << "the system ends the program without unloading";
    const std::string saved = "[MainForm]\r\nCurrent_Level=2\r\nLeft=300\r\nTop=450\r\n";
    EXPECT_EQ(Ini(), saved);
    folder.Write(L"Lindrow.ini", "");
    EXPECT_TRUE(headless::Close(form));
    EXPECT_EQ(Ini(), "");
}

TEST_F(LindrowTest, TheChosenLevelIsWrittenAtExitAndSelectedAtTheNextStart) {
    headless::Click(Start().Option1[2]);
    headless::ChooseMenu(Form1().MNU_Exit);
    EXPECT_FALSE(Form1().Loaded());
    EXPECT_EQ(Ini(), "[MainForm]\r\nCurrent_Level=2\r\n");

    EXPECT_TRUE(Start().Option1[2].Value());
    EXPECT_TRUE(headless::Close(Form1()));
    EXPECT_EQ(Ini(), "[MainForm]\r\nCurrent_Level=2\r\n");
}

TEST_F(LindrowTest, AStoredPositionIsKeptOnScreenAndAnUnknownLevelSelectsLevel2) {
    folder.Write(L"Lindrow.ini", "[MainForm]\r\nCurrent_Level=5\r\nLeft=-90000\r\nTop=3000\r\n");
    MainForm& form = Start();
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 3000);
    EXPECT_TRUE(form.Option1[1].Value());
    EXPECT_TRUE(headless::Close(form));
    // The level is repaired; the position pulled on screen counts as the start position.
    EXPECT_EQ(Ini(), "[MainForm]\r\nCurrent_Level=1\r\nLeft=-90000\r\nTop=3000\r\n");
}

TEST_F(LindrowTest, EnterOnALevelButtonMovesTheFocusToGo) {
    MainForm& form = Start();
    headless::Type(form.Option1[0], L"\r");
    EXPECT_EQ(form.ActiveControl(), &form.Command1);
    EXPECT_EQ(form.Timer1.Interval(), 0) << "Enter only moves the focus";
}

TEST_F(LindrowTest, TheOptionsDialogShowsTheCountsAndTheVersion) {
    folder.Write(L"Lindrow.ini", "[Option]\r\nLevel1=5000\r\n");
    Start();
    InOptions([&](OptionsForm& dialog) {
        EXPECT_EQ(dialog.Caption(), L"Options");
        EXPECT_EQ(dialog.Text1[0].Text(), L"5000");
        EXPECT_EQ(dialog.Text1[1].Text(), L"");
        EXPECT_EQ(dialog.Text1[2].Text(), L"");
        EXPECT_EQ(dialog.LBL_Version.Caption(), L"Ver. 1.01");
        headless::ChooseMenu(dialog.MNU_Cancel);
    });
    EXPECT_FALSE(lindrow->form2.Loaded());
    EXPECT_EQ(lindrow->module.levelCounts, (LevelCounts{5000, 0, 0}));
}

TEST(VersionText, IsTheLastFiveCharactersOfThePaddedVersion) {
    EXPECT_EQ(VersionText(1, 1), L"Ver. 1.01");
    EXPECT_EQ(VersionText(2, 10), L"Ver. 2.10");
    EXPECT_EQ(VersionText(12, 3), L"Ver.12.03");
    EXPECT_EQ(VersionText(123, 4), L"Ver.23.04") << "a longer version loses its first digits";
}

TEST_F(LindrowTest, ConfirmedOptionsAreClampedStoredAndUsedAtOnce) {
    Start();
    InOptions([&](OptionsForm& dialog) {
        Retype(dialog.Text1[0], L"9999999999");
        Retype(dialog.Text1[1], L"x1-2.5");  // only the digits get through
        EXPECT_EQ(dialog.Text1[1].Text(), L"125");
        host.ExpectMessage(forms::kIdYes, L"更新してもよろしいですか?");
        headless::Click(dialog.Command1);
        EXPECT_EQ(dialog.Text1[0].Text(), L"2147483647");
    });
    EXPECT_EQ(lindrow->module.levelCounts, (LevelCounts{2147483647, 125, 10000000}));
    EXPECT_EQ(Ini(), "[Option]\r\nLevel1=2147483647\r\nLevel2=125\r\nLevel3=10000000\r\n");
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].caption, L"Lindrow");
    EXPECT_EQ(host.Messages()[0].style, forms::kMbYesNo | forms::kMbQuestion);
}

TEST_F(LindrowTest, ASettingsFileThatCannotBeWrittenIsReportedAtOptionsAndAtExit) {
    std::filesystem::create_directory(folder.Dir() / "Lindrow.ini");  // a folder is no file
    MainForm& form = Start();
    InOptions([&](OptionsForm& dialog) {
        Retype(dialog.Text1[0], L"5");
        host.ExpectMessage(forms::kIdYes, L"更新してもよろしいですか?");
        host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=");
        headless::Click(dialog.Command1);
    });
    EXPECT_EQ(host.Messages().back().style, forms::kMbOk | forms::kMbError);
    headless::Click(form.Option1[2]);
    host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=");
    EXPECT_TRUE(headless::Close(form));
    EXPECT_EQ(host.Messages().size(), 3u);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Dir() / "Lindrow.ini"));
}

TEST_F(LindrowTest, AnsweringNoKeepsTheDialogOpenAndEscapeLeavesEverything) {
    Start();
    InOptions([&](OptionsForm& dialog) {
        Retype(dialog.Text1[2], L"7");
        host.ExpectMessage(forms::kIdNo);
        headless::Click(dialog.Command1);
        EXPECT_TRUE(dialog.Visible());
        headless::Type(dialog.Text1[2], L"\x1b");
    });
    EXPECT_EQ(lindrow->module.levelCounts, kDefaultLevelCounts);
    EXPECT_EQ(Ini(), "");
}

TEST_F(LindrowTest, EmptiedBoxesWriteEmptyValuesAndTheNextStartFallsBackToDefaults) {
    Start();
    InOptions([&](OptionsForm& dialog) {
        for (int i = 0; i < 3; ++i) {
            Retype(dialog.Text1[i], L"");
        }
        host.ExpectMessage(forms::kIdYes);
        headless::Click(dialog.Command1);
    });
    EXPECT_EQ(lindrow->module.levelCounts, (LevelCounts{0, 0, 0}));
    EXPECT_EQ(Ini(), "[Option]\r\nLevel1=\r\nLevel2=\r\nLevel3=\r\n");
    EXPECT_TRUE(headless::Close(Form1()));
    EXPECT_EQ(Ini(), "[Option]\r\nLevel1=\r\nLevel2=\r\nLevel3=\r\n") << "counts only by OK";

    Start();
    EXPECT_EQ(lindrow->module.levelCounts, kDefaultLevelCounts);
}

TEST(RenamedLindrow, KeepsItsSettingsFileBesideItUnderItsNewName) {
    testkit::TempDir folder;
    LindrowHost host{folder};
    host.program.exeName = L"Wait2";  // Wait2.exe: the title stays Lindrow
    forms::App app{host};
    folder.Write(L"Wait2.ini", "[MainForm]\r\nCurrent_Level=0\r\n");
    Lindrow lindrow(app);
    lindrow.form1.Show();
    EXPECT_TRUE(lindrow.form1.Option1[0].Value());
    headless::Click(lindrow.form1.Option1[2]);
    EXPECT_TRUE(headless::Close(lindrow.form1));
    EXPECT_EQ(folder.Read(L"Wait2.ini"), "[MainForm]\r\nCurrent_Level=2\r\n");
    EXPECT_FALSE(folder.Exists(L"Lindrow.ini"));
}

}  // namespace
}  // namespace lindrow
