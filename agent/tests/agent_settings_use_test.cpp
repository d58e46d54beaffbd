// The agent window and its notification side on the settings a user may have: relative
// paths are taken beside the program, out-of-range values of a hand-edited file give way
// to their defaults without being written back.
#include <gtest/gtest.h>

#include "agent/agent_window.h"
#include "agent/tray_form.h"
#include "tray_test_support.h"

namespace agent {
namespace {

class AgentSettingsUseTest : public ::testing::Test {
  protected:
    AgentSettingsUseTest() {
        folder.Write(L"Setting.txt", testing::Cp932Lines({L"ITEM_FIRST1=\"ただいま\""}));
        host.SetNow({{2026, 12, 7}, 8, 55, 0});  // Monday
    }
    void WriteIni(std::initializer_list<std::wstring_view> lines) {
        folder.Write(L"Tamvoro.ini", testing::Cp932Lines(lines));
    }

    testkit::TempDir folder;
    testing::AgentHost host{folder.Path()};
    forms::App app{host};
    AgentState state;
    FRM_AGT1 window{state};
    TrayForm tray{window};
};

TEST_F(AgentSettingsUseTest, TimetableSoundAndLauncherAreFoundBesideTheProgram) {
    folder.Write(L"data/week.ini",
                 testing::Cp932Lines({L"[Item]", L"Item1=国語", L"Check1=1", L"S_Time1=530",
                                      L"E_Time1=575", L"[Cell]", L"Cell1=01"}));
    folder.Write(L"chime.wav", "RIFF");
    folder.Write(L"tools/a.exe", "MZ");
    WriteIni({L"[Option]", L"Schedule=data\\week.ini", L"SoundFlag=1", L"SoundFile=chime.wav",
              L"Launcher1=tools\\a.exe"});
    window.Load();
    EXPECT_NE(window.Text1.Text().find(L"国語"), std::wstring::npos);
    ASSERT_EQ(host.SoundsPlayed().size(), 1u);
    EXPECT_EQ(host.SoundsPlayed()[0], folder.File(L"chime.wav"));

    headless::Click(window.CMD_Launch[0]);
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_EQ(host.ShellCalls()[0].file, folder.File(L"tools\\a.exe"));
    EXPECT_EQ(host.ShellCalls()[0].directory, folder.File(L"tools\\"));
}

TEST_F(AgentSettingsUseTest, OutOfRangeValuesActAsDefaultsAndStayInTheFile) {
    WriteIni({L"[MainForm]", L"Form_Show=2", L"[Option]", L"F_Direct=7", L"SoundFlag=5", L"B_Pos=0",
              L"P_Flag=-1", L"F_Width=-300", L"F_Height=-5", L"FB_Space=-60", L"P_C_Time=-3"});
    const std::string before = folder.Read(L"Tamvoro.ini");
    window.Load();
    EXPECT_TRUE(window.Visible());
    EXPECT_TRUE(tray.MNU_Show.Checked());
    EXPECT_EQ(window.Picture1[0].Width(), 2700);
    EXPECT_EQ(window.Picture1[0].Height(), 1845);
    AgentOptions expected;
    expected.soundFlag = 0;  // the wave file, but no notify.wav in WINDIR: the system beep
    EXPECT_EQ(state.settings.values, expected);

    headless::ChooseMenu(tray.MNU_P_Exit);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(folder.Read(L"Tamvoro.ini"), before);
}

}  // namespace
}  // namespace agent
