// The detail settings dialog driven as a person would, on a 96-dpi screen.
#include "agent/detail_dialog.h"

#include <gtest/gtest.h>

#include "agent/option_checks.h"
#include "tray_test_support.h"

namespace agent {
namespace {

using testing::AgentFolderTest;

constexpr std::wstring_view kRestartQuestion =
    L"変更は再起動後に有効になります。\r\n\r\nプログラムを今すぐ再起動しますか？";

class DetailDialogTest : public ::testing::Test, protected AgentFolderTest {
  protected:
    DetailDialogTest() { folder.Write(L"chime.wav", "RIFF"); }

    // Reads options as the agent would at start and opens the dialog.
    void Open(const AgentOptions& options) {
        settings = testing::SettingsAsRead(options);
        laidOut = EffectiveOptions(options);
        dialog.Show();
    }
    void ConfirmOk() { testing::ConfirmOk(host, dialog); }
    int RestartQuestions() const {
        int count = 0;
        for (const auto& message : host.Messages()) {
            count += message.text == kRestartQuestion;
        }
        return count;
    }

    AgentSettings settings;
    AgentOptions laidOut;
    bool normalPicture = true;
    int restarts = 0;
    DetailDialog dialog{
        settings, environment, laidOut,
        DetailDialogLinks{[this] { return normalPicture; }, [this] { ++restarts; }}};
};

TEST_F(DetailDialogTest, TheDefaultsShowInPixelsAndTheTimetableRowIsHidden) {
    AgentOptions options;
    options.soundFile = L"chime.wav";
    Open(options);
    EXPECT_EQ(dialog.Caption(), L"詳細設定");
    EXPECT_EQ(dialog.Text4[0].Text(), L"180");
    EXPECT_EQ(dialog.Text4[1].Text(), L"123");
    EXPECT_EQ(dialog.Text5.Text(), L"4");
    EXPECT_EQ(dialog.Text2.Text(), L"7");
    EXPECT_TRUE(dialog.Option2[0].Value());  // balloon above
    EXPECT_TRUE(dialog.Option3[1].Value());  // buttons below
    EXPECT_TRUE(dialog.Option4[0].Value());  // pictures shown
    EXPECT_TRUE(dialog.Option1[1].Value());
    EXPECT_TRUE(dialog.Text1.Enabled());
    EXPECT_TRUE(dialog.Command4.Visible());
    EXPECT_TRUE(dialog.Text1.HasFocus());

    EXPECT_FALSE(dialog.Text3.Visible());
    EXPECT_FALSE(dialog.Label1[0].Visible());
    EXPECT_FALSE(dialog.Command3[1].Visible());
    EXPECT_EQ(dialog.Picture5.Top(), dialog.Label1[0].Top());
    const double height = dialog.Height();
    EXPECT_LT(height, 5880);

    // Each opening lays the dialog out again from its design.
    headless::Click(dialog.Command1[1]);
    dialog.Show();
    EXPECT_EQ(dialog.Height(), height);
    EXPECT_EQ(dialog.Picture5.Top(), dialog.Label1[0].Top());
}

TEST_F(DetailDialogTest, WithoutANormalPictureThePicturesChoiceIsHidden) {
    normalPicture = false;
    Open({});
    EXPECT_FALSE(dialog.Picture4.Visible());
    EXPECT_FALSE(dialog.Label1[7].Visible());
    EXPECT_TRUE(dialog.Picture3.Visible());
}

TEST_F(DetailDialogTest, OkWithoutEditsKeepsOddTwipsAndAsksNothingEvenWithAStaleTimetable) {
    AgentOptions options;
    options.fWidth = 2710;  // 180.67 pixels: shown as 180
    options.fHeight = 1849;
    options.fbSpace = 74;
    options.schedule = L"C:\\gone\\timetable.ini";  // hidden row: not checked
    options.soundFlag = 2;
    Open(options);
    EXPECT_EQ(dialog.Text4[0].Text(), L"180");
    ConfirmOk();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values, settings.asRead);
    EXPECT_EQ(RestartQuestions(), 0);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(DetailDialogTest, SoundAndHoldTimeChangesNeedNoRestart) {
    Open({});
    headless::Click(dialog.Option1[1]);
    testing::Retype(dialog.Text1, L" chime.wav ");
    testing::Retype(dialog.Text2, L"12");
    ConfirmOk();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values.soundFlag, 1);
    EXPECT_EQ(settings.values.soundFile, L"chime.wav");
    EXPECT_EQ(settings.values.pcTime, 12);
    EXPECT_EQ(RestartQuestions(), 0);
}

TEST_F(DetailDialogTest, ALayoutChangeOffersARestartEveryTimeUntilTheProgramRestarts) {
    Open({});
    testing::Retype(dialog.Text4[0], L"200");
    headless::Click(dialog.Option2[3]);
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdNo, std::wstring(kRestartQuestion));
    headless::Click(dialog.Command1[0]);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values.fWidth, 3000);
    EXPECT_EQ(settings.values.fDirect, 4);
    EXPECT_EQ(host.Messages().back().style, forms::kMbYesNo | forms::kMbExclamation);
    EXPECT_EQ(restarts, 0);

    // Unchanged since, yet still different from what the window was built with.
    dialog.Show();
    EXPECT_TRUE(dialog.Option2[3].Value());
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdYes, std::wstring(kRestartQuestion));
    headless::Click(dialog.Command1[0]);
    EXPECT_EQ(restarts, 1);
    EXPECT_FALSE(dialog.Loaded());
}

TEST_F(DetailDialogTest, RestoringDefaultsStoresNothingUntilOk) {
    AgentOptions options;
    options.fDirect = 3;
    options.fWidth = 4500;
    options.fbSpace = 0;
    options.bPos = 1;
    options.pFlag = 0;
    options.pcTime = 30;
    options.soundFlag = 0;
    options.soundFile = L"chime.wav";
    Open(options);
    headless::Click(dialog.Command2);
    EXPECT_TRUE(dialog.Option1[1].Value());
    EXPECT_TRUE(dialog.Text1.Enabled());
    EXPECT_EQ(dialog.Text1.Text(), L"chime.wav");
    EXPECT_EQ(dialog.Text2.Text(), L"7");
    EXPECT_EQ(dialog.Text4[0].Text(), L"180");
    EXPECT_EQ(dialog.Text5.Text(), L"4");
    EXPECT_TRUE(dialog.Option2[0].Value());
    EXPECT_TRUE(dialog.Option3[1].Value());
    EXPECT_TRUE(dialog.Option4[0].Value());
    headless::Click(dialog.Command1[1]);
    EXPECT_EQ(settings.values, settings.asRead);

    dialog.Show();
    headless::Click(dialog.Command2);
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdNo, std::wstring(kRestartQuestion));
    headless::Click(dialog.Command1[0]);
    AgentOptions expected;
    expected.soundFile = L"chime.wav";
    EXPECT_EQ(settings.values, expected);
}

TEST_F(DetailDialogTest, DigitBoxesSwallowOtherKeysAndPastedTextNeverOverflows) {
    Open({});
    testing::Retype(dialog.Text4[0], L"2a0b0");
    EXPECT_EQ(dialog.Text4[0].Text(), L"200");
    testing::Retype(dialog.Text5, L"-1\b");
    EXPECT_EQ(dialog.Text5.Text(), L"");

    // Pasted text passes no key filter; the leading digits count, within the 16-bit keys.
    dialog.Text4[1].SetText(L"");
    dialog.Text4[1].ReplaceSelection(L"99x");
    dialog.Text2.SetText(L"");
    dialog.Text2.ReplaceSelection(L"99");
    dialog.Text5.SetText(L"77777");
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdNo, std::wstring(kRestartQuestion));
    headless::Click(dialog.Command1[0]);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values.fWidth, 3000);
    EXPECT_EQ(settings.values.fHeight, 1485);
    EXPECT_EQ(settings.values.fbSpace, 32767);
    EXPECT_EQ(settings.values.pcTime, 99);
}

TEST_F(DetailDialogTest, SizesBelowTheMinimumAreRefusedWithTheirMessage) {
    Open({});
    testing::Retype(dialog.Text4[0], L"159");
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdOk, L"幅は「160」以上の数値を入力してください。");
    headless::Click(dialog.Command1[0]);
    EXPECT_TRUE(dialog.Text4[0].HasFocus());

    testing::Retype(dialog.Text4[0], L"160");
    dialog.Text4[1].SetText(L"x5");  // pasted: no leading digits, counts as 0
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdOk, L"高さは「60」以上の数値を入力してください。");
    headless::Click(dialog.Command1[0]);
    EXPECT_TRUE(dialog.Text4[1].HasFocus());
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(settings.values, settings.asRead);
}

TEST_F(DetailDialogTest, TheSoundChoiceGovernsTheFileRowButOkChecksAPathLeftInIt) {
    Open({});
    headless::Click(dialog.Option1[1]);
    testing::Retype(dialog.Text1, L"missing.wav");
    host.ExpectMessage(forms::kIdOk, L"ファイルがありません。");
    headless::Click(dialog.Command4);
    EXPECT_TRUE(host.SoundsPlayed().empty());

    headless::Click(dialog.Option1[0]);
    EXPECT_FALSE(dialog.Text1.Enabled());
    EXPECT_FALSE(dialog.Command3[0].Enabled());
    EXPECT_FALSE(dialog.Command4.Visible());
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdOk, L"ファイルがありません。");
    headless::Click(dialog.Command1[0]);
    EXPECT_TRUE(dialog.Visible());

    headless::Click(dialog.Option1[1]);
    host.ExpectOpenDialog(folder.File(L"chime.wav"));
    headless::Click(dialog.Command3[0]);
    headless::Click(dialog.Command4);
    ASSERT_EQ(host.SoundsPlayed().size(), 1u);
    EXPECT_EQ(host.SoundsPlayed()[0], folder.File(L"chime.wav"));
    headless::DropFiles(dialog.Text1, {L"chime.wav"});
    headless::Click(dialog.Command4);  // relative: beside the program
    EXPECT_EQ(host.SoundsPlayed().size(), 2u);
    headless::Type(dialog.Text2, L"\x1b");
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values, settings.asRead);
}

TEST_F(DetailDialogTest, OutOfRangeValuesShowAsDefaultsAndStoreOnlyOnOk) {
    AgentOptions options;
    options.fDirect = 7;
    options.soundFlag = 5;
    options.bPos = 0;
    options.pFlag = -1;
    options.fWidth = -300;
    options.fHeight = 0;
    options.fbSpace = -15;
    options.pcTime = -2;
    Open(options);
    EXPECT_TRUE(dialog.Option2[0].Value());
    EXPECT_TRUE(dialog.Option1[1].Value());
    EXPECT_TRUE(dialog.Option3[1].Value());
    EXPECT_TRUE(dialog.Option4[0].Value());
    EXPECT_EQ(dialog.Text4[0].Text(), L"180");
    EXPECT_EQ(dialog.Text4[1].Text(), L"123");
    EXPECT_EQ(dialog.Text5.Text(), L"4");
    EXPECT_EQ(dialog.Text2.Text(), L"7");
    headless::Click(dialog.Command1[1]);
    EXPECT_EQ(settings.values, settings.asRead);

    dialog.Show();
    ConfirmOk();  // the window already used the defaults: no restart question
    EXPECT_EQ(RestartQuestions(), 0);
    EXPECT_EQ(settings.values, AgentOptions{});
}

}  // namespace
}  // namespace agent
