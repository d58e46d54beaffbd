#include "ordinell_form.h"

#include <utility>

#include "core/runtime.h"
#include "line_builder.h"

namespace ordinell {

namespace {

constexpr int16_t kEnter = 13;
constexpr int kRows = 5;
constexpr double kRowTop = 120;
constexpr double kRowPitch = 420;
constexpr double kBoxHeight = 315;

// Height of the output box's characters: 11.7 pixels of a screen at 100 % (15 twips each),
// in twips, so that the characters grow with the display's scaling as the boxes do.
constexpr double kOutputFontPixels = 11.7;
constexpr double kTwipsPerPixelAt100 = 15;

double RowTop(int row) {
    return kRowTop + row * kRowPitch;
}

}  // namespace

std::wstring TooLargeMessage() {
    return L"出力が大きすぎます (" + std::to_wstring(kMaxOutputLines) + L" 行、" +
           std::to_wstring(kMaxOutputChars) + L" 文字まで)。範囲を小さくして下さい。";
}

MainForm::MainForm() : Form(L"Form1") {
    SetCaption(L"Ordinell");
    SetBorderStyle(1);
    Move(0, 0, 7800, 7335);
    BuildRows();

    Command1.SetCaption(std::wstring(kStartCaption));
    Command1.Move(6375, kRowTop, 1215, 435);
    Picture1.Move(120, RowTop(kRows) + 60, 7470, 4275);
    Output.SetContainer(&Picture1);
    Output.SetRichEdit(true);
    Output.SetMultiLine(true);
    Output.SetScrollBars(3);
    // The box holds all the text a run may produce (the runs are bounded to this).
    Output.SetMaxLength(static_cast<int>(kMaxOutputChars));

    MNU_Exit.SetCaption(L"終了(&X)");
    MNU_Edit.SetCaption(L"編集(&E)");
    MNU_Edit_All.SetCaption(L"すべて選択(&A)");

    OnLoad = [this] { Form_Load(); };
    Command1.Click = [this] { Command1_Click(); };
    const auto selectAll = [](forms::TextBox& box) {
        box.Select(0, static_cast<int>(box.Text().size()));
    };
    Text1.GotFocus = [this, selectAll](int index) { selectAll(Text1[index]); };
    Text2.GotFocus = [this, selectAll](int index) { selectAll(Text2[index]); };
    const auto enterClicks = [this](int, int16_t& key) {
        if (key == kEnter) {
            key = 0;
            Command1_Click();
        }
    };
    Text1.KeyPress = enterClicks;
    Text2.KeyPress = enterClicks;
    Picture1.GotFocus = [this] { Output.SetFocus(); };
    MNU_Edit_All.Click = [this] {
        Output.SetFocus();
        Output.Select(0, -1);
    };
    MNU_Exit.Click = [this] { Unload(); };
}

void MainForm::BuildRows() {
    static constexpr const wchar_t* kStrings[] = {L"第１文字列", L"第２文字列", L"第３文字列"};
    for (int row = 0; row < kRows; ++row) {
        forms::CheckBox& include = Check1.Load(row);
        include.Move(120, RowTop(row) + 30, 255, 255);
        include.SetValue(1);
        include.SetVisible(true);
        if (row % 2 == 0) {
            forms::TextBox& text = Text1.Load(row / 2);
            text.Move(480, RowTop(row), 5535, kBoxHeight);
            text.SetText(kStrings[row / 2]);
            text.SetVisible(true);
            continue;
        }
        const int number = row / 2;  // 0 for row 2, 1 for row 4
        for (int end = 0; end < 2; ++end) {
            const int index = number * 2 + end;
            forms::Label& label = Label1.Load(index);
            label.SetCaption(end == 0 ? L"開始" : L"終了");
            label.Move(480 + end * 1800, RowTop(row) + 45, 465, 255);
            label.SetVisible(true);
            forms::TextBox& box = Text2.Load(index);
            box.SetMaxLength(10);
            box.SetText(end == 0 ? L"0" : L"9");
            box.Move(960 + end * 1800, RowTop(row), 1215, kBoxHeight);
            box.SetVisible(true);
        }
        forms::CheckBox& zeros = Check2.Load(number);
        zeros.SetCaption(L"0フォーマット");
        zeros.Move(4080, RowTop(row) + 30, 1935, 255);
        zeros.SetValue(1);
        zeros.SetVisible(true);
    }
}

void MainForm::Form_Load() {
    const forms::App& app = GetApp();
    const int32_t spareWidth = core::RoundToInt32(app.ScreenWidth() - Width()).value_or(0);
    const int32_t spareHeight = core::RoundToInt32(app.ScreenHeight() - Height()).value_or(0);
    Move(spareWidth / 2, spareHeight / 2, Width(), Height());

    Output.Move(0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight());
    forms::Font font;
    font.name = L"ＭＳ Ｐゴシック";
    const int32_t twips = core::RoundToInt32(kTwipsPerPixelAt100 * kOutputFontPixels).value_or(0);
    font.size = twips / 20.0;
    Output.SetFont(font);
}

void MainForm::Command1_Click() {
    if (Running()) {
        AskToStop();
    } else if (runOnStack_) {
        startWhenUnwound_ = true;  // never a second run nested inside the stopped one
    } else {
        do {
            startWhenUnwound_ = false;
            StartRun();
        } while (startWhenUnwound_ && Loaded());
    }
}

void MainForm::AskToStop() {
    const int answer = forms::MsgBox(
        *this, kStopQuestion, forms::kMbYesNo | forms::kMbExclamation | forms::kMbDefaultButton2);
    if (answer == forms::kIdYes) {
        Command1.SetCaption(std::wstring(kStartCaption));
    }
}

std::wstring MainForm::Refusal() const {
    const std::array<std::wstring, 4> ranges{Text2[0].Text(), Text2[1].Text(), Text2[2].Text(),
                                             Text2[3].Text()};
    switch (CheckRangeTexts(ranges)) {
        case RangeCheck::kAboveLargest:
            return std::wstring(kAboveLargestMessage);
        case RangeCheck::kBelowSmallest:
            return std::wstring(kBelowSmallestMessage);
        case RangeCheck::kOk:
            break;
    }
    return FitsInOutputBox(MeasureOutput(ReadRunParams())) ? L"" : TooLargeMessage();
}

RunParams MainForm::ReadRunParams() const {
    RunParams params;
    for (int i = 0; i < 3; ++i) {
        params.strings[i] = Text1[i].Text();
    }
    for (int i = 0; i < kRows; ++i) {
        params.include[i] = Check1[i].Value() > 0;
    }
    for (int k = 0; k < 2; ++k) {
        params.numbers[k] =
            ReadRange(Text2[2 * k].Text(), Text2[2 * k + 1].Text(), Check2[k].Value() != 0);
    }
    return params;
}

bool MainForm::KeepRunning() const {
    return Loaded() && Running();
}

void MainForm::StartRun() {
    if (const std::wstring refusal = Refusal(); !refusal.empty()) {
        forms::MsgBox(*this, refusal, forms::kMbError);
        return;
    }
    const RunParams params = ReadRunParams();
    Command1.SetCaption(std::wstring(kStopCaption));
    Output.SetText(L"");
    runOnStack_ = true;
    std::optional<std::wstring> out = BuildOutput(params, [this] {
        forms::DoEvents();
        return KeepRunning();
    });
    runOnStack_ = false;
    if (!out) {
        return;
    }
    Output.SetText(std::move(*out));
    Command1.SetCaption(std::wstring(kStartCaption));
    Picture1.SetFocus();
}

}  // namespace ordinell
