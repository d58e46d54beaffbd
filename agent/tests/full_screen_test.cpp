// Stepping aside for a full-screen program: which monitor the agent is on and whether the
// foreground window covers it, and the agent window's tick hiding everything, keeping a
// due message box waiting and announcing once what came meanwhile.
#include "agent/full_screen.h"

#include <gtest/gtest.h>

#include <memory>

#include "agent/agent_window.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "tray_test_support.h"

namespace agent {
namespace {

const forms::Rect kLeft{0, 0, 1024, 768};
const forms::Rect kRight{1024, -100, 2304, 924};

forms::ForegroundWindow Other(const forms::Rect& area) {
    return {true, area};
}

TEST(FullScreenTest, TheAgentsMonitorIsTheOneItOverlapsMostElseTheNearest) {
    const std::vector<forms::Rect> monitors{kLeft, kRight};
    EXPECT_EQ(MonitorOf({10, 10, 200, 200}, monitors), 0u);
    EXPECT_EQ(MonitorOf({1000, 0, 1200, 200}, monitors), 1u);  // mostly on the right
    EXPECT_EQ(MonitorOf({900, 0, 1100, 200}, monitors), 0u);   // mostly on the left
    EXPECT_EQ(MonitorOf({3000, 0, 3100, 50}, monitors), 1u);   // off every screen: nearest
    EXPECT_EQ(MonitorOf({-500, 900, -400, 950}, monitors), 0u);
    EXPECT_EQ(MonitorOf({10, 10, 20, 20}, {}), 0u);
}

TEST(FullScreenTest, OnlyAnotherProgramCoveringTheAgentsWholeMonitorCounts) {
    const std::vector<forms::Rect> monitors{kLeft, kRight};
    const forms::Rect agentLeft{700, 400, 900, 700};
    const forms::Rect agentRight{1500, 0, 1700, 300};
    EXPECT_TRUE(CoversAgentsMonitor(Other(kLeft), monitors, agentLeft));
    EXPECT_TRUE(CoversAgentsMonitor(Other({-8, -8, 1032, 776}), monitors, agentLeft));
    // A program filling only the other monitor, or not quite the whole one, or a window of
    // the agent itself, the desktop or the shell (otherProgram false).
    EXPECT_FALSE(CoversAgentsMonitor(Other(kRight), monitors, agentLeft));
    EXPECT_TRUE(CoversAgentsMonitor(Other(kRight), monitors, agentRight));
    EXPECT_FALSE(CoversAgentsMonitor(Other({0, 0, 1024, 728}), monitors, agentLeft));
    EXPECT_FALSE(CoversAgentsMonitor({false, kLeft}, monitors, agentLeft));
    // Spanning both monitors covers either.
    EXPECT_TRUE(CoversAgentsMonitor(Other({0, -100, 2304, 924}), monitors, agentRight));
}

// The agent on Monday 7 December 2026 with a lesson 8:50–9:35, the next from 9:45, a
// message box due 9:40–9:41 only, and the system beep as announcement (11 beeps each).
class SteppingAsideTest : public ::testing::Test {
  protected:
    SteppingAsideTest() {
        folder.Write(
            L"Timetable.ini",
            testing::Cp932Lines({L"[Item]", L"Item1=国語", L"Check1=1", L"S_Time1=530",
                                 L"E_Time1=575", L"Item2=算数", L"Check2=1", L"S_Time2=585",
                                 L"E_Time2=630", L"[Cell]", L"Cell1=0102"}));
        folder.Write(
            L"Setting.txt",
            testing::Cp932Lines({L"TIME=\"hh:nn\"", L"DATETIME_CRLF=1", L"ITEM_FIRST1=\"ただいま\"",
                                 L"ITEM_FIRST2=\"の時間\"", L"MESSAGEBOX={9:40-9:41}\"掃除\""}));
    }
    FRM_AGT1& Start(int minute, std::initializer_list<std::wstring_view> settings = {}) {
        std::vector<std::wstring_view> lines{L"[Option]", L"Schedule=Timetable.ini",
                                             L"SoundFlag=0"};
        lines.insert(lines.end(), settings);
        std::string ini;
        for (std::wstring_view line : lines) {
            ini += testing::Cp932Lines({line});
        }
        folder.Write(L"Tamvoro.ini", ini);
        host.SetNow({{2026, 12, 7}, 9, minute, 0});
        window = std::make_unique<FRM_AGT1>(state);
        window->Load();
        return *window;
    }
    void FullScreen(bool on) { host.foreground = {on, {0, 0, 1024, 768}}; }

    testkit::TempDir folder;
    testing::AgentHost host{folder.Path()};
    forms::App app{host};
    AgentState state;
    std::unique_ptr<FRM_AGT1> window;
};

TEST_F(SteppingAsideTest, HiddenMeanwhileThenTheNewPeriodIsAnnouncedOnceAndTheBoxShown) {
    FRM_AGT1& agent = Start(30);
    EXPECT_EQ(host.Beeps(), 11);  // the lesson, announced at start
    FullScreen(true);
    host.Advance(1000);
    EXPECT_FALSE(agent.Visible());
    // The box falls due and its time passes, the next lesson starts: all in silence.
    host.Advance(20 * 60000);  // 9:50
    EXPECT_FALSE(agent.Visible());
    EXPECT_FALSE(agent.MessageWindow().Visible());
    EXPECT_EQ(host.Beeps(), 11);

    FullScreen(false);
    host.Advance(1000);
    EXPECT_TRUE(agent.Visible());
    EXPECT_NE(agent.Text1.Text().find(L"ただいま算数の時間"), std::wstring::npos)
        << core::ToUtf8(agent.Text1.Text());
    ASSERT_TRUE(agent.MessageWindow().Visible());
    EXPECT_EQ(agent.MessageWindow().Label1.Caption(), L"掃除");
    EXPECT_EQ(host.Beeps(), 33);  // the lesson and the box, once each
    host.Advance(120000);
    EXPECT_EQ(host.Beeps(), 33);
}

TEST_F(SteppingAsideTest, AnOpenBoxAndAMinimisedAgentComeBackAsTheyWere) {
    FRM_AGT1& agent = Start(36);  // between the lessons: nothing to announce
    headless::Click(agent.CMD_Min);
    host.Advance(4 * 60000);  // 9:40: the box
    ASSERT_TRUE(agent.MessageWindow().Visible());
    FullScreen(true);
    host.Advance(1000);
    EXPECT_FALSE(agent.MessageWindow().Visible());
    FullScreen(false);
    host.Advance(1000);
    EXPECT_TRUE(agent.MessageWindow().Visible());
    EXPECT_FALSE(agent.Visible());  // still minimised: nothing new to announce
}

TEST_F(SteppingAsideTest, TheOptionOffOrAProgramOnAnotherMonitorLeavesTheAgentAlone) {
    FRM_AGT1& agent = Start(30, {L"FullScreenHide=0"});
    FullScreen(true);
    host.Advance(1000);
    EXPECT_TRUE(agent.Visible());

    state.settings.values.fullScreenHide = 1;
    host.monitors = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    host.foreground = {true, {1024, 0, 2048, 768}};
    host.Advance(1000);
    EXPECT_TRUE(agent.Visible());
    host.foreground = {true, {0, 0, 1024, 768}};
    host.Advance(1000);
    EXPECT_FALSE(agent.Visible());
}

}  // namespace
}  // namespace agent
