// FRM_AGT5 "時間割" on the demo timetable, used as a person would: select a row, type
// into its boxes (with the input method's full-width characters too), save, and every
// refusal; starting a new timetable; a failed write; closing with and without changes.
#include "agent/timetable_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tray_test_support.h"

namespace agent {
namespace {

using testing::Retype;

constexpr wchar_t kSaved[] = L"時間割を保存しました。再起動して反映しますか?";
constexpr wchar_t kDiscard[] = L"変更を破棄してよろしいですか?";
constexpr wchar_t kNoFile[] = L"時間割ファイルがありません。作成しますか?";

class TimetableEditorTest : public ::testing::Test, protected testing::AgentFolderTest {
  protected:
    TimetableEditorTest() {
        state.environment = environment;
        folder.Write(L"Timetable.ini", demo);
        AgentOptions options;
        options.schedule = L"Timetable.ini";
        state.settings = testing::SettingsAsRead(options);
    }
    // Opens the editor; act uses it and must close it.
    void Edit(const std::function<void(TimetableEditor&)>& act) {
        host.ExpectModal(L"FRM_AGT5",
                         [&](forms::Form& form) { act(static_cast<TimetableEditor&>(form)); });
        editor.Open();
        EXPECT_FALSE(editor.Loaded());
        EXPECT_EQ(host.PendingScripts(), 0u);
    }
    // The demo file with one line replaced, in the section given.
    std::string DemoWith(std::wstring_view section, std::wstring_view from, std::wstring_view to) {
        std::string bytes = demo;
        const std::string f = core::ToCp932(from);
        const std::size_t at = bytes.find(f, bytes.find(core::ToCp932(section)));
        return bytes.replace(at, f.size(), core::ToCp932(to));
    }

    const std::string demo = testing::DemoFile(L"Timetable.ini");
    AgentState state;
    int restarts = 0;
    TimetableEditor editor{state, [this] { ++restarts; }};
};

TEST_F(TimetableEditorTest, ARowAndADayPlanAreEditedAndOnlyTheirKeysSaved) {
    Edit([&](TimetableEditor& e) {
        EXPECT_EQ(e.Caption(), L"時間割");
        ASSERT_EQ(e.LST_Rows.ListCount(), 30);
        EXPECT_EQ(e.LST_Rows.ListIndex(), 0);
        EXPECT_EQ(e.TXT_Name.Text(), L"朝食");
        EXPECT_EQ(e.TXT_Start.Text(), L"7:00");
        EXPECT_EQ(e.TXT_Plan[0].Text(), L"11 12 13 14 15 16");
        EXPECT_EQ(e.TXT_Plan[6].Text(), L"");
        EXPECT_EQ(e.TXT_Adjust.Text(), L"0");
        EXPECT_EQ(e.LST_Check.ListCount(), 0);
        // The day plans come between the row's boxes and the clock adjustment in the
        // control order (the tab order).
        const auto place = [&](const forms::Control& c) {
            return std::find(e.Controls().begin(), e.Controls().end(), &c) - e.Controls().begin();
        };
        EXPECT_LT(place(e.TXT_Remark), place(e.TXT_Plan[0]));
        EXPECT_LT(place(e.TXT_Plan[6]), place(e.TXT_Adjust));

        headless::ChooseItem(e.LST_Rows, 9);
        EXPECT_EQ(e.TXT_Name.Text(), L"1時間目");
        EXPECT_EQ(e.CHK_Use.Value(), 1);
        Retype(e.TXT_Start, L"８：４０");  // typed with the input method on
        EXPECT_NE(e.LST_Rows.List(9).find(L"8:40～9:35"), std::wstring::npos);
        Retype(e.TXT_Start, L"8:40");  // the same time again
        Retype(e.TXT_Plan[5], L"1 2");
        // Making 2時間目 start inside 1時間目 shows at once in the findings.
        headless::ChooseItem(e.LST_Rows, 10);
        Retype(e.TXT_Start, L"9:30");
        ASSERT_EQ(e.LST_Check.ListCount(), 1);
        EXPECT_NE(e.LST_Check.List(0).find(L"重なっています"), std::wstring::npos);
        Retype(e.TXT_Start, L"9:45");
        EXPECT_EQ(e.LST_Check.ListCount(), 0);

        host.ExpectMessage(forms::kIdNo, kSaved);
        headless::Click(e.CMD_Save);
    });
    std::string expected = DemoWith(L"[Item]", L"S_Time1=530", L"S_Time1=520");
    const std::string plan = core::ToCp932(L"Cell6=111216");
    expected.replace(expected.find(plan), plan.size(), "Cell6=0102");
    EXPECT_EQ(folder.Read(L"Timetable.ini"), expected);
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(state.settings.values.schedule, L"Timetable.ini");
}

TEST_F(TimetableEditorTest, EntriesThatAreNoTimePlanOrSecondsAreRefusedOnLeavingTheBox) {
    Edit([&](TimetableEditor& e) {
        headless::ChooseItem(e.LST_Rows, 9);
        Retype(e.TXT_Start, L"8.40");
        host.ExpectMessage(forms::kIdOk, L"時刻は 8:50 のように入力して下さい。");
        headless::Click(e.TXT_End);
        EXPECT_EQ(e.ActiveControl(), &e.TXT_Start);
        EXPECT_EQ(host.Messages().back().style, forms::kMbError);
        // Neither another row nor saving gets past it; each says so once.
        host.ExpectMessage(forms::kIdOk, L"時刻は");
        headless::ChooseItem(e.LST_Rows, 3);
        EXPECT_EQ(e.LST_Rows.ListIndex(), 9);
        EXPECT_EQ(e.TXT_Name.Text(), L"1時間目");
        host.ExpectMessage(forms::kIdOk, L"時刻は");
        headless::Click(e.CMD_Save);
        EXPECT_EQ(e.ActiveControl(), &e.TXT_Start);
        Retype(e.TXT_Start, L"8:40");

        Retype(e.TXT_Plan[0], L"1 22");
        host.ExpectMessage(forms::kIdOk, L"時限の番号 (1～21) を空白で区切って");
        headless::Click(e.TXT_Adjust);
        EXPECT_EQ(e.ActiveControl(), &e.TXT_Plan[0]);
        Retype(e.TXT_Plan[0], L"1");
        Retype(e.TXT_Adjust, L"3600");
        host.ExpectMessage(forms::kIdOk, L"-3599 から 3599 までの秒数");
        headless::Click(e.TXT_Name);
        Retype(e.TXT_Adjust, L"-40");

        // Names take what the code page holds: other characters are refused, typed or
        // pasted.
        Retype(e.TXT_Name, L"国語한");
        EXPECT_EQ(e.TXT_Name.Text(), L"国語");
        e.TXT_Name.SetText(L"算\t数한");
        EXPECT_EQ(e.TXT_Name.Text(), L"算数");

        // Esc and Cancel ask first; No keeps every edit.
        host.ExpectMessage(forms::kIdNo, kDiscard);
        headless::Type(e, L"\x1b");
        EXPECT_TRUE(e.Visible());
        EXPECT_EQ(e.TXT_Adjust.Text(), L"-40");
        host.ExpectMessage(forms::kIdYes, kDiscard);
        headless::Click(e.CMD_Cancel);
    });
    EXPECT_EQ(folder.Read(L"Timetable.ini"), demo);
    EXPECT_EQ(state.settings.values.clockAdjust, 0);
}

TEST_F(TimetableEditorTest,
       WithoutChangesClosingAsksNothingAndTheClockAdjustmentAloneNeedsNoRestart) {
    Edit([&](TimetableEditor& e) {
        Retype(e.TXT_Name, L"朝食");  // retyped as it was
        headless::Click(e.CMD_Cancel);
    });
    Edit([&](TimetableEditor& e) {
        Retype(e.TXT_Adjust, L"４０");
        headless::Click(e.CMD_Save);
    });
    EXPECT_EQ(state.settings.values.clockAdjust, 40);
    EXPECT_EQ(folder.Read(L"Timetable.ini"), demo);
    Edit([&](TimetableEditor& e) {
        EXPECT_EQ(e.TXT_Adjust.Text(), L"40");
        headless::Close(e);
    });
}

TEST_F(TimetableEditorTest, WithoutATimetableANewOneIsOfferedCreatedAndNamed) {
    std::filesystem::remove(folder.Dir() / "Timetable.ini");
    state.settings = testing::SettingsAsRead({});
    host.ExpectMessage(forms::kIdNo, kNoFile);
    editor.Open();
    EXPECT_FALSE(editor.Loaded());
    EXPECT_FALSE(folder.Exists(L"Timetable.ini"));

    host.ExpectMessage(forms::kIdYes, kNoFile);
    Edit([&](TimetableEditor& e) {
        EXPECT_EQ(e.LST_Check.ListCount(), 0);
        headless::ChooseItem(e.LST_Rows, 9);
        Retype(e.TXT_Name, L"国語");
        headless::Click(e.CHK_Use);
        Retype(e.TXT_Start, L"8:50");
        host.ExpectMessage(forms::kIdYes, kSaved);
        headless::Click(e.CMD_Save);
    });
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(folder.Read(L"Timetable.ini"),
              testing::Cp932Lines({L"[Item]", L"Item1=国語", L"Check1=1", L"S_Time1=530"}));
    EXPECT_EQ(state.settings.values.schedule, folder.File(L"Timetable.ini"));
}

TEST_F(TimetableEditorTest, AFailedWriteIsReportedAndTheEditsStay) {
    state.settings.values.schedule = folder.File(L"gone\\Timetable.ini");
    host.ExpectMessage(forms::kIdYes, kNoFile);
    Edit([&](TimetableEditor& e) {
        Retype(e.TXT_Name, L"朝の会");
        host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=");
        headless::Click(e.CMD_Save);
        EXPECT_TRUE(e.Visible());
        EXPECT_EQ(e.TXT_Name.Text(), L"朝の会");
        host.ExpectMessage(forms::kIdYes, kDiscard);
        headless::Close(e);
    });
    EXPECT_EQ(state.settings.values.schedule, folder.File(L"gone\\Timetable.ini"));
}

}  // namespace
}  // namespace agent
