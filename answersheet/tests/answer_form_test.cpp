// The answer sheet driven as a person would: choosing sets, ticking, marking, taking back,
// clearing and exporting, with the empty states and hand-edited sets.
#include <gtest/gtest.h>

#include <filesystem>

#include "quillard_fixture.h"
#include "result_export.h"

namespace quillard {
namespace {

// Eight questions with four choices, and a short one.
constexpr std::wstring_view kSets =
    L"\"八問\",\"アイウエ\",\"12341234\"\r\n\"二問\",\"ABC\",\"21\"\r\n";

class SheetTest : public QuillardTest {
  protected:
    void Tick(int q, int c) { headless::Click(form->Check1[BoxNumber(q, c)]); }
    int Box(int q, int c) const { return form->BoxState(q, c); }
    void Mark() { headless::Click(form->Command1); }
    std::wstring Score() const {
        return form->Label2[0].Caption() + L" " + form->Label2[1].Caption();
    }
};

TEST_F(SheetTest, WithoutASetFileTheSheetIsEmptyAndOnlyTheMenuWorks) {
    Start();
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(form->Caption(), L"Quillard");
    EXPECT_FALSE(form->Command1.Enabled());
    EXPECT_FALSE(form->Command2[0].Enabled());
    EXPECT_FALSE(form->Command2[1].Enabled());
    EXPECT_FALSE(form->Command3.Enabled());
    EXPECT_FALSE(form->Label1[1].Visible());
    EXPECT_FALSE(form->Check1[11].Visible());
    EXPECT_EQ(form->Left(), 0) << "not centred";
    EXPECT_TRUE(form->PlacedBySystem()) << "the window appears where the system puts it";
    EXPECT_EQ(form->VScroll1.Height(), form->Height() - forms::FrameExtraHeight());
    EXPECT_EQ(form->Picture2.Height(), form->VScroll1.Height()) << "both reach the foot";
    EXPECT_EQ(form->MNU_Exit.Caption(), L"終了(&X)");
    headless::ChooseMenu(form->MNU_Exit);
    EXPECT_FALSE(form->Loaded());
}

TEST_F(SheetTest, AnEmptySetFileLeavesTheButtonsWithNothingToChoose) {
    WriteSetFile(L"");
    Start();
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_TRUE(form->Command1.Enabled());
    EXPECT_EQ(form->Combo1.ListCount(), 0);
    Mark();  // no set chosen: nothing happens
    headless::Click(form->Command2[1]);
    headless::Click(form->Command3);
    EXPECT_EQ(Score(), L" ");
}

TEST_F(SheetTest, TheGridIsBuiltOnceForTheLargestSetAndTheWindowCentred) {
    WriteSetFile(kSets);
    Start();
    EXPECT_EQ(form->Combo1.Items(), (std::vector<std::wstring>{L"八問", L"二問"}));
    EXPECT_EQ(form->Check1.Count(), 8 * 4);
    EXPECT_EQ(form->Label1.Count(), 8);
    const double gridWidth = 4 * 540 + 600;
    EXPECT_EQ(form->Picture1.Width(), gridWidth);
    EXPECT_EQ(form->VScroll1.Left(), gridWidth);
    EXPECT_EQ(form->VScroll1.Height(), form->Height() - forms::FrameExtraHeight());
    EXPECT_EQ(form->Picture2.Left(), 255 + gridWidth + forms::FrameExtraWidth());
    EXPECT_EQ(form->Width(), form->Picture2.Left() + 2000);
    EXPECT_EQ(form->Left(), static_cast<int>((15360 - form->Width()) / 2));
    EXPECT_EQ(form->Top(), static_cast<int>((11520 - form->Height()) / 2));
    for (int index : form->Check1.Indices()) {
        EXPECT_FALSE(form->Check1[index].ShownInForm()) << index;
    }
    EXPECT_FALSE(form->Label1[1].ShownInForm()) << "no row is shown before a set is chosen";
}

TEST_F(SheetTest, ChoosingASetShowsItsRowsFromTheTop) {
    WriteSetFile(kSets);
    Start();
    headless::ChooseItem(form->Combo1, 0);
    EXPECT_TRUE(form->Label1[8].ShownInForm());
    EXPECT_EQ(form->Label1[8].Caption(), L"問8");
    // Rows 360 twips apart, each holding its label and boxes.
    EXPECT_EQ(form->Row1[8].Top(), 7 * 360);
    EXPECT_EQ(form->Label1[8].Top(), 120);
    EXPECT_EQ(form->Label1[8].Container(), &form->Row1[8]);
    const forms::CheckBox& box = form->Check1[BoxNumber(8, 4)];
    EXPECT_TRUE(box.ShownInForm());
    EXPECT_EQ(box.Container(), &form->Row1[8]);
    EXPECT_EQ(box.Caption(), L"エ");
    EXPECT_EQ(box.Left(), 4 * 540);
    EXPECT_EQ(box.Top(), 90);
    EXPECT_EQ(form->Picture1.Height(), 8 * 360) << "the last row whole";
    // The grid is shorter than the window: nothing to scroll, never a negative range.
    EXPECT_EQ(form->VScroll1.Max(), 0);
    EXPECT_EQ(form->VScroll1.Value(), 0);

    Tick(1, 1);
    Mark();
    headless::ChooseItem(form->Combo1, 1);  // another set clears everything
    EXPECT_FALSE(form->Label1[3].ShownInForm());
    EXPECT_FALSE(form->Check1[BoxNumber(3, 1)].ShownInForm());
    EXPECT_FALSE(form->Check1[BoxNumber(1, 4)].ShownInForm());
    EXPECT_EQ(Box(1, 1), 0);
    EXPECT_EQ(form->Label1[1].ForeColor(), forms::kBlack);
    EXPECT_EQ(Score(), L" ");
    EXPECT_EQ(form->Check1[BoxNumber(2, 3)].Caption(), L"C");
}

TEST_F(SheetTest, ARowHoldsOneTickAndGreyBoxesStay) {
    WriteSetFile(kSets);
    Start();
    headless::ChooseItem(form->Combo1, 0);
    Tick(1, 1);
    Tick(1, 3);
    EXPECT_EQ(Box(1, 1), 0);
    EXPECT_EQ(Box(1, 3), 1);
    Tick(1, 3);
    EXPECT_EQ(Box(1, 3), 0) << "unticking leaves the row empty";
    Tick(2, 4);
    EXPECT_EQ(Box(1, 3), 0);
    EXPECT_EQ(Box(2, 4), 1) << "other rows are not touched";
}

TEST_F(SheetTest, MarkingScoresAndShowsTheWrongAnswers) {
    WriteSetFile(kSets);
    Start();
    headless::ChooseItem(form->Combo1, 0);
    // Right: questions 1, 2, 3; wrong: 4 to 7; question 8 left without a tick.
    const int ticks[] = {1, 2, 3, 1, 2, 1, 1};
    for (int q = 1; q <= 7; ++q) {
        Tick(q, ticks[q - 1]);
    }
    Mark();
    EXPECT_EQ(Score(), L"3 / 8 37.50%");
    EXPECT_EQ(form->Label1[3].ForeColor(), forms::kBlack);
    EXPECT_EQ(form->Label1[4].ForeColor(), 255u);
    EXPECT_EQ(form->Label1[8].ForeColor(), 255u);
    EXPECT_EQ(Box(4, 4), 2);
    EXPECT_EQ(Box(4, 1), 1);
    EXPECT_EQ(Box(8, 4), 2) << "an unanswered question shows its correct box grey";

    // Marking again: question 4 now holds a tick and a grey box.
    host.ExpectMessage(forms::kIdOk, L"問4の選択が不正です。");
    Mark();
    EXPECT_EQ(LastMessage().style, forms::kMbError);
    EXPECT_EQ(Score(), L"3 / 8 37.50%") << "nothing changed";

    headless::Click(form->Command2[0]);  // 戻す
    EXPECT_EQ(Box(4, 4), 0);
    EXPECT_EQ(Box(4, 1), 1);
    EXPECT_EQ(Box(8, 4), 0);
    EXPECT_EQ(form->Label1[4].ForeColor(), forms::kBlack);
    EXPECT_EQ(Score(), L" ");
    Mark();
    EXPECT_EQ(Score(), L"3 / 8 37.50%") << "the same score again";

    headless::Click(form->Command2[1]);  // クリア
    for (int q = 1; q <= 8; ++q) {
        for (int c = 1; c <= 4; ++c) {
            EXPECT_EQ(Box(q, c), 0);
        }
    }
    Mark();
    EXPECT_EQ(Score(), L"0 / 8 0.00%");
}

TEST_F(SheetTest, HandEditedSetsNeverBreakTheGridOrTheMarking) {
    // Eleven choices (the grid shows nine), answers 0, a letter, beyond the choices, and 9.
    WriteSetFile(
        L"\"odd\",\"ABCDEFGHIJK\",\"0x9\"\r\n\"few\",\"AB\",\"15\"\r\n\"empty\",\"\",\"\"\r\n");
    Start();
    EXPECT_EQ(form->Check1.Count(), 3 * 9);
    headless::ChooseItem(form->Combo1, 0);
    EXPECT_TRUE(form->Check1[BoxNumber(1, 9)].ShownInForm());
    EXPECT_EQ(form->Check1[BoxNumber(1, 9)].Caption(), L"I");
    Tick(1, 1);
    Tick(3, 9);
    Mark();
    EXPECT_EQ(Score(), L"1 / 3 33.33%");
    EXPECT_EQ(form->Label1[1].ForeColor(), 255u);
    EXPECT_EQ(form->Label1[2].ForeColor(), 255u);

    headless::ChooseItem(form->Combo1, 1);
    EXPECT_FALSE(form->Check1[BoxNumber(2, 5)].ShownInForm());
    Mark();
    EXPECT_EQ(Score(), L"0 / 2 0.00%");
    EXPECT_EQ(Box(2, 5), 0) << "no hidden box is set";

    headless::ChooseItem(form->Combo1, 2);
    Mark();
    EXPECT_EQ(Score(), L"0 / 0 0.00%");
}

TEST_F(SheetTest, ASetBeyondTheCapIsReportedAndNotShown) {
    WriteSetFile(L"\"long\",\"AB\",\"" + std::wstring(kMaxQuestions + 1, L'1') +
                 L"\"\r\n\"short\",\"AB\",\"12\"\r\n");
    host.ExpectMessage(forms::kIdOk, L"表示できません。\r\nlong");
    Start();
    EXPECT_EQ(form->Label1.Count(), 2) << "the grid is built for the sets it can show";
    host.ExpectMessage(forms::kIdOk, L"表示できません");
    headless::ChooseItem(form->Combo1, 0);
    EXPECT_FALSE(form->Label1[1].ShownInForm());
    Mark();
    EXPECT_EQ(host.PendingScripts(), 0u);
}

// At the end of the range the last row stands whole at the foot of the view, and every
// question number stands on one line clear of the boxes, at 96 and at 144 dpi.
TEST_F(SheetTest, TheLastRowScrollsWholeIntoViewAndEveryNumberFits) {
    for (const double tpp : {15.0, 10.0}) {
        for (const int n : {180, 200, kMaxQuestions}) {
            SCOPED_TRACE(testing::Message() << n << " questions at " << tpp << " twips a pixel");
            QuillardHost screen{folder};
            screen.screen.tpp = {tpp, tpp};
            forms::App app{screen};
            WriteSetFile(L"\"long\",\"AB\",\"" + std::wstring(size_t(n), L'1') + L"\"\r\n");
            AnswerForm sheet;
            sheet.Show();
            headless::ChooseItem(sheet.Combo1, 0);
            headless::Scroll(sheet.VScroll1, sheet.VScroll1.Max());
            const auto pixel = [&](double twips) { return std::lround(twips / tpp); };
            const forms::Label& last = sheet.Label1[n];
            const long foot = pixel(sheet.Picture1.Top()) + pixel(sheet.Row1[n].Top()) +
                              pixel(last.Top() + last.Height());
            const long view = pixel(sheet.VScroll1.Height());
            EXPECT_LE(foot, view);
            EXPECT_GE(foot, view - 1) << "and the range ends there";
            EXPECT_TRUE(sheet.Row1[n].Visible());
            EXPECT_GE(last.Width(), sheet.Row1[1].TextWidth(last.Caption()));
            EXPECT_GE(sheet.Check1[BoxNumber(n, 1)].Left(), last.Left() + last.Width());
            sheet.Unload();
        }
    }
}

TEST_F(SheetTest, ALongSetScrollsBeyondSixteenBits) {
    WriteSetFile(L"\"long\",\"AB\",\"" + std::wstring(kMaxQuestions, L'1') +
                 L"\"\r\n\"short\",\"AB\",\"1\"\r\n");
    Start();
    headless::ChooseItem(form->Combo1, 0);
    const double barHeight = form->Height() - forms::FrameExtraHeight();
    EXPECT_EQ(form->VScroll1.Max(), kMaxQuestions * 360 - barHeight);
    EXPECT_GT(form->VScroll1.Max(), 32767);
    EXPECT_EQ(form->VScroll1.SmallChange(), 360);
    EXPECT_EQ(form->VScroll1.LargeChange(), barHeight + 15);
    // Only the rows in the view are shown, also a row cut by the view's lower edge.
    const int rowsInView = static_cast<int>(barHeight / 360) + 1;
    EXPECT_TRUE(form->Row1[rowsInView].Visible());
    EXPECT_FALSE(form->Row1[rowsInView + 1].Visible());
    headless::Scroll(form->VScroll1, form->VScroll1.Max());
    EXPECT_EQ(form->Picture1.Top(), -form->VScroll1.Max());
    EXPECT_FALSE(form->Row1[1].Visible());
    EXPECT_FALSE(form->Row1[kMaxQuestions - rowsInView].Visible());
    EXPECT_TRUE(form->Row1[kMaxQuestions].Visible());
    // Marking reaches the rows out of view all the same.
    Mark();
    EXPECT_EQ(Box(1, 1), kBoxGrey);
    EXPECT_EQ(Score(), L"0 / 300 0.00%");
    headless::ChooseItem(form->Combo1, 1);
    EXPECT_EQ(form->Picture1.Top(), 0) << "choosing a set returns to the top";
    EXPECT_EQ(form->VScroll1.Max(), 0);
    EXPECT_TRUE(form->Row1[1].Visible());
    EXPECT_FALSE(form->Row1[2].Visible()) << "beyond the short set";
}

class ExportTest : public SheetTest {
  protected:
    void SetUp() override {
        WriteSetFile(L"\"小テスト\",\"アイウエ\",\"23\"\r\n");
        Start();
        headless::ChooseItem(form->Combo1, 0);
        Tick(1, 2);
        Tick(2, 1);
    }
    // The bytes expected after the summary line's date and time.
    static std::string Body(char sep) {
        const std::string s(1, sep);
        return core::ToCp932(L"）　：　1/2 (50.00%)\r\n\r\n") + s + core::ToCp932(L"ア") + s +
               core::ToCp932(L"イ") + s + core::ToCp932(L"ウ") + s + core::ToCp932(L"エ") + "\r\n" +
               core::ToCp932(L"問1") + s + s + core::ToCp932(L"○") + s + s + "\r\n" +
               core::ToCp932(L"問2") + s + core::ToCp932(L"×") + s + s + core::ToCp932(L"●") + s +
               "\r\n\r\n";
    }
    std::string Head() const {
        const core::DateTime now = host.Now();
        return core::ToCp932(L"小テスト（" + core::SystemShortDate(now.date) + L" " +
                             core::SystemLongTime(now));
    }
    void Export(const std::wstring& typed, int16_t type) {
        host.ExpectSaveDialog(typed, type);
        headless::Click(form->Command3);
    }
};

TEST_F(ExportTest, TabAndCommaFilesByteForByteAndTheTypeRemembered) {
    host.ExpectMessage(forms::kIdOk);
    Export(folder.File(L"result"), 1);
    EXPECT_EQ(LastMessage().text, L"結果を '" + folder.File(L"result.txt") + L"' に出力しました。");
    EXPECT_EQ(LastMessage().style, forms::kMbInformation);
    EXPECT_EQ(folder.Read(L"result.txt"), Head() + Body('\t'));

    Mark();  // the export does not depend on marking
    host.ExpectMessage(forms::kIdOk);
    Export(folder.File(L"result"), 2);
    EXPECT_EQ(folder.Read(L"result.csv"), Head() + Body(','));

    // An existing file is replaced.
    host.ExpectMessage(forms::kIdOk);
    Export(folder.File(L"result.csv"), 2);
    EXPECT_EQ(folder.Read(L"result.csv"), Head() + Body(','));
    host.ExpectSaveDialog(L"");  // cancelled: nothing
    headless::Click(form->Command3);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(ExportTest, TheSetFileItselfIsRefusedAndAFailedWriteKeepsTheOldFile) {
    const std::string setFile = folder.Read(L"Quillard.csv");
    host.ExpectMessage(forms::kIdOk, L"には出力できません");
    Export(folder.File(L"QUILLARD.csv"), 2);
    EXPECT_EQ(LastMessage().style, forms::kMbError);
    EXPECT_EQ(folder.Read(L"Quillard.csv"), setFile);

    folder.Write(L"old.txt", "old");
    std::filesystem::create_directory(folder.Dir() / "old.txt.new~");
    host.ExpectMessage(forms::kIdOk, L"ファイルの書き込みを失敗しました Err=75");
    Export(folder.File(L"old.txt"), 1);
    EXPECT_EQ(folder.Read(L"old.txt"), "old");
    EXPECT_EQ(Box(1, 2), 1) << "the sheet is unchanged";
}

}  // namespace
}  // namespace quillard
