// Ordinell driven as a person would: fill the rows, click the button or press Enter,
// answer the stop question, select the output; checked through the controls.
#include <gtest/gtest.h>

#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "line_builder.h"
#include "ordinell_form.h"

namespace ordinell {
namespace {

class OrdinellHost : public headless::TestHost {
  public:
    OrdinellHost() {
        program.directory = L"C:\\Tools";
        program.exeName = L"Ordinell";
        program.title = L"Ordinell";
    }
};

class OrdinellTest : public ::testing::Test {
  protected:
    OrdinellTest() { form.Show(); }

    // Lines of the output box, each without its CR LF.
    std::vector<std::wstring> OutputLines() const {
        std::vector<std::wstring> lines;
        const std::wstring& text = form.Output.Text();
        for (size_t from = 0, end; (end = text.find(L"\r\n", from)) != std::wstring::npos;
             from = end + 2) {
            lines.push_back(text.substr(from, end - from));
        }
        return lines;
    }
    // Typing replaces the whole text: the box selects it when it gets the focus.
    void Retype(forms::TextBox& box, std::wstring_view keys) { headless::Type(box, keys); }

    OrdinellHost host;
    forms::App app{host};
    MainForm form;
};

TEST_F(OrdinellTest, TheWindowIsCentredAndTheOutputBoxFillsItsFrame) {
    EXPECT_EQ(form.Left(), (15360 - 7800) / 2);
    EXPECT_EQ(form.Top(), (11520 - 7335) / 2);  // whole twips, then halved
    EXPECT_TRUE(form.Output.RichEdit());
    EXPECT_EQ(form.Output.Container(), &form.Picture1);
    EXPECT_EQ(form.Output.Width(), form.Picture1.ScaleWidth());
    EXPECT_EQ(form.Output.Height(), form.Picture1.ScaleHeight());
    EXPECT_EQ(form.Output.Font().name, L"ＭＳ Ｐゴシック");
    EXPECT_DOUBLE_EQ(form.Output.Font().size * 20, 176);  // 11.7 pixels at 15 twips each
}

// At 150 % (10 twips a pixel) the output's characters keep their twips and so grow with the
// boxes, rather than staying 11.7 pixels high.
TEST(OrdinellScaling, TheOutputFontKeepsItsTwipsAtAnyScale) {
    OrdinellHost host;
    host.screen.tpp = {10, 10};
    forms::App app{host};
    MainForm form;
    form.Show();
    EXPECT_DOUBLE_EQ(form.Output.Font().size * 20, 176);
}

TEST_F(OrdinellTest, TheInitialRunShowsAHundredLinesAndFocusesTheOutput) {
    headless::Click(form.Command1);
    const std::vector<std::wstring> lines = OutputLines();
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines.front(), L"第１文字列0第２文字列0第３文字列");
    EXPECT_EQ(lines.back(), L"第１文字列9第２文字列9第３文字列");
    EXPECT_EQ(form.Command1.Caption(), L"開始(&S)");
    EXPECT_EQ(form.ActiveControl(), &form.Output);
    EXPECT_EQ(host.DoEventsCalls(), 10) << "one pass per value of the first number";
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(OrdinellTest, EnterInATextBoxStartsARunWithThePartsAsTyped) {
    for (int row : {0, 2, 3, 4}) {
        headless::Click(form.Check1[row]);  // leave only the first number
    }
    Retype(form.Text2[0], L"1");
    Retype(form.Text2[1], L"100\r");
    const std::vector<std::wstring> lines = OutputLines();
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines[0], L"001");
    EXPECT_EQ(lines[99], L"100");

    headless::Click(form.Check2[0]);  // zero format off
    Retype(form.Text1[1], L"-\r");
    EXPECT_EQ(OutputLines()[0], L"1") << "a new run replaces the output";
}

TEST_F(OrdinellTest, ValuesBeyondTheLimitsAreRefusedWithAMessage) {
    host.ExpectMessage(forms::kIdOk);
    Retype(form.Text2[3], L"2147483647\r");
    Retype(form.Text2[0], L"-999999999");  // not below the smallest: only the first message
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, L"2147483646 以下の値を入力して下さい。");
    EXPECT_EQ(host.Messages()[0].caption, L"Ordinell");
    EXPECT_EQ(host.Messages()[0].style, forms::kMbError);

    Retype(form.Text2[3], L"9");
    Retype(form.Text2[1], L"-3e9");
    host.ExpectMessage(forms::kIdOk);
    headless::Click(form.Command1);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[1].text, L"-2147483648 以上の値を入力して下さい。");
    EXPECT_EQ(form.Command1.Caption(), L"開始(&S)");
    EXPECT_EQ(form.Output.Text(), L"");
    EXPECT_EQ(host.DoEventsCalls(), 0);
}

TEST_F(OrdinellTest, ARunTooLargeForTheOutputBoxIsRefusedBeforeItStarts) {
    Retype(form.Text2[0], L"-999999999");
    Retype(form.Text2[1], L"999999999");
    Retype(form.Text2[2], L"-999999999");
    host.ExpectMessage(forms::kIdOk);
    Retype(form.Text2[3], L"999999999\r");
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, TooLargeMessage());
    EXPECT_EQ(host.Messages()[0].style, forms::kMbError);
    EXPECT_EQ(host.DoEventsCalls(), 0);
    EXPECT_EQ(form.Command1.Caption(), L"開始(&S)");
}

TEST_F(OrdinellTest, ConfirmingTheStopQuestionDiscardsTheRun) {
    headless::Click(form.Command1);
    ASSERT_EQ(OutputLines().size(), 100u);

    host.DuringDoEvents([&] {
        EXPECT_EQ(form.Command1.Caption(), L"中止(&C)");
        EXPECT_EQ(form.Output.Text(), L"") << "the box is emptied when a run starts";
        host.ExpectMessage(forms::kIdYes, L"処理を中止しますか?");
        headless::Click(form.Command1);
    });
    headless::Click(form.Command1);
    EXPECT_EQ(form.Output.Text(), L"");
    EXPECT_EQ(form.Command1.Caption(), L"開始(&S)");
    EXPECT_EQ(host.DoEventsCalls(), 11) << "the run ended at its next pass";
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].style,
              forms::kMbYesNo | forms::kMbExclamation | forms::kMbDefaultButton2);
}

TEST_F(OrdinellTest, AStartClickedWhileAStoppedRunUnwindsWaitsUntilItHasReturned) {
    host.DuringDoEvents([&] {
        host.ExpectMessage(forms::kIdYes, L"処理を中止しますか?");
        headless::Click(form.Command1);  // stop: the run returns after this pass
        headless::Click(form.Command1);  // start again, still inside the stopped run's pass
        EXPECT_EQ(host.DoEventsCalls(), 1) << "no second run nested inside the first";
        EXPECT_EQ(form.Command1.Caption(), L"開始(&S)");
        headless::Type(form.Text2[1], L"\r");  // Enter asks for the same start once more
    });
    headless::Click(form.Command1);
    EXPECT_EQ(OutputLines().size(), 100u) << "the start asked for ran once the first had ended";
    EXPECT_EQ(host.DoEventsCalls(), 1 + 10);
    EXPECT_EQ(form.Command1.Caption(), L"開始(&S)");
}

TEST_F(OrdinellTest, AnsweringNoLetsTheRunFinish) {
    host.DuringDoEvents([&] {
        host.ExpectMessage(forms::kIdNo);
        headless::Type(form.Text1[0], L"\r");  // Enter in a box acts as the button
    });
    headless::Click(form.Command1);
    EXPECT_EQ(OutputLines().size(), 100u);
    EXPECT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(OrdinellTest, ClosingTheWindowDuringARunEndsTheRun) {
    host.DuringDoEvents([&] { EXPECT_TRUE(headless::Close(form)); });
    headless::Click(form.Command1);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(host.DoEventsCalls(), 1);
}

TEST_F(OrdinellTest, SelectAllAndFocusSelectWholeTexts) {
    headless::Click(form.Command1);
    headless::Focus(form.Text1[1]);
    EXPECT_EQ(form.Text1[1].SelStart(), 0);
    EXPECT_EQ(form.Text1[1].SelLength(), 5);

    headless::ChooseMenu(form.MNU_Edit_All);
    EXPECT_EQ(form.ActiveControl(), &form.Output);
    EXPECT_EQ(form.Output.SelStart(), 0);
    EXPECT_EQ(form.Output.SelLength(), static_cast<int>(form.Output.Text().size()));

    headless::ChooseMenu(form.MNU_Exit);
    EXPECT_FALSE(form.Loaded());
}

}  // namespace
}  // namespace ordinell
