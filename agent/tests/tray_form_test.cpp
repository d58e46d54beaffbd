// The notification icon and its menu on a stand-in agent window: clicks on the icon, every
// menu command, the busy rule, restart, exit and the end of the session.
#include "agent/tray_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tray_test_support.h"

namespace agent {
namespace {

using testing::AgentFolderTest;

class AgentStandIn : public forms::Form {
  public:
    AgentStandIn() : Form(L"FRM_AGT1") {
        SetCaption(L"エージェント");
        SetBorderStyle(0);
        Move(0, 0, 3000, 4000);
    }
};

// The agent window's side of the shared interface, recording what the menu asks of it.
class FakeAgent : public AgentWindow, public AgentWindowFrame {
  public:
    forms::Form& Window() override { return form; }
    AgentState& State() override { return state; }
    TrayHooks& Hooks() override { return hooks; }
    AgentWindowFrame& Frame() override { return *this; }
    void BuildLaunchers() override {
        ++builds;
        hooks.rebuildLauncherMenu(state.settings.values.launcherTitles);
    }
    void LaunchSlot(int slot) override { launched.push_back(slot); }
    void SetLauncherToolTips() override { ++toolTipUpdates; }
    void SetTicking(bool on) override { ticking = on; }
    void BringToFront(bool) override { ++raised; }
    void UnloadMessageWindow() override { messageWindowUnloaded = true; }

    double Left() const override { return form.Left(); }
    double Top() const override { return form.Top(); }
    double Width() const override { return form.Width(); }
    double Height() const override { return form.Height(); }
    void MoveTo(double left, double top) override {
        form.Move(left, top, form.Width(), form.Height());
    }

    // What the agent window's load does around the notification side.
    void Start() {
        state.settings = LoadAgentSettings(state.environment, *this);
        BuildLaunchers();
        hooks.load();
        const int16_t formShow = state.settings.values.formShow;
        if (formShow == 0 || formShow == 1) {  // any other value changes nothing
            hooks.startMenuState(formShow == 1);
            ticking = formShow == 1;
            if (ticking) {
                form.Show();
            }
        }
    }

    AgentStandIn form;
    AgentState state;
    TrayHooks hooks;
    int builds = 0;
    int toolTipUpdates = 0;
    int raised = 0;
    bool ticking = false;
    bool messageWindowUnloaded = false;
    std::vector<int> launched;
};

class TrayFormTest : public ::testing::Test, protected AgentFolderTest {
  protected:
    TrayFormTest() {
        agent.state.environment = environment;
        agent.state.cataloguePath = folder.File(L"Setting.txt");
    }
    void WriteIni(std::initializer_list<std::wstring_view> lines) {
        folder.Write(L"Tamvoro.ini", testing::Cp932Lines(lines));
    }
    std::vector<std::wstring> Captions(forms::Menu& menu) {
        std::vector<std::wstring> captions;
        for (forms::Menu* item : menu.Items()) {
            captions.push_back(item->Caption());
        }
        return captions;
    }
    void Choose(forms::Menu& item) {
        host.ExpectPopup(item.Name(), item.Index());
        headless::NotifyIconEvent(tray, 516);
    }

    FakeAgent agent;
    TrayForm tray{agent};
};

TEST_F(TrayFormTest, LoadingAddsTheIconAndBuildsTheWholeMenu) {
    agent.Start();
    ASSERT_EQ(host.NotifyCalls().size(), 1u);
    EXPECT_EQ(host.NotifyCalls()[0].message, 0u);
    EXPECT_EQ(host.NotifyCalls()[0].tip, L"エージェント");
    EXPECT_FALSE(tray.Visible());

    EXPECT_FALSE(tray.MNU_Popup.Visible());
    EXPECT_EQ(
        Captions(tray.MNU_Popup),
        (std::vector<std::wstring>{L"最小化(&N)", L"-", L"ランチャー(&L)", L"設定(&S)",
                                   L"画面の表示(&D)", L"常に手前に表示(&A)", L"-", L"終了(&X)"}));
    EXPECT_EQ(
        Captions(tray.MNU_Setting),
        (std::vector<std::wstring>{L"ランチャー設定(&L)...", L"詳細設定(&D)...", L"テキスト(&T)...",
                                   L"時間割(&M)...", L"-", L"再起動(&R)",
                                   L"全画面のときは隠れる(&F)", L"Windows の起動時に開始(&W)"}));
    EXPECT_EQ(Captions(tray.MNU_Launcher), (std::vector<std::wstring>{L"(なし)"}));
    EXPECT_FALSE(tray.MNU_L_Col[0].Enabled());
    EXPECT_TRUE(tray.MNU_Show.Checked());
    EXPECT_TRUE(tray.MNU_Hide.Enabled());
    EXPECT_FALSE(tray.MNU_P_Front.Checked());
}

TEST_F(TrayFormTest, LauncherItemsFollowTheTitledSlotsAndStartTheirSlot) {
    WriteIni({L"[Option]", L"L_Title2=エディタ", L"L_Title4=電卓"});
    agent.Start();
    EXPECT_EQ(Captions(tray.MNU_Launcher),
              (std::vector<std::wstring>{L"(なし)", L"エディタ", L"電卓"}));
    EXPECT_FALSE(tray.MNU_L_Col[0].Enabled());
    Choose(tray.MNU_L_Col[2]);
    EXPECT_EQ(agent.launched, std::vector<int>{3});

    // Rebuilt with slot 1 titled: item 0 takes it, the others are made again.
    agent.state.settings.values.launcherTitles = {L"最初", L"", L"", L"", L"最後"};
    agent.BuildLaunchers();
    EXPECT_EQ(Captions(tray.MNU_Launcher), (std::vector<std::wstring>{L"最初", L"最後"}));
    EXPECT_TRUE(tray.MNU_L_Col[0].Enabled());
    Choose(tray.MNU_L_Col[0]);
    Choose(tray.MNU_L_Col[1]);
    EXPECT_EQ(agent.launched, (std::vector<int>{3, 0, 4}));
    EXPECT_FALSE(agent.state.menuOpen);
}

TEST_F(TrayFormTest, HideAndShowSwitchTheWindowTheCaptionAndTheTick) {
    agent.Start();
    Choose(tray.MNU_Hide);
    EXPECT_FALSE(agent.form.Visible());
    EXPECT_EQ(tray.MNU_Hide.Caption(), L"元のサイズに戻す(&R)");
    EXPECT_EQ(host.Popups().size(), 1u);

    // A left click brings back a window minimised from the menu.
    headless::NotifyIconEvent(tray, 513);
    EXPECT_TRUE(agent.form.Visible());
    EXPECT_EQ(tray.MNU_Hide.Caption(), L"最小化(&N)");

    Choose(tray.MNU_Show);
    EXPECT_FALSE(tray.MNU_Show.Checked());
    EXPECT_FALSE(tray.MNU_Hide.Enabled());
    EXPECT_FALSE(agent.ticking);
    EXPECT_FALSE(agent.form.Visible());
    // Out of use, a left click changes only the z-order.
    const int raised = agent.raised;
    headless::NotifyIconEvent(tray, 513);
    EXPECT_FALSE(agent.form.Visible());
    EXPECT_EQ(agent.raised, raised + 1);
    // The menu of a hidden agent hangs on frmDUMMY, unloaded afterwards.
    Choose(tray.MNU_Show);
    EXPECT_FALSE(tray.Dummy().Loaded());
    EXPECT_TRUE(tray.MNU_Show.Checked());
    EXPECT_TRUE(tray.MNU_Hide.Enabled());
    EXPECT_TRUE(agent.ticking);
    EXPECT_TRUE(agent.form.Visible());

    Choose(tray.MNU_P_Front);
    EXPECT_TRUE(tray.MNU_P_Front.Checked());
    EXPECT_TRUE(agent.state.alwaysOnTop);
    Choose(tray.MNU_P_Front);
    EXPECT_FALSE(agent.state.alwaysOnTop);
    EXPECT_FALSE(agent.state.menuOpen);

    agent.hooks.minimisedChanged(true);
    EXPECT_EQ(tray.MNU_Hide.Caption(), L"元のサイズに戻す(&R)");
}

TEST_F(TrayFormTest, NothingAnswersTheIconOrTheAgentWhileSomethingModalIsOpen) {
    agent.Start();
    host.ExpectModal(L"FRM_AGT2", [&](forms::Form& dialog) {
        headless::NotifyIconEvent(tray, 516);
        headless::NotifyIconEvent(tray, 513);
        agent.hooks.popupMenu();
        headless::Click(static_cast<LauncherDialog&>(dialog).Command1[1]);
    });
    Choose(tray.MNU_Set_Launcher);
    EXPECT_EQ(host.Popups().size(), 1u);

    // A message box of the program: the icon does nothing either.
    host.shellExecuteResult = 2;
    host.WhileNextDialogOpen([&] {
        headless::NotifyIconEvent(tray, 516);
        agent.hooks.popupMenu();
    });
    host.ExpectMessage(forms::kIdOk, L"ファイルを開けませんでした。");
    Choose(tray.MNU_Set_Text);
    EXPECT_EQ(host.Popups().size(), 2u);
    EXPECT_EQ(host.PendingScripts(), 0u);

    agent.hooks.popupMenu();  // nothing open now: the agent's right-click shows the menu
    EXPECT_EQ(host.Popups().size(), 3u);
}

TEST_F(TrayFormTest, TheMessageFileOpensWithTheShellFromTheProgramFolder) {
    agent.Start();
    Choose(tray.MNU_Set_Text);
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_EQ(host.ShellCalls()[0].file, folder.File(L"Setting.txt"));
    EXPECT_EQ(host.ShellCalls()[0].directory, folder.Path());
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(TrayFormTest, ExitSavesOnlyWhatChangedRemovesTheIconAndEnds) {
    agent.Start();
    Choose(tray.MNU_P_Exit);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.NotifyCalls().back().message, 2u);
    EXPECT_TRUE(agent.messageWindowUnloaded);
    EXPECT_FALSE(folder.Exists(L"Tamvoro.ini"));
}

TEST_F(TrayFormTest, ExitAfterTakingTheAgentOutOfUseWritesFormShowAlone) {
    WriteIni({L"[Option]", L"F_Direct=7"});
    agent.Start();
    Choose(tray.MNU_Show);
    Choose(tray.MNU_P_Exit);
    EXPECT_EQ(folder.Read(L"Tamvoro.ini"),
              testing::Cp932Lines({L"[Option]", L"F_Direct=7", L"[MainForm]", L"Form_Show=0"}));
}

TEST_F(TrayFormTest, SettingsThatCouldNotBeSavedAtExitAreReported) {
    agent.Start();
    // Another program holds the file by now (here a folder of its name).
    std::filesystem::create_directory(folder.Dir() / "Tamvoro.ini");
    Choose(tray.MNU_Show);
    host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=75");
    Choose(tray.MNU_P_Exit);
    EXPECT_EQ(host.PendingScripts(), 0u);
    EXPECT_TRUE(host.Ended());
}

TEST_F(TrayFormTest, FullScreenHideIsOnByDefaultAndWrittenOnlyWhenChanged) {
    WriteIni({L"[Option]", L"FullScreenHide=5"});  // any value but 0 is on
    agent.Start();
    EXPECT_TRUE(tray.MNU_FullScreenHide.Checked());
    Choose(tray.MNU_FullScreenHide);
    Choose(tray.MNU_FullScreenHide);
    EXPECT_EQ(agent.state.settings.values.fullScreenHide, 1);
    Choose(tray.MNU_FullScreenHide);
    EXPECT_FALSE(tray.MNU_FullScreenHide.Checked());
    EXPECT_EQ(agent.state.settings.values.fullScreenHide, 0);
    EXPECT_FALSE(agent.state.menuOpen);
    Choose(tray.MNU_P_Exit);
    EXPECT_EQ(folder.Read(L"Tamvoro.ini"), testing::Cp932Lines({L"[Option]", L"FullScreenHide=0"}));
}

TEST_F(TrayFormTest, TheStartUpItemFollowsTheListEachTimeTheMenuOpens) {
    agent.Start();
    EXPECT_FALSE(tray.MNU_StartUp.Checked());
    Choose(tray.MNU_StartUp);
    EXPECT_EQ(host.startUpEntries.at(L"Tamvoro"), L"\"" + folder.File(L"Tamvoro.exe") + L"\"");
    EXPECT_TRUE(tray.MNU_StartUp.Checked());
    host.startUpEntries.clear();  // removed by another program meanwhile
    host.ExpectPopup(L"");
    headless::NotifyIconEvent(tray, 516);
    EXPECT_FALSE(tray.MNU_StartUp.Checked());
}

TEST_F(TrayFormTest, LauncherSettingsReachTheMenuAndTheFileAtExit) {
    agent.Start();
    host.ExpectModal(L"FRM_AGT2", [&](forms::Form& form) {
        auto& dialog = static_cast<LauncherDialog&>(form);
        dialog.Text1[0].SetText(L"メモ");
        host.ExpectMessage(forms::kIdYes);
        headless::Click(dialog.Command1[0]);
    });
    Choose(tray.MNU_Set_Launcher);
    EXPECT_EQ(agent.builds, 2);
    EXPECT_EQ(agent.toolTipUpdates, 1);
    EXPECT_EQ(Captions(tray.MNU_Launcher), (std::vector<std::wstring>{L"メモ"}));
    Choose(tray.MNU_P_Exit);
    const std::string ini = folder.Read(L"Tamvoro.ini");
    EXPECT_NE(ini.find(core::ToCp932(L"Launcher1=\r\nL_Title1=メモ\r\nLauncher2=")),
              std::string::npos);
    EXPECT_EQ(ini.find("MainForm"), std::string::npos);
}

TEST_F(TrayFormTest, RestartSavesHandsOverTheIconAndTheClaimThenEnds) {
    agent.Start();
    agent.MoveTo(300, 450);
    Choose(tray.MNU_Restart);
    EXPECT_TRUE(host.Ended());
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_EQ(host.ShellCalls()[0].file, folder.File(L"Tamvoro.exe"));
    EXPECT_EQ(host.NotifyCalls().back().message, 2u);
    EXPECT_FALSE(host.HoldsInstance());
    EXPECT_NE(folder.Read(L"Tamvoro.ini").find("Top=450\r\nLeft=300\r\n"), std::string::npos);
}

TEST_F(TrayFormTest, ARefusedRestartKeepsThisCopyRunningWithItsIcon) {
    ASSERT_TRUE(app.ClaimInstance());
    agent.Start();
    const double left = agent.Left();
    const double top = agent.Top();
    agent.MoveTo(300, 450);
    host.shellExecuteResult = 2;
    host.ExpectMessage(forms::kIdOk, L"プログラムを再起動できませんでした。");
    Choose(tray.MNU_Restart);
    EXPECT_FALSE(host.Ended());
    EXPECT_TRUE(host.HoldsInstance());
    EXPECT_EQ(host.NotifyCalls().back().message, 0u);
    EXPECT_EQ(host.Messages().back().style, forms::kMbError);
    EXPECT_NE(folder.Read(L"Tamvoro.ini").find("Top=450\r\nLeft=300\r\n"), std::string::npos);

    // The file now holds the moved place: moving back to the first place is a change.
    agent.MoveTo(left, top);
    Choose(tray.MNU_P_Exit);
    const std::string expected =
        "Top=" + std::to_string(int(top)) + "\r\nLeft=" + std::to_string(int(left)) + "\r\n";
    EXPECT_NE(folder.Read(L"Tamvoro.ini").find(expected), std::string::npos);
}

TEST_F(TrayFormTest, ADetailChangeAcceptedWithARestartRestarts) {
    agent.Start();
    host.ExpectModal(L"FRM_AGT3", [&](forms::Form& form) {
        auto& dialog = static_cast<DetailDialog&>(form);
        headless::Click(dialog.Option2[1]);
        host.ExpectMessage(forms::kIdYes);
        host.ExpectMessage(forms::kIdYes, L"プログラムを今すぐ再起動しますか？");
        headless::Click(dialog.Command1[0]);
        // The program ended inside the dialog: nothing after it runs.
        ASSERT_TRUE(host.Ended());
        throw headless::ProgramEnded();
    });
    Choose(tray.MNU_Set_Detail);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_NE(folder.Read(L"Tamvoro.ini").find("F_Direct=2"), std::string::npos);
}

TEST_F(TrayFormTest, AFailedIconEndsTheProgramLeavingTheFileAsItWas) {
    const std::string ini = testing::Cp932Lines({L"[MainForm]", L"Form_Show=1", L"Top=90"});
    folder.Write(L"Tamvoro.ini", ini);
    host.notifyResult = -1;
    host.ExpectMessage(forms::kIdOk, L"通知領域にアイコンを登録出来ませんでした。");
    EXPECT_THROW(agent.Start(), headless::ProgramEnded);
    EXPECT_TRUE(agent.messageWindowUnloaded);
    // The menu is not ticked yet at that point: no Form_Show=0 is written.
    EXPECT_EQ(folder.Read(L"Tamvoro.ini"), ini);
}

TEST_F(TrayFormTest, TheSessionsEndSavesAndRemovesTheIconAndAShellRestartAddsItAgain) {
    agent.Start();
    headless::RestartShell();
    EXPECT_EQ(host.NotifyCalls().back().message, 0u);
    Choose(tray.MNU_Show);
    headless::EndSession();
    EXPECT_EQ(host.NotifyCalls().back().message, 2u);
    EXPECT_NE(folder.Read(L"Tamvoro.ini").find("Form_Show=0"), std::string::npos);
}

}  // namespace
}  // namespace agent
