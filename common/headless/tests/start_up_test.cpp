// The start-with-Windows entry: what an entry's text says about the program file, and the
// menu item that adds, removes and replaces it.
#include "forms/start_up.h"

#include <gtest/gtest.h>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"

namespace {

using namespace forms;

constexpr wchar_t kExe[] = L"C:\\Tools\\Pindorel.exe";

TEST(StartUpStateTest, TheEntrysPathIsComparedWithThisFileInAnyLetterCase) {
    EXPECT_EQ(StartUpStateOf(std::nullopt, kExe), StartUpState::Absent);
    EXPECT_EQ(StartUpStateOf(L"\"C:\\Tools\\Pindorel.exe\"", kExe), StartUpState::ThisFile);
    EXPECT_EQ(StartUpStateOf(L"\"c:\\tools\\PINDOREL.EXE\"", kExe), StartUpState::ThisFile);
    // Written by hand or by another tool: no quotes, blanks around, arguments after quotes.
    EXPECT_EQ(StartUpStateOf(L"  C:\\Tools\\Pindorel.exe ", kExe), StartUpState::ThisFile);
    EXPECT_EQ(StartUpStateOf(L"\"C:\\Tools\\Pindorel.exe\" /min", kExe), StartUpState::ThisFile);
    EXPECT_EQ(StartUpStateOf(L"\"D:\\Old\\Pindorel.exe\"", kExe), StartUpState::OtherCopy);
    EXPECT_EQ(StartUpStateOf(L"\"C:\\Tools\\Pindorel.exe.bak\"", kExe), StartUpState::OtherCopy);
    EXPECT_EQ(StartUpStateOf(L"", kExe), StartUpState::OtherCopy);
    EXPECT_EQ(StartUpText(kExe), L"\"C:\\Tools\\Pindorel.exe\"");
}

class Tray : public Form {
  public:
    Tray() : Form(L"Form1") {
        MNU_Popup.SetVisible(false);
        ShowStartUpItem(MNU_StartUp);
        MNU_StartUp.Click = [this] { ChooseStartUpItem(MNU_StartUp); };
        Load();
    }
    Menu MNU_Popup{*this, L"MNU_Popup"};
    Menu MNU_StartUp{*this, L"MNU_StartUp", &MNU_Popup};
};

// Pindorel.exe in C:\Tools.
class ToolsHost : public headless::TestHost {
  public:
    ToolsHost() {
        program.directory = L"C:\\Tools";
        program.exeName = L"Pindorel";
        program.title = L"Pindorel";
    }
};

class StartUpItemTest : public ::testing::Test {
  protected:
    const std::map<std::wstring, std::wstring>& Entries() const { return host.startUpEntries; }

    ToolsHost host;
    App app{host};
};

TEST_F(StartUpItemTest, TheItemAddsAndRemovesOnlyItsOwnEntry) {
    host.startUpEntries[L"Other"] = L"\"C:\\Other.exe\"";
    Tray tray;
    EXPECT_EQ(tray.MNU_StartUp.Caption(), L"Windows の起動時に開始(&W)");
    EXPECT_FALSE(tray.MNU_StartUp.Checked());

    headless::ChooseMenu(tray.MNU_StartUp);
    EXPECT_TRUE(tray.MNU_StartUp.Checked());
    EXPECT_EQ(Entries().at(L"Pindorel"), L"\"C:\\Tools\\Pindorel.exe\"");

    headless::ChooseMenu(tray.MNU_StartUp);
    EXPECT_FALSE(tray.MNU_StartUp.Checked());
    EXPECT_EQ(Entries().size(), 1u);
    EXPECT_EQ(Entries().at(L"Other"), L"\"C:\\Other.exe\"");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(StartUpItemTest, AnotherCopysEntryIsReplacedOnlyAfterYes) {
    host.startUpEntries[L"Pindorel"] = L"\"D:\\Old\\Pindorel.exe\"";
    Tray tray;
    EXPECT_FALSE(tray.MNU_StartUp.Checked());

    host.ExpectMessage(kIdNo, L"別の場所の Pindorel が登録されています。この場所に変更しますか?");
    headless::ChooseMenu(tray.MNU_StartUp);
    EXPECT_EQ(Entries().at(L"Pindorel"), L"\"D:\\Old\\Pindorel.exe\"");
    EXPECT_FALSE(tray.MNU_StartUp.Checked());
    EXPECT_EQ(host.Messages().back().style, kMbQuestion | kMbYesNo);

    host.ExpectMessage(kIdYes);
    headless::ChooseMenu(tray.MNU_StartUp);
    EXPECT_EQ(Entries().at(L"Pindorel"), L"\"C:\\Tools\\Pindorel.exe\"");
    EXPECT_TRUE(tray.MNU_StartUp.Checked());
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(StartUpItemTest, AFailedChangeIsReportedAndTheTickFollowsTheList) {
    Tray tray;
    host.startUpWriteFails = true;
    host.ExpectMessage(kIdOk, L"スタートアップに登録できませんでした。");
    headless::ChooseMenu(tray.MNU_StartUp);
    EXPECT_FALSE(tray.MNU_StartUp.Checked());
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(host.Messages().back().style, kMbError | kMbOk);
    EXPECT_EQ(host.Messages().back().caption, L"Pindorel");

    // The entry made meanwhile by hand shows at the next look.
    host.startUpEntries[L"Pindorel"] = L"\"C:\\TOOLS\\Pindorel.exe\"";
    ShowStartUpItem(tray.MNU_StartUp);
    EXPECT_TRUE(tray.MNU_StartUp.Checked());
}

}  // namespace
