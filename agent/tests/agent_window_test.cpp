// The agent window driven on the test backend with an injected clock: start-up, the
// announcement and its hold time, recesses, timed message boxes one at a time and held
// back only while a menu is open, damaged pictures, and the window kept on screen.
#include "agent/agent_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/text.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "test_pictures.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

constexpr forms::Color kKey = 0x00FF00;

std::string Lines(std::initializer_list<std::wstring_view> lines) {
    std::string out;
    for (std::wstring_view line : lines) {
        out += core::ToCp932(line) + "\r\n";
    }
    return out;
}

// A test host for Tamvoro.exe in folder, on a 1024 x 768 screen.
class AgentHost : public headless::TestHost {
  public:
    explicit AgentHost(const testkit::TempDir& folder) {
        program.directory = folder.File(L"");
        program.directory.pop_back();  // no trailing separator
        program.exeName = L"Tamvoro";
        program.title = L"Tamvoro";
    }
};

class AgentWindowTest : public ::testing::Test {
  protected:
    AgentWindowTest() {
        folder.Write(L"normal.bmp",
                     testing::Bmp24(testing::CharacterPicture(40, 60, kKey, 0x3366CC)));
        folder.Write(L"lesson.bmp",
                     testing::Bmp24(testing::CharacterPicture(50, 50, kKey, 0xCC6633)));
        folder.Write(L"Timetable.ini",
                     Lines({L"[Item]", L"Item1=国語", L"Check1=1", L"S_Time1=530", L"E_Time1=575",
                            L"Item2=算数", L"Check2=1", L"S_Time2=585", L"E_Time2=630", L"[Cell]",
                            L"Cell1=0102"}));
        WriteSettings({});
        WriteCatalogue({});
    }
    void WriteSettings(std::initializer_list<std::wstring_view> extra) {
        std::string ini =
            Lines({L"[Option]", L"SoundFlag=2", L"Launcher1=C:\\tools\\a.exe", L"L_Title1=道具"});
        ini += core::ToCp932(L"Schedule=" + folder.File(L"Timetable.ini")) + "\r\n";
        ini += Lines(extra);
        folder.Write(L"Tamvoro.ini", ini);
    }
    void WriteCatalogue(std::initializer_list<std::wstring_view> extra) {
        std::string text =
            Lines({L"Picture_Normal=normal.bmp", L"Picture_Info_Normal=lesson.bmp",
                   L"TIME=\"hh:nn\"", L"DATETIME_CRLF=1", L"MESSAGE_CRLF=1",
                   L"ITEM_FIRST1=\"ただいま\"", L"ITEM_FIRST2=\"の時間です。\",Picture_Info_Normal",
                   L"ITEM_NORMAL1=\"いまは\"", L"ITEM_NORMAL2=\"の時間\",Picture_Normal",
                   L"RECESS=\"休み時間\",Picture_Wait", L"N_MESSAGE=\"集中しよう\""});
        text += Lines(extra);
        folder.Write(L"Setting.txt", text);
    }
    FRM_AGT1& Start(const core::DateTime& now) {
        host.SetNow(now);
        window = std::make_unique<FRM_AGT1>(state);
        window->Load();
        return *window;
    }
    // Whether the window's outline holds the picture's outline (the picture is shown).
    bool Shows(int picture) const {
        const forms::Region& region = *window->WindowRegion();
        const auto& rects = window->Shape().pictures[std::size_t(picture)].region.rects;
        return !rects.empty() && std::all_of(rects.begin(), rects.end(), [&](const forms::Rect& r) {
            return region.Contains(r.left, r.top) && region.Contains(r.right - 1, r.bottom - 1);
        });
    }
    const std::wstring& Balloon() const { return window->Text1.Text(); }

    testkit::TempDir folder;
    AgentHost host{folder};
    forms::App app{host};
    AgentState state;
    std::unique_ptr<FRM_AGT1> window;
};

// Monday 7 December 2026.
core::DateTime Monday(int hour, int minute, int second) {
    return {{2026, 12, 7}, hour, minute, second};
}

TEST_F(AgentWindowTest, LessonIsAnnouncedHeldSevenSecondsThenTheNormalViewReturns) {
    FRM_AGT1& agent = Start(Monday(8, 49, 58));
    EXPECT_TRUE(agent.Visible());
    EXPECT_EQ(agent.Timer1.Interval(), 1000);
    EXPECT_EQ(Balloon(), L"08:49\r\n");  // nothing on yet: the clock alone
    EXPECT_TRUE(Shows(1));

    host.Advance(2000);  // 8:50: the lesson starts
    EXPECT_EQ(Balloon(), L"08:50\r\nただいま国語の時間です。\r\n集中しよう");
    EXPECT_TRUE(Shows(3));
    EXPECT_FALSE(Shows(1));
    EXPECT_EQ(agent.HoldSeconds(), 0);

    host.Advance(7000);  // still held on the seventh tick
    EXPECT_EQ(Balloon(), L"08:50\r\nただいま国語の時間です。\r\n集中しよう");
    host.Advance(1000);  // the eighth tick returns to the normal view and picture
    EXPECT_EQ(Balloon(), L"08:50\r\nいまは国語の時間");
    EXPECT_TRUE(Shows(1));
    EXPECT_EQ(agent.HoldSeconds(), -1);

    host.Advance(60000);  // the next minute: same headline, the normal view with the clock
    EXPECT_EQ(Balloon(), L"08:51\r\nいまは国語の時間");
    EXPECT_EQ(agent.HoldSeconds(), -1);

    host.Advance(45 * 60000 - 8000);                 // 9:36:00: the recess between the two lessons
    EXPECT_EQ(Balloon(), L"09:36\r\n休み時間\r\n");  // no rest lines: no extra line
    EXPECT_TRUE(Shows(8));  // Picture_Wait, which without a file of its own is the normal one
}

TEST_F(AgentWindowTest, ASecondsClockRefreshesEachSecondButTheMinuteIsEvaluatedOnce) {
    WriteCatalogue({L"TIME=\"hh:nn:ss\""});
    FRM_AGT1& agent = Start(Monday(8, 49, 58));
    host.Advance(2000);
    EXPECT_EQ(Balloon(), L"08:50:00\r\nただいま国語の時間です。\r\n集中しよう");
    agent.Text1.SetSelStart(3);
    host.Advance(7000);  // held for P_C_Time, the clock running and the caret left alone
    EXPECT_EQ(Balloon(), L"08:50:07\r\nただいま国語の時間です。\r\n集中しよう");
    EXPECT_EQ(agent.Text1.SelStart(), 3);
    host.Advance(1000);
    EXPECT_EQ(Balloon(), L"08:50:08\r\nいまは国語の時間");
    host.Advance(2000);
    EXPECT_EQ(Balloon(), L"08:50:10\r\nいまは国語の時間");
}

TEST_F(AgentWindowTest, ADateOnlyClockStillAnnouncesEachLesson) {
    WriteCatalogue({L"TIME=\"\"", L"DATE=\"m/d\""});
    Start(Monday(8, 49, 58));
    EXPECT_EQ(Balloon(), L"12/7\r\n");
    host.Advance(2000);
    EXPECT_EQ(Balloon(), L"12/7\r\nただいま国語の時間です。\r\n集中しよう");
    host.Advance(55 * 60000);  // 9:45: the second lesson
    EXPECT_EQ(Balloon(), L"12/7\r\nただいま算数の時間です。\r\n集中しよう");
}

TEST_F(AgentWindowTest, TextTypedAfterTheMessageSurvivesAndAShortenedTextIsNoFault) {
    FRM_AGT1& agent = Start(Monday(8, 50, 0));
    ASSERT_EQ(Balloon(), L"08:50\r\nただいま国語の時間です。\r\n集中しよう");
    agent.Text1.SetText(Balloon() + L"\r\nメモ");
    host.Advance(8000);
    EXPECT_EQ(Balloon(), L"08:50\r\nいまは国語の時間\r\nメモ");
    agent.Text1.SetText(L"x");  // the user deleted most of it
    host.Advance(60000);
    EXPECT_EQ(Balloon(), L"08:51\r\nいまは国語の時間");
}

TEST_F(AgentWindowTest, MessageBoxesOneAtATimeAndHeldBackOnlyWhileTheMenuIsOpen) {
    WriteCatalogue(
        {L"MESSAGEBOX={9:00}\"一つ目\"", L"MESSAGEBOX={9:00}\"二つ目\",Picture_Info_Normal"});
    FRM_AGT1& agent = Start(Monday(8, 59, 58));
    FRM_AGT4& box = agent.MessageWindow();
    EXPECT_TRUE(box.Loaded());
    EXPECT_FALSE(box.Visible());

    {
        forms::ModalScope menu(app);  // the pop-up menu is open at 9:00
        host.Advance(3000);
        EXPECT_FALSE(box.Visible());
        EXPECT_FALSE(state.catalogue.messageBoxes[0].shown);
    }
    // A right-click on the character whose menu closed with Esc leaves no mark behind,
    // and a mark left set does not hold the box back either.
    headless::MouseUp(agent.Picture1[1], forms::kRightButton, 1, 1);
    EXPECT_FALSE(state.menuOpen);
    state.menuOpen = true;
    host.Advance(1000);
    ASSERT_TRUE(box.Visible());
    EXPECT_EQ(box.Label1.Caption(), L"一つ目");
    EXPECT_FALSE(box.Label1.UseMnemonic()) << "an \"&\" in a message shows as written";
    host.Advance(5000);
    EXPECT_EQ(box.Label1.Caption(), L"一つ目");  // one box at a time

    headless::Click(box.Command1);
    EXPECT_FALSE(box.Visible());
    host.Advance(1000);
    ASSERT_TRUE(box.Visible());
    EXPECT_EQ(box.Label1.Caption(), L"二つ目");
    EXPECT_TRUE(Shows(3));  // the box's picture, as nothing else chose one this tick
    headless::Click(box.Command1);
    host.Advance(3000);
    EXPECT_FALSE(box.Visible());
}

TEST_F(AgentWindowTest, AMessageBoxShownTodayIsShownAgainTomorrow) {
    WriteCatalogue({L"MESSAGEBOX={12:00}\"お昼です\""});
    FRM_AGT1& agent = Start(Monday(11, 59, 59));
    host.Advance(1000);
    ASSERT_TRUE(agent.MessageWindow().Visible());
    headless::Click(agent.MessageWindow().Command1);
    host.Advance(60 * 60000);
    EXPECT_FALSE(agent.MessageWindow().Visible());  // once a day
    host.Advance(23 * 60 * 60000);
    EXPECT_TRUE(agent.MessageWindow().Visible());
}

TEST_F(AgentWindowTest, TheClockAdjustmentMovesTheClockLineTheLessonAndTheDate) {
    WriteSettings({L"ClockAdjust=40"});
    Start(Monday(8, 49, 10));
    EXPECT_EQ(Balloon(), L"08:49\r\n");
    host.Advance(9000);
    EXPECT_EQ(Balloon(), L"08:49\r\n");
    host.Advance(1000);  // 8:49:20 by the computer is 8:50 by the bell
    EXPECT_EQ(Balloon(), L"08:50\r\nただいま国語の時間です。\r\n集中しよう");

    WriteCatalogue({L"DATE=\"m/d\""});
    WriteSettings({L"ClockAdjust=-40"});
    Start({{2027, 1, 1}, 0, 0, 30});
    EXPECT_EQ(Balloon().substr(0, 12), L"12/31 23:59\r");
    EXPECT_EQ(state.catalogue.year, 2026);

    WriteSettings({L"ClockAdjust=3600"});  // out of range: no adjustment
    Start(Monday(8, 49, 30));
    EXPECT_EQ(Balloon(), L"12/7 08:49\r\n");
}

TEST_F(AgentWindowTest, NeitherMessageWindowNorRaiseOverAnOpenDialog) {
    WriteCatalogue({L"MESSAGEBOX={9:00}\"一つ目\""});
    FRM_AGT1& agent = Start(Monday(8, 59, 58));
    forms::Form dialog(L"Dialog");
    host.ExpectModal(L"Dialog", [&](forms::Form& shown) {
        host.Advance(3000);  // 9:00 passes while the dialog is open
        EXPECT_FALSE(agent.MessageWindow().Visible());
        EXPECT_FALSE(agent.Topmost());
        shown.Hide();
    });
    dialog.Show(true);
    EXPECT_FALSE(state.catalogue.messageBoxes[0].shown);
    host.Advance(1000);
    EXPECT_TRUE(agent.MessageWindow().Visible());
}

TEST_F(AgentWindowTest, DamagedPicturesFallBackAndAreReportedOnceAtStart) {
    folder.Write(L"damaged.bmp", "BM this is no picture");
    WriteCatalogue({L"Picture_Wait=damaged.bmp"});
    host.ExpectMessage(forms::kIdOk, L"画像ファイルを読み込めませんでした");
    FRM_AGT1& agent = Start(Monday(9, 36, 0));  // a recess: picture 8 is asked for
    EXPECT_EQ(host.PendingScripts(), 0u);
    EXPECT_EQ(agent.Picture1[8].Picture(), agent.Picture1[1].Picture());
    EXPECT_TRUE(Shows(8));
    host.Advance(120000);
    EXPECT_EQ(host.Messages().size(), 1u);  // the tick never reports it again
}

TEST_F(AgentWindowTest, DamagedNormalPictureLeavesTheBalloonAlone) {
    folder.Write(L"normal.bmp", "not a picture");
    host.ExpectMessage(forms::kIdOk, L"normal.bmp");
    FRM_AGT1& agent = Start(Monday(8, 50, 0));
    EXPECT_EQ(host.PendingScripts(), 0u);
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(agent.Picture1[n].Width(), 0) << n;
    }
    EXPECT_EQ(Balloon(), L"08:50\r\nただいま国語の時間です。\r\n集中しよう");
}

// The outline needs whole bytes per pixel: a 16-colour character is refused with a
// message and the window is not cut to an outline.
TEST_F(AgentWindowTest, ACharacterOfFewerThan256ColoursStopsTheOutline) {
    folder.Write(L"lesson.bmp", testing::Bmp4(40, 40));
    host.ExpectMessage(forms::kIdOk, L"256色以上の画像を指定してください。");
    FRM_AGT1& agent = Start(Monday(12, 0, 0));
    EXPECT_EQ(host.PendingScripts(), 0u);
    EXPECT_FALSE(agent.WindowRegion().has_value());
    EXPECT_FALSE(agent.Shape().pictures[1].region.rects.empty());  // before it in the table
    EXPECT_TRUE(agent.Shape().pictures[3].region.rects.empty());
}

TEST_F(AgentWindowTest, OutlineHoldsButtonsBalloonAndCharacterWithinTheWindow) {
    FRM_AGT1& agent = Start(Monday(12, 0, 0));
    const forms::Region& region = *agent.WindowRegion();
    const int width = int(agent.Width() / 15), height = int(agent.Height() / 15);
    for (const forms::Rect& r : region.rects) {
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, width);
        EXPECT_LE(r.bottom, height);
    }
    // Balloon above the character, buttons on top: the minimise button's middle, a point
    // inside the balloon body and the character's middle are part of the window.
    const int border = 3, top = 3 + 19;
    auto inside = [&](const forms::Control& c) {
        return region.Contains(int((c.Left() + c.Width() / 2) / 15) + border,
                               int((c.Top() + c.Height() / 2) / 15) + top);
    };
    EXPECT_TRUE(inside(agent.CMD_Min));
    EXPECT_TRUE(inside(agent.CMD_Launch[4]));
    EXPECT_TRUE(inside(agent.Picture1[0]));
    EXPECT_TRUE(inside(agent.Picture1[1]));
    EXPECT_LT(agent.CMD_Min.Top(), agent.Picture1[0].Top());
    EXPECT_LT(agent.Picture1[0].Top(), agent.Picture1[1].Top());
}

TEST_F(AgentWindowTest, AStoredPlaceOffEveryScreenIsPulledBack) {
    WriteSettings({L"[MainForm]", L"Left=-90000", L"Top=90000"});
    FRM_AGT1& agent = Start(Monday(12, 0, 0));
    EXPECT_GT(agent.Left() + agent.Width(), 0);
    EXPECT_LT(agent.Top(), app.ScreenHeight());
}

TEST_F(AgentWindowTest, MovingOverALauncherDoesNotRestartTheTick) {
    FRM_AGT1& agent = Start(Monday(8, 50, 0));
    ASSERT_EQ(agent.HoldSeconds(), 0);
    host.Advance(700);
    headless::MouseMove(agent.CMD_Launch[0], 0, 5, 5);
    host.Advance(300);
    EXPECT_EQ(agent.HoldSeconds(), 1);
}

TEST_F(AgentWindowTest, LaunchersAndTheirFailure) {
    FRM_AGT1& agent = Start(Monday(12, 0, 0));
    EXPECT_TRUE(agent.CMD_Launch[0].Enabled());
    EXPECT_FALSE(agent.CMD_Launch[1].Enabled());
    EXPECT_EQ(agent.CMD_Launch[0].ToolTip(), L"道具");
    EXPECT_FALSE(agent.CMD_Launch[0].Picture().Empty());
    headless::Click(agent.CMD_Launch[0]);
    ASSERT_EQ(host.ShellCalls().size(), 1u);
    EXPECT_EQ(host.ShellCalls()[0].file, L"C:\\tools\\a.exe");
    EXPECT_EQ(host.ShellCalls()[0].directory, L"C:\\tools\\");
    host.shellExecuteResult = 2;
    host.ExpectMessage(forms::kIdOk, L"アプリケーションの起動に失敗しました。");
    headless::Click(agent.CMD_Launch[0]);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(AgentWindowTest, ATimetableNamedWithoutAFolderIsFoundBesideTheProgram) {
    folder.Write(L"Tamvoro.ini", Lines({L"[Option]", L"SoundFlag=2", L"Schedule=Timetable.ini"}));
    Start(Monday(9, 0, 0));
    EXPECT_EQ(Balloon(), L"09:00\r\nただいま国語の時間です。\r\n集中しよう");
}

TEST_F(AgentWindowTest, HiddenAtStartEvaluatesNothing) {
    WriteSettings({L"[MainForm]", L"Form_Show=0"});
    FRM_AGT1& agent = Start(Monday(8, 50, 0));
    EXPECT_FALSE(agent.Visible());
    EXPECT_EQ(agent.Timer1.Interval(), 0);
    host.Advance(5000);
    EXPECT_EQ(Balloon(), L"");
}

TEST_F(AgentWindowTest, AnyOtherFormShowValueStartsShown) {
    WriteSettings({L"[MainForm]", L"Form_Show=5"});
    FRM_AGT1& agent = Start(Monday(8, 50, 0));
    EXPECT_TRUE(agent.Visible());
    EXPECT_EQ(agent.Timer1.Interval(), 1000);
}

TEST_F(AgentWindowTest, MinimiseButtonHidesAndANewMessageBringsTheWindowBack) {
    bool hidden = false;
    window = std::make_unique<FRM_AGT1>(state);
    window->Hooks().minimisedChanged = [&](bool value) { hidden = value; };
    host.SetNow(Monday(8, 49, 59));
    window->Load();
    headless::Click(window->CMD_Min);
    EXPECT_FALSE(window->Visible());
    EXPECT_TRUE(hidden);
    host.Advance(1000);
    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(hidden);
}

TEST_F(AgentWindowTest, DatedMessagesFollowTheYearAcrossNewYear) {
    WriteCatalogue({L"SCHEDULE=[3/1]\"春です\""});
    Start({{2027, 12, 31}, 23, 59, 58});
    EXPECT_EQ(state.catalogue.schedules[0].startDay, 59);
    host.Advance(3000);
    EXPECT_EQ(state.catalogue.year, 2028);
    EXPECT_EQ(state.catalogue.schedules[0].startDay, 60);  // 1 March of the leap year
}

}  // namespace
}  // namespace agent
