#include "answer_form.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "export_file.h"
#include "result_export.h"

namespace quillard {

namespace {

constexpr double kRowPitch = 360;
constexpr double kColumnPitch = 540;
constexpr double kPanelWidth = 2000;
constexpr double kDesignLabelWidth = 510;
constexpr forms::Color kRed = 255;
constexpr int kTakeBack = 0, kClear = 1;  // Command2

// Changes a question label's colour only when it differs (a change redraws the label).
void SetLabelColor(forms::Label& label, forms::Color color) {
    if (label.ForeColor() != color) {
        label.SetForeColor(color);
    }
}

}  // namespace

AnswerForm::AnswerForm() : Form(L"Form1") {
    Design();
    DesignClassControls();
    OnLoad = [this] { Form_Load(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Check1.Click = [this](int index) { Check1_Click(index); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this](int index) { Command2_Click(index); };
    Command3.Click = [this] { Command3_Click(); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    VScroll1.GotFocus = [this] {
        if (Command1.Enabled()) {
            Command1.SetFocus();
        }
    };
    MNU_Exit.Click = [this] { Unload(); };
    MNU_Setting.Click = [this] { MNU_Setting_Click(); };
}

void AnswerForm::Design() {
    SetCaption(L"Quillard");
    SetBorderStyle(1);
    // Without sets the window stays where the system puts it; with sets it is centred.
    SetPlacedBySystem(true);
    Move(0, 0, 3120, 6600);
    Picture1.SetBorderStyle(0);
    Picture1.Move(0, 0, 600, 5000);

    forms::PictureBox& row = Row1.Load(1);
    row.SetContainer(&Picture1);
    row.SetBorderStyle(0);
    // A row's label and boxes get their windows when the row first comes into view: a set
    // at the cap would otherwise make thousands of windows before the sheet appears.
    row.SetWindowWhenShown(true);
    row.Move(0, 0, 600, kRowPitch);
    forms::Label& label = Label1.Load(1);
    label.SetContainer(&row);
    label.SetCaption(L"問1");
    label.Move(15, 120, kDesignLabelWidth, 240);
    forms::Font bold = label.Font();
    bold.bold = true;
    label.SetFont(bold);
    forms::CheckBox& box = Check1.Load(BoxNumber(1, 1));
    box.SetContainer(&row);
    box.Move(600, 90, 495, 270);

    VScroll1.Move(600, 0, 255, 5000);
    VScroll1.SetRange(0, 0);  // nothing to scroll until a set is chosen
    Picture2.SetBorderStyle(0);
    Picture2.Move(900, 0, 1935, 5000);
    Combo1.SetContainer(&Picture2);
    Combo1.SetStyle(2);
    Combo1.Move(120, 120, 1695, 300);
    Command1.SetContainer(&Picture2);
    Command1.SetCaption(L"採点(&M)");
    Command1.Move(120, 600, 1695, 420);
    for (int i = 0; i < 2; ++i) {
        forms::Label& score = Label2.Load(i);
        score.SetContainer(&Picture2);
        score.SetAlignment(1);
        score.Move(120, 1140 + i * 300, 1695, 255);
        score.SetVisible(true);
    }
    const wchar_t* const captions[] = {L"戻す(&R)", L"クリア(&C)"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command2.Load(i);
        button.SetContainer(&Picture2);
        button.SetCaption(captions[i]);
        button.Move(120, 1860 + i * 540, 1695, 420);
        button.SetVisible(true);
    }
    Command3.SetContainer(&Picture2);
    Command3.SetCaption(L"結果を出力(&O)");
    Command3.Move(120, 2940, 1695, 420);
    MNU_Exit.SetCaption(L"終了(&X)");
    MNU_Setting.SetCaption(L"設定(&S)");
}

void AnswerForm::Form_Load() {
    if (LoadQuestionSets(store_)) {
        Command1.SetEnabled(false);
        Command2[kTakeBack].SetEnabled(false);
        Command2[kClear].SetEnabled(false);
        Command3.SetEnabled(false);
        Label1[1].SetVisible(false);
        Check1[BoxNumber(1, 1)].SetVisible(false);
        Label2[0].SetCaption(L"");
        Label2[1].SetCaption(L"");
        FitColumnsToWindow();
        return;
    }
    BuildAnswerGrid();
    CentreOnScreen(*this);
    classBook_.Load();
}

void AnswerForm::BuildAnswerGrid() {
    Combo1.Clear();
    for (const QuestionSet& set : store_.sets) {
        Combo1.AddItem(set.title);
    }
    FitColumnsToWindow();
    const double boxShift = FitQuestionLabels();
    const double gridWidth = store_.maxChoiceCount * kColumnPitch + Check1[11].Left() + boxShift;
    Picture1.SetWidth(gridWidth);
    VScroll1.SetLeft(gridWidth);
    const double panelLeft = VScroll1.Width() + gridWidth + forms::FrameExtraWidth();
    Picture2.SetLeft(panelLeft);
    SetWidth(panelLeft + kPanelWidth);

    const double boxTop = Check1[11].Top();
    Row1[1].SetVisible(false);
    Row1[1].SetWidth(gridWidth);
    Check1[BoxNumber(1, 1)].SetVisible(false);
    for (int q = 1; q <= store_.maxQuestionCount; ++q) {
        if (q > 1) {
            forms::PictureBox& row = Row1.Load(q);
            row.SetTop((q - 1) * kRowPitch);
            Label1.Load(q, &row);
        }
        Label1[q].SetVisible(true);
        for (int c = 1; c <= store_.maxChoiceCount; ++c) {
            if (!Check1.Exists(BoxNumber(q, c))) {
                Check1.Load(BoxNumber(q, c), &Row1[q]);
            }
            forms::CheckBox& box = Check1[BoxNumber(q, c)];
            box.Move(c * kColumnPitch + boxShift, boxTop, box.Width(), box.Height());
            box.SetVisible(true);  // its row decides whether it is seen
        }
    }
    // The rows of the first view get their windows now, before the sheet appears, so that
    // choosing a set only has to show them; every row is hidden again until then.
    shownQuestions_ = store_.maxQuestionCount;
    ShowRowsInView();
    shownQuestions_ = 0;
    ShowRowsInView();
    Label2[0].SetCaption(L"");
    Label2[1].SetCaption(L"");
}

// The scroll bar and the side panel reach from the top of the window's inside to its foot.
void AnswerForm::FitColumnsToWindow() {
    forms::MeasureWindowFrame(*this);
    VScroll1.SetHeight(Height() - forms::FrameExtraHeight());
    Picture2.SetHeight(VScroll1.Height());
}

// Widens the design label so that "問" and any question number up to the cap stand on one
// line in its bold font, whatever the screen's factor; returns how far the boxes move right
// to keep clear of it (0 while the design's width holds).
double AnswerForm::FitQuestionLabels() {
    forms::Label& label = Label1[1];
    forms::PictureBox& measure = Row1[1];
    measure.SetFont(label.Font());
    const size_t digits = std::to_wstring(kMaxQuestions).size();
    double widest = 0;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        widest = std::max(widest, measure.TextWidth(L"問" + std::wstring(digits, digit)));
    }
    // Two pixels spare: the label's width is rounded to whole pixels on the screen.
    const double width = std::max(kDesignLabelWidth, widest + 2 * GetApp().TwipsPerPixelX());
    label.SetWidth(width);
    return width - kDesignLabelWidth;
}

const QuestionSet* AnswerForm::ChosenSet() const {
    const int index = Combo1.ListIndex();
    if (index < 0 || index >= static_cast<int>(store_.sets.size())) {
        return nullptr;
    }
    const QuestionSet& set = store_.sets[static_cast<size_t>(index)];
    return SetStore::Showable(set) ? &set : nullptr;
}

int AnswerForm::BoxState(int question, int choice) const {
    const int number = BoxNumber(question, choice);
    return choice >= 1 && choice <= kMaxChoices && Check1.Exists(number) ? Check1[number].Value()
                                                                         : kBoxEmpty;
}

void AnswerForm::ShowQuestionSet(int questions) {
    const QuestionSet* set = ChosenSet();
    const int shownChoices = set == nullptr ? 0 : ShownChoices(*set);
    // The grid holds its last row whole (its label reaches the row's foot), and the range
    // ends on a whole pixel at or past it, so the last row scrolls fully into view.
    const double gridHeight = questions * kRowPitch + Check1[11].Top() - 90;
    const double barHeight = Height() - forms::FrameExtraHeight();
    const double tpp = GetApp().TwipsPerPixelY();
    // A grid shorter than the window leaves nothing to scroll.
    const double scrollMax = std::max(0.0, std::ceil((gridHeight - barHeight) / tpp) * tpp);
    VScroll1.SetRange(0, core::RoundToInt32(scrollMax).value_or(0));
    VScroll1.SetSmallChange(static_cast<int>(kRowPitch));
    VScroll1.SetLargeChange(core::RoundToInt32(barHeight + 15).value_or(0));

    // The grid is hidden while it changes, so it is drawn once. A question's row is shown
    // or hidden as a whole, and each box is brought straight to its new state, so what
    // stays as it was (most of a set chosen again) costs nothing.
    Picture1.SetVisible(false);
    Picture1.SetHeight(std::max(gridHeight, 0.0));
    for (int q = 1; q <= store_.maxQuestionCount; ++q) {
        const bool shown = q <= questions;
        SetLabelColor(Label1[q], forms::kBlack);
        Label1[q].SetCaption(L"問" + std::to_wstring(q));
        for (int c = 1; c <= store_.maxChoiceCount; ++c) {
            forms::CheckBox& box = Check1[BoxNumber(q, c)];
            box.SetValue(kBoxEmpty);
            if (shown && c <= shownChoices) {
                box.SetCaption(std::wstring(1, set->choices[static_cast<size_t>(c - 1)]));
                box.SetVisible(true);
            } else if (shown) {
                box.SetVisible(false);
            }
        }
    }
    shownQuestions_ = questions;
    VScroll1.SetValue(0);
    Picture1.SetTop(0);
    ShowRowsInView();
    Picture1.SetVisible(true);
    Label2[0].SetCaption(L"");
    Label2[1].SetCaption(L"");
}

void AnswerForm::VScroll1_Change() {
    Picture1.SetTop(-VScroll1.Value());
    ShowRowsInView();
}

// A row out of sight is hidden: the window system would otherwise still draw and clip each
// of its boxes at every change, which marking a set of hundreds of questions feels.
void AnswerForm::ShowRowsInView() {
    const double viewTop = -Picture1.Top();
    const double viewBottom = viewTop + VScroll1.Height();
    for (int q = 1; q <= store_.maxQuestionCount; ++q) {
        forms::PictureBox& row = Row1[q];
        const bool inView = row.Top() + row.Height() > viewTop && row.Top() < viewBottom;
        row.SetVisible(q <= shownQuestions_ && inView);
    }
}

void AnswerForm::Combo1_Click() {
    const int index = Combo1.ListIndex();
    if (index < 0) {
        return;
    }
    const QuestionSet* set = ChosenSet();
    Command4.SetEnabled(set != nullptr);
    if (set == nullptr) {
        ShowQuestionSet(0);
        forms::MsgBox(*this,
                      L"問題が " + std::to_wstring(kMaxQuestions) +
                          L" 問を超えるため、このセットは表示できません。",
                      forms::kMbError);
        return;
    }
    ShowQuestionSet(set->QuestionCount());
}

void AnswerForm::Check1_Click(int index) {
    const QuestionSet* set = ChosenSet();
    if (suppressCheckClick_ || set == nullptr || Check1[index].Value() != kBoxTicked) {
        return;
    }
    const int q = index / 10;
    for (int c = 1; c <= ShownChoices(*set); ++c) {
        const int number = BoxNumber(q, c);
        if (number != index && Check1[number].Value() == kBoxTicked) {
            suppressCheckClick_ = true;
            Check1[number].SetValue(kBoxEmpty);
            suppressCheckClick_ = false;
        }
    }
}

int AnswerForm::InvalidQuestion(const QuestionSet& set) const {
    for (int q = 1; q <= set.QuestionCount(); ++q) {
        int marked = 0;
        for (int c = 1; c <= ShownChoices(set); ++c) {
            if (BoxState(q, c) > kBoxEmpty && ++marked == 2) {
                return q;
            }
        }
    }
    return 0;
}

void AnswerForm::Command1_Click() {
    const QuestionSet* set = ChosenSet();
    if (set == nullptr) {
        return;
    }
    if (const int q = InvalidQuestion(*set); q != 0) {
        forms::MsgBox(*this, Label1[q].Caption() + L"の選択が不正です。", forms::kMbError);
        return;
    }
    int correct = 0;
    for (int q = 1; q <= set->QuestionCount(); ++q) {
        const int answer = set->CorrectChoice(q);
        if (answer != 0 && BoxState(q, answer) == kBoxTicked) {
            ++correct;
            continue;
        }
        SetLabelColor(Label1[q], kRed);
        if (answer != 0) {
            Check1[BoxNumber(q, answer)].SetValue(kBoxGrey);
        }
    }
    Label2[0].SetCaption(ScoreText(correct, set->QuestionCount()));
    Label2[1].SetCaption(PercentText(correct, set->QuestionCount()) + L"%");
}

void AnswerForm::Command2_Click(int index) {
    const QuestionSet* set = ChosenSet();
    if (set == nullptr) {
        return;
    }
    for (int q = 1; q <= set->QuestionCount(); ++q) {
        SetLabelColor(Label1[q], forms::kBlack);
        for (int c = 1; c <= ShownChoices(*set); ++c) {
            forms::CheckBox& box = Check1[BoxNumber(q, c)];
            if (box.Value() == kBoxGrey || (index == kClear && box.Value() != kBoxEmpty)) {
                box.SetValue(kBoxEmpty);
            }
        }
    }
    Label2[0].SetCaption(L"");
    Label2[1].SetCaption(L"");
}

void AnswerForm::Command3_Click() {
    const QuestionSet* set = ChosenSet();
    if (set == nullptr) {
        return;
    }
    const std::wstring path = ChooseExportFile(*this, Combo1.Text(), exportFilterIndex_);
    if (path.empty()) {
        return;
    }
    const std::wstring text = ResultText(
        *set, [this](int q, int c) { return BoxState(q, c); }, SeparatorForType(exportFilterIndex_),
        forms::Now());
    WriteExportFile(*this, path, text, L"結果を '" + path + L"' に出力しました。");
}

void AnswerForm::MNU_Setting_Click() {
    editor_.Show(true);
    if (store_.setsSaved) {
        Restart();
    }
}

void AnswerForm::Restart() {
    const forms::App& app = GetApp();
    // The full path: the save dialog may have changed the current folder.
    const std::wstring exe = core::AppFilePath(app.Path(), app.ExeName() + L".exe");
    const intptr_t result = forms::GetHost().ShellOpen(this, exe, L"", app.Path());
    if (result <= 32) {
        forms::MsgBox(*this,
                      L"設定を保存しましたが、プログラムを再起動できませんでした (Err=" +
                          std::to_wstring(result) + L")。もう一度起動してください。",
                      forms::kMbError);
    }
    Unload();
}

}  // namespace quillard
