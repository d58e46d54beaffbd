// The agent window with relative paths in its settings: the timetable, the sound file and
// a launcher are taken beside the program, whatever the current folder is.
#include <gtest/gtest.h>

#include "agent/agent_window.h"
#include "tray_test_support.h"

namespace agent {
namespace {

TEST(RelativePaths, TimetableSoundAndLauncherAreFoundBesideTheProgram) {
    testing::TempDir folder;
    testing::AgentHost host(folder.Path());
    forms::App app(host);
    folder.Write(L"data/week.ini",
                 testing::Cp932Lines({L"[Item]", L"Item1=国語", L"Check1=1", L"S_Time1=530",
                                      L"E_Time1=575", L"[Cell]", L"Cell1=01"}));
    folder.Write(L"chime.wav", "RIFF");
    folder.Write(L"tools/a.exe", "MZ");
    folder.Write(L"Setting.txt", testing::Cp932Lines({L"ITEM_FIRST1=\"ただいま\""}));
    folder.Write(L"Tamvoro.ini",
                 testing::Cp932Lines({L"[Option]", L"Schedule=data\\week.ini", L"SoundFlag=1",
                                      L"SoundFile=chime.wav", L"Launcher1=tools\\a.exe"}));
    host.SetNow({{2026, 12, 7}, 8, 55, 0});  // Monday, in the lesson

    AgentState state;
    FRM_AGT1 window(state);
    window.Load();
    EXPECT_NE(window.Text1.Text().find(L"国語"), std::wstring::npos);
    ASSERT_EQ(host.SoundsPlayed().size(), 1u);
    EXPECT_EQ(host.SoundsPlayed()[0], folder.File(L"chime.wav"));

    headless::Click(window.CMD_Launch[0]);
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_EQ(host.ShellCalls()[0].file, folder.File(L"tools\\a.exe"));
    EXPECT_EQ(host.ShellCalls()[0].directory, folder.File(L"tools\\"));
}

}  // namespace
}  // namespace agent
