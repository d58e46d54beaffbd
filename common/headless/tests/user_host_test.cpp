// The simulated user and the scripted system services of the test host.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/text.h"
#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"

namespace {

using namespace forms;

class NoteForm : public Form {
  public:
    NoteForm() : Form(L"Form2") {
        Picture1.Move(0, 0, 3000, 2000);
        Text1.SetContainer(&Picture1);
        Text2.Load(0).SetAcceptsFiles(true);
        Text2.Load(1);
        Text2[1].SetVisible(true);
        Timer1.SetInterval(100);
        Text1.GotFocus = [this] { log.push_back(L"Text1_GotFocus"); };
        Text1.LostFocus = [this] { log.push_back(L"Text1_LostFocus"); };
        Text2.GotFocus = [this](int i) { log.push_back(L"Text2_GotFocus" + std::to_wstring(i)); };
        Text2.DropFiles = [this](int i, const std::vector<std::wstring>& files) {
            Text2[i].SetText(files.front());
        };
        MouseMove = [this](int button, int, float x, float y) {
            log.push_back(L"Move " + std::to_wstring(button) + L" " + std::to_wstring(int(x)) +
                          L"," + std::to_wstring(int(y)));
        };
        Timer1.Tick = [this] {
            ++ticks;
            if (ticks == 2) {
                Unload();
            }
        };
    }
    PictureBox Picture1{*this, L"Picture1"};
    TextBox Text1{*this, L"Text1"};
    ControlArray<TextBox> Text2{*this, L"Text2"};
    Menu MNU_Popup{*this, L"MNU_Popup"};
    Menu MNU_Edit{*this, L"MNU_Edit", &MNU_Popup};
    Timer Timer1{*this, L"Timer1"};
    std::vector<std::wstring> log;
    int ticks = 0;
};

class UserTest : public ::testing::Test {
  protected:
    void SetUp() override { form.Show(); }
    headless::TestHost host;
    App app{host};
    NoteForm form;
};

TEST_F(UserTest, FocusMovesWithLostFocusBeforeGotFocus) {
    headless::Focus(form.Text1);
    headless::Type(form.Text2[1], L"x");
    EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Text1_GotFocus", L"Text1_LostFocus",
                                                   L"Text2_GotFocus1"}));
    form.Text2[1].SetVisible(false);  // hiding the focused control takes the focus away
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

TEST_F(UserTest, ADisabledContainerMakesItsControlsUnreachable) {
    form.Picture1.SetEnabled(false);
    EXPECT_THROW(headless::Type(form.Text1, L"a"), std::logic_error);
    form.MNU_Popup.SetEnabled(false);
    EXPECT_THROW(headless::ChooseMenu(form.MNU_Edit), std::logic_error);
    form.Picture1.SetVisible(false);
    form.Picture1.SetEnabled(true);
    EXPECT_FALSE(form.Text1.ShownInForm());
    EXPECT_THROW(headless::Click(form.Text1), std::logic_error);
}

TEST_F(UserTest, FilesDropOnlyOnBoxesThatAcceptThem) {
    headless::DropFiles(form.Text2[0], {L"C:\\Windows\\notepad.exe", L"C:\\b.txt"});
    EXPECT_EQ(form.Text2[0].Text(), L"C:\\Windows\\notepad.exe");
    EXPECT_THROW(headless::DropFiles(form.Text1, {L"C:\\a.exe"}), std::logic_error);
}

TEST_F(UserTest, NotificationMessagesArriveAsTheMouseXInPixels) {
    form.SetScaleMode(ScaleMode::Pixels);
    headless::NotifyIconEvent(form, 516);
    form.SetScaleMode(ScaleMode::Twips);
    headless::NotifyIconEvent(form, 513);
    headless::MouseMove(form, kLeftButton, 30, 45);
    EXPECT_EQ(form.log,
              (std::vector<std::wstring>{L"Move 0 516,0", L"Move 0 7695,0", L"Move 1 30,45"}));
}

TEST_F(UserTest, ADragGoesDownMovesWithTheButtonHeldAndUp) {
    std::vector<std::wstring> log;
    auto record = [&](const wchar_t* what) {
        return [&log, what](int button, int, float x, float) {
            log.push_back(std::wstring(what) + std::to_wstring(button) + L"@" +
                          std::to_wstring(int(x)));
        };
    };
    form.Picture1.MouseDown = record(L"down");
    form.Picture1.MouseMove = record(L"move");
    form.Picture1.MouseUp = record(L"up");
    headless::Drag(form.Picture1, kRightButton, 10, 10, 200, 10);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"down2@10", L"move2@200", L"up2@200"}));
}

TEST_F(UserTest, ATimerWhoseTickUnloadsItsFormStops) {
    host.Advance(1000);
    EXPECT_EQ(form.ticks, 2);
    EXPECT_FALSE(form.Loaded());
}

TEST_F(UserTest, WindowStateAndUserResizingRaiseResize) {
    int resizes = 0;
    form.OnResize = [&] { ++resizes; };
    form.SetWindowState(WindowState::Minimized);
    form.SetWindowState(WindowState::Minimized);
    headless::MoveWindow(form, 100, 200, form.Width(), form.Height());  // a move only
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(form.Top(), 200);
}

TEST(TimerArrayTest, AnUnloadedTimerElementNeverFiresAgain) {
    headless::TestHost host;
    App app(host);
    class Clock : public Form {
      public:
        Clock() : Form(L"Form1") {}
        ControlArray<Timer> Timer1{*this, L"Timer1"};
    } form;
    int ticks = 0;
    form.Timer1.Load(0).SetInterval(10);
    form.Timer1[0].Tick = [&] { ++ticks; };
    form.Load();
    host.Advance(10);
    form.Timer1.Unload(0);
    host.Advance(100);
    EXPECT_EQ(ticks, 1);
}

class HostServicesTest : public ::testing::Test {
  protected:
    std::filesystem::path Temp(const std::string& name) {
        return std::filesystem::temp_directory_path() / ("forms_" + name);
    }
    std::wstring Windows(const std::filesystem::path& path) {
        return core::FromUtf8(path.string());
    }
    headless::TestHost host;
    App app{host};
};

TEST_F(HostServicesTest, ShellDeleteRemovesTheFileUnlessTheShellRefuses) {
    const auto path = Temp("delete.dat");
    std::ofstream(path) << "x";
    host.shellDeleteResult = 5;
    EXPECT_EQ(host.ShellDelete(nullptr, Windows(path), 1, 0), 5);
    EXPECT_TRUE(std::filesystem::exists(path));
    host.shellDeleteResult = 0;
    EXPECT_EQ(host.ShellDelete(nullptr, Windows(path), -1, 0), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(host.DeleteCalls().size(), 2u);
    EXPECT_EQ(host.DeleteCalls()[1].recycle, -1);
}

TEST_F(HostServicesTest, PicturesLoadFromBitmapFilesIntoAutoSizedBoxes) {
    const auto path = Temp("picture.bmp");
    {
        // 1 x 1, 24 bits: one green pixel.
        const unsigned char bmp[] = {
            'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,   54, 0, 0, 0,         // file header
            40,  0,   0,  0, 1, 0, 0, 0, 1, 0,   0,  0, 1, 0, 24, 0,  // size, 1 x 1, 24 bits
            0,   0,   0,  0, 4, 0, 0, 0, 0, 0,   0,  0, 0, 0, 0,  0,
            0,   0,   0,  0, 0, 0, 0, 0, 0, 255, 0,  0,  // B, G, R, padding
        };
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    }
    class Holder : public Form {
      public:
        Holder() : Form(L"FRM_AGT1") {}
        PictureBox Picture1{*this, L"Picture1"};
    } form;
    form.Picture1.SetBorderStyle(0);
    form.Picture1.SetAutoSize(true);
    EXPECT_TRUE(form.Picture1.LoadPicture(Windows(path)));
    EXPECT_EQ(form.Picture1.Width(), 15);
    EXPECT_EQ(form.Picture1.Pixels().At(0, 0), 0x00FF00u);
    std::filesystem::remove(path);
    EXPECT_FALSE(form.Picture1.LoadPicture(Windows(path)));
}

TEST_F(HostServicesTest, NotifyIconSoundsShellAndClipboardAreRecorded) {
    class Tray : public Form {
      public:
        Tray() : Form(L"FRM_TTI") {}
    } tray;
    host.notifyResult = -1;
    EXPECT_EQ(host.NotifyIcon(tray, 0, L"エージェント", 0), -1);
    ASSERT_EQ(host.NotifyCalls().size(), 1u);
    EXPECT_EQ(host.NotifyCalls()[0].tip, L"エージェント");
    EXPECT_EQ(host.NotifyCalls()[0].form, L"FRM_TTI");
    host.shellExecuteResult = 2;
    EXPECT_EQ(host.ShellOpen(&tray, L"C:\\x.exe", L"", L"C:\\"), 2);
    EXPECT_EQ(host.ShellCalls().at(0).directory, L"C:\\");
    host.Beep();
    EXPECT_TRUE(host.PlaySoundFile(L"a.wav"));
    EXPECT_EQ(host.Beeps(), 1);
    EXPECT_EQ(host.SoundsPlayed(), std::vector<std::wstring>{L"a.wav"});
    host.SetClipboardText(L"付箋");
    EXPECT_EQ(host.ClipboardText(), L"付箋");
}

}  // namespace
