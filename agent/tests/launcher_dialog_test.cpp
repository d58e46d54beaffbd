// The launcher dialog driven as a person would: edit, browse, drop, confirm or cancel.
#include "agent/launcher_dialog.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tray_test_support.h"

namespace agent {
namespace {

using testing::AgentFolderTest;

class LauncherDialogTest : public ::testing::Test, protected AgentFolderTest {
  protected:
    LauncherDialogTest() {
        AgentOptions options;
        options.launcherPaths[0] = L"%WINDIR%\\notepad.exe";
        options.launcherTitles[0] = L"メモ帳";
        settings = testing::SettingsAsRead(options);
        folder.Write(L"win/notepad.exe", "MZ");
        folder.Write(L"tools/calc.exe", "MZ");
    }
    void ConfirmOk() { testing::ConfirmOk(host, dialog); }

    AgentSettings settings;
    int rebuilds = 0;
    LauncherDialog dialog{settings, environment, [this] { ++rebuilds; }};
};

TEST_F(LauncherDialogTest, OpensCentredWithTheSlotsInMemory) {
    dialog.Show();
    EXPECT_EQ(dialog.Caption(), L"ランチャー設定");
    EXPECT_EQ(dialog.Left(), std::trunc((app.ScreenWidth() - dialog.Width()) / 2));
    EXPECT_EQ(dialog.Text2[0].Text(), L"%WINDIR%\\notepad.exe");
    EXPECT_EQ(dialog.Text1[0].Text(), L"メモ帳");
    EXPECT_EQ(dialog.Text2[4].Text(), L"");
    EXPECT_EQ(dialog.Check1.Value(), 1);
    EXPECT_EQ(dialog.Check1.Caption(), L"ランチャーのタイトルをポップアップで表示する");
    EXPECT_EQ(dialog.Command3[2].Caption(), L"参照");
}

TEST_F(LauncherDialogTest, OkStoresCleanedPathsAndTrimmedTitlesAndRebuildsTheLaunchers) {
    dialog.Show();
    testing::Retype(dialog.Text2[1], L"  \"tools\\calc.exe\" ");
    dialog.Text1[1].SetText(L"  電卓 ");
    testing::Retype(dialog.Text2[2], L"\"%WINDIR%\\notepad.exe\"");
    headless::Click(dialog.Check1);
    ConfirmOk();

    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values.launcherPaths[1], L"tools\\calc.exe");  // beside the program
    EXPECT_EQ(settings.values.launcherTitles[1], L"電卓");
    EXPECT_EQ(settings.values.launcherPaths[2], L"%WINDIR%\\notepad.exe");  // kept unexpanded
    EXPECT_EQ(settings.values.lPopFlag, 0);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(LauncherDialogTest, AMissingProgramKeepsTheDialogOpenOnThatSlotAndStoresNothing) {
    dialog.Show();
    testing::Retype(dialog.Text2[0], L" \"%WINDIR%\\notepad.exe\" ");
    testing::Retype(dialog.Text2[3], L"C:\\nowhere\\none.exe");
    dialog.Text1[3].SetText(L"無い");
    host.ExpectMessage(forms::kIdYes, L"更新してもよろしいですか?");
    host.ExpectMessage(forms::kIdOk, L"ファイルがありません。");
    headless::Click(dialog.Command1[0]);

    EXPECT_TRUE(dialog.Visible());
    EXPECT_TRUE(dialog.Text2[3].HasFocus());
    EXPECT_EQ(host.Messages().back().style, forms::kMbError);
    EXPECT_EQ(dialog.Text2[0].Text(), L"%WINDIR%\\notepad.exe");  // cleaned in its box
    EXPECT_EQ(settings.values, settings.asRead);
    EXPECT_EQ(rebuilds, 0);

    // Answering No to the question changes nothing either.
    host.ExpectMessage(forms::kIdNo, L"更新してもよろしいですか?");
    headless::Click(dialog.Command1[0]);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(settings.values, settings.asRead);
}

TEST_F(LauncherDialogTest, AFolderIsALauncherTooAndEmptySlotsPass) {
    dialog.Show();
    testing::Retype(dialog.Text2[4], L"tools");
    ConfirmOk();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values.launcherPaths[4], L"tools");
}

TEST_F(LauncherDialogTest, TextsTheSettingsFileCannotKeepAreRefused) {
    dialog.Show();
    dialog.Text1[2].SetText(L"한국어");  // no such characters in the file's code page
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdOk, L"保存できない文字");
    headless::Click(dialog.Command1[0]);
    EXPECT_TRUE(dialog.Text1[2].HasFocus());

    dialog.Text1[2].SetText(L"\"引用\"");  // the file's reader would strip the quotes
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdOk, L"保存できない文字");
    headless::Click(dialog.Command1[0]);

    dialog.Text1[2].SetText(std::wstring(128, L'あ'));  // 256 bytes
    host.ExpectMessage(forms::kIdYes);
    host.ExpectMessage(forms::kIdOk, L"長すぎます");
    headless::Click(dialog.Command1[0]);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(settings.values, settings.asRead);

    dialog.Text1[2].SetText(std::wstring(127, L'あ') + L"a");  // exactly 255 bytes
    ConfirmOk();
    EXPECT_EQ(settings.values.launcherTitles[2].size(), 128u);
}

TEST_F(LauncherDialogTest, BrowsingAndDroppingFillThePathAndEscapeDiscardsThem) {
    dialog.Show();
    host.ExpectOpenDialog(L"C:\\Apps\\viewer.exe");
    headless::Click(dialog.Command3[1]);
    EXPECT_EQ(dialog.Text2[1].Text(), L"C:\\Apps\\viewer.exe");
    host.ExpectOpenDialog(L"");  // cancelled: the box keeps its text
    headless::Click(dialog.Command3[1]);
    EXPECT_EQ(dialog.Text2[1].Text(), L"C:\\Apps\\viewer.exe");
    headless::DropFiles(dialog.Text2[2], {L"C:\\a.exe", L"C:\\b.exe"});
    EXPECT_EQ(dialog.Text2[2].Text(), L"C:\\a.exe");

    headless::Type(dialog.Text1[0], L"\x1b");
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(settings.values, settings.asRead);

    // The next opening starts again from memory.
    dialog.Show();
    EXPECT_EQ(dialog.Text2[1].Text(), L"");
    headless::Click(dialog.Command1[1]);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(rebuilds, 0);
}

}  // namespace
}  // namespace agent
