// Program-wide services of the App: the modal state, modal ownership, the single-copy
// claim, the end of the session and icons added again after a shell restart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"

namespace {

using namespace forms;

class Dialog : public Form {
  public:
    Dialog() : Form(L"Form2") {
        Command1.Click = [this] {
            if (MsgBox(L"更新してもよろしいですか?", kMbQuestion | kMbYesNo) == kIdYes) {
                Unload();
            }
        };
    }
    CommandButton Command1{*this, L"Command1"};
};

class MainForm : public Form {
  public:
    MainForm() : Form(L"Form1") {
        MNU_Popup.SetVisible(false);
        OnActivate = [this] { ++activations; };
    }
    Menu MNU_Popup{*this, L"MNU_Popup"};
    Menu MNU_Item{*this, L"MNU_Item", &MNU_Popup};
    Timer Timer1{*this, L"Timer1"};
    int activations = 0;
};

class ProgramServicesTest : public ::testing::Test {
  protected:
    headless::TestHost host;
    App app{host};
    MainForm main;
    Dialog dialog;
};

TEST_F(ProgramServicesTest, EveryModalCallCountsWhileOpenAndOnlyThen) {
    main.Show();
    std::vector<bool> seen;
    // A tick while something modal is open sees it; the program's own ticks do this.
    main.Timer1.Tick = [&] { seen.push_back(app.ModalOpen()); };
    main.Timer1.SetInterval(1000);
    const auto tickWhileOpen = [&] { host.WhileNextDialogOpen([&] { host.Advance(1000); }); };

    tickWhileOpen();
    host.ExpectMessage(kIdOk);
    MsgBox(L"お知らせ");
    tickWhileOpen();
    host.ExpectOpenDialog(L"");
    int16_t index = 0;
    GetHost().OpenFileDialog(&main, L"", L"", index);  // called directly, not through a form
    tickWhileOpen();
    host.ExpectSaveDialog(L"");
    GetHost().SaveFileDialog(nullptr, L"", L"", L"", L"", index);
    tickWhileOpen();
    host.ExpectColorDialog(-1);
    GetHost().ColorDialog(&main, 0);
    tickWhileOpen();
    host.ExpectFontDialog(std::nullopt);
    core::FontSpec font;
    GetHost().FontDialog(&main, font);
    tickWhileOpen();
    host.shellDeleteResult = 1;
    GetHost().ShellDelete(&main, L"C:\\nothing.dat", 1, -1);
    tickWhileOpen();
    host.ExpectPopup(L"");
    main.PopupMenu(main.MNU_Popup);
    host.ExpectModal(L"Form2", [&](Form& f) {
        host.Advance(1000);
        f.Unload();
    });
    dialog.Show(true);

    EXPECT_EQ(seen, std::vector<bool>(8, true));
    EXPECT_FALSE(app.ModalOpen());
    host.Advance(1000);
    EXPECT_FALSE(seen.back());
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(ProgramServicesTest, NestedModalCallsKeepTheStateUntilTheOutermostCloses) {
    main.Show();
    bool openAfterInnerBox = false;
    host.ExpectModal(L"Form2", [&](Form&) {
        host.ExpectMessage(kIdNo);
        headless::Click(dialog.Command1);  // answered No: the dialog stays
        openAfterInnerBox = app.ModalOpen();
        host.ExpectMessage(kIdYes);
        headless::Click(dialog.Command1);
    });
    dialog.Show(true);
    EXPECT_TRUE(openAfterInnerBox);
    EXPECT_FALSE(app.ModalOpen());
    // A box that was not scripted fails the test and still leaves the state closed.
    EXPECT_THROW(MsgBox(L"?"), headless::UnexpectedDialog);
    EXPECT_FALSE(app.ModalOpen());
}

TEST_F(ProgramServicesTest, AModalFormBelongsToItsOpenerAndGivesActivationBack) {
    Form other(L"Form3");
    main.Show();
    other.Show();
    headless::Activate(main);
    const int before = main.activations;
    Form* opener = nullptr;
    host.ExpectModal(L"Form2", [&](Form& f) {
        opener = f.Opener();
        EXPECT_EQ(app.ActiveForm(), &dialog);
        host.ExpectMessage(kIdYes);
        headless::Click(dialog.Command1);
    });
    dialog.Show(true);
    EXPECT_EQ(opener, &main);
    // The box shown from the dialog belonged to the dialog.
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].owner, L"Form2");
    EXPECT_EQ(app.ActiveForm(), &main);
    EXPECT_EQ(main.activations, before + 1);
    EXPECT_EQ(dialog.Opener(), nullptr);
    EXPECT_FALSE(dialog.Modal());

    // An owner given explicitly wins over the active form.
    host.ExpectModal(L"Form2", [&](Form& f) {
        opener = f.Opener();
        f.Hide();
    });
    dialog.Show(true, &other);
    EXPECT_EQ(opener, &other);
    EXPECT_EQ(app.ActiveForm(), &other);
}

TEST_F(ProgramServicesTest, WithoutAnActiveFormDialogsBelongToTheVisibleForm) {
    main.Show();
    headless::ActivateElsewhere();  // a command arrives while another program is active
    Form* opener = nullptr;
    host.ExpectModal(L"Form2", [&](Form& f) {
        opener = f.Opener();
        f.Hide();
    });
    dialog.Show(true);
    EXPECT_EQ(opener, &main);
    host.ExpectMessage(kIdOk);
    MsgBox(L"!");
    EXPECT_EQ(host.Messages().back().owner, L"Form1");
}

TEST_F(ProgramServicesTest, WithoutAVisibleFormAModalFormHasNoOpener) {
    main.Load();  // a hidden main form, as the programs living in the notification area
    Form* opener = &main;
    host.ExpectModal(L"Form2", [&](Form& f) {
        opener = f.Opener();
        f.Unload();
    });
    dialog.Show(true);
    EXPECT_EQ(opener, nullptr);
    EXPECT_EQ(app.ActiveForm(), nullptr);
    EXPECT_EQ(main.activations, 0);
}

TEST_F(ProgramServicesTest, TheSingleCopyClaimFailsWhileAnotherCopyHoldsIt) {
    EXPECT_TRUE(app.ClaimInstance());
    EXPECT_TRUE(host.HoldsInstance());
    app.ReleaseInstance();
    EXPECT_FALSE(host.HoldsInstance());

    host.otherInstance = true;
    EXPECT_FALSE(app.ClaimInstance(3000));
    EXPECT_FALSE(host.HoldsInstance());
    host.otherInstance = false;
    EXPECT_TRUE(app.ClaimInstance(-5));  // a negative wait means no wait

    const std::vector<headless::InstanceCall>& calls = host.InstanceCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_TRUE(calls[0].claim && calls[0].granted);
    EXPECT_FALSE(calls[1].claim);
    EXPECT_TRUE(calls[2].claim);
    EXPECT_FALSE(calls[2].granted);
    EXPECT_EQ(calls[2].waitMilliseconds, 3000);
    EXPECT_EQ(calls[3].waitMilliseconds, 0);
}

TEST_F(ProgramServicesTest, TheSessionEndRunsTheHandlerOnceWithoutUnloadingForms) {
    main.Show();
    bool unloaded = false;
    main.OnUnload = [&](int16_t&) { unloaded = true; };
    int ends = 0;
    app.OnSessionEnd = [&] {
        ++ends;
        GetHost().NotifyIcon(main, 2, L"", 0);
    };
    headless::EndSession();
    headless::EndSession();
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(host.Ended());
    EXPECT_FALSE(unloaded);
    EXPECT_TRUE(main.Loaded());
    ASSERT_EQ(host.NotifyCalls().size(), 1u);
    EXPECT_EQ(host.NotifyCalls()[0].message, 2u);
}

TEST_F(ProgramServicesTest, AShellRestartAddsTheCurrentIconsAgain) {
    Form tray(L"FRM_TTI");
    Form gone(L"Form4");
    Form removed(L"Form5");
    tray.Load();
    gone.Load();
    removed.Load();
    Host& shell = GetHost();
    shell.NotifyIcon(tray, 0, L"Tamvoro", 0);
    shell.NotifyIcon(tray, 1, L"Tamvoro 2", 0x1234);  // a changed tip and icon
    shell.NotifyIcon(gone, 0, L"gone", 0);
    shell.NotifyIcon(removed, 0, L"removed", 0);
    shell.NotifyIcon(removed, 2, L"", 0);
    host.notifyResult = -1;
    shell.NotifyIcon(main, 0, L"failed", 0);  // never added
    host.notifyResult = 0;
    gone.Unload();
    const size_t before = host.NotifyCalls().size();

    headless::RestartShell();
    ASSERT_EQ(host.NotifyCalls().size(), before + 1);
    const headless::NotifyCall& again = host.NotifyCalls().back();
    EXPECT_EQ(again.message, 0u);
    EXPECT_EQ(again.form, L"FRM_TTI");
    EXPECT_EQ(again.tip, L"Tamvoro 2");

    // Added again, the icon stays known: a second restart adds it once more.
    headless::RestartShell();
    EXPECT_EQ(host.NotifyCalls().size(), before + 2);
}

}  // namespace
