#include "class_form.h"

#include <algorithm>

#include "class_table.h"
#include "core/text.h"
#include "export_file.h"
#include "result_export.h"
#include "set_editor.h"

namespace quillard {

namespace {

constexpr double kMargin = 120;
constexpr double kButtonWidth = 1335;
constexpr double kButtonHeight = 420;
constexpr double kListWidth = 3600;
constexpr double kTitleHeight = 255;

// Columns line up in the window's fixed-pitch font, where a character is as wide as its
// bytes in CP932.
int Columns(std::wstring_view text) {
    return static_cast<int>(core::ToCp932(text).size());
}

std::wstring PadLeft(std::wstring_view text, int width) {
    return std::wstring(static_cast<size_t>(std::max(0, width - Columns(text))), L' ') +
           std::wstring(text);
}

std::wstring PadRight(std::wstring_view text, int width) {
    return std::wstring(text) +
           std::wstring(static_cast<size_t>(std::max(0, width - Columns(text))), L' ');
}

}  // namespace

std::vector<std::wstring> PupilEntries(const ClassResult& result, int questions) {
    int nameWidth = 0;
    for (const PupilResult& pupil : result.pupils) {
        nameWidth = std::max(nameWidth, Columns(pupil.name));
    }
    const int scoreWidth = Columns(ScoreText(questions, questions));
    std::vector<std::wstring> entries;
    for (const PupilResult& pupil : result.pupils) {
        entries.push_back(PadRight(pupil.name, nameWidth) + L"  " +
                          PadLeft(ScoreText(pupil.score, questions), scoreWidth) + L"  " +
                          PadLeft(PercentText(pupil.score, questions), 6) + L"%");
    }
    return entries;
}

std::wstring QuestionTable(const QuestionSet& set, const ClassResult& result) {
    const int pupils = static_cast<int>(result.pupils.size());
    const int choices = ShownChoices(set);
    const int numberWidth = Columns(L"問" + std::to_wstring(set.QuestionCount()));
    const int countWidth = std::max(3, Columns(std::to_wstring(pupils)));
    const auto label = [&](int choice) {
        return choice >= 1 && choice <= choices
                   ? std::wstring(1, set.choices[static_cast<size_t>(choice - 1)])
                   : std::wstring();
    };
    std::wstring text = PadRight(L"問", numberWidth) + L"  正答  正答率";
    for (int c = 1; c <= choices; ++c) {
        text += L"  " + PadLeft(label(c), countWidth);
    }
    text += L"  " + PadLeft(L"無答", countWidth) + L"  識別指数";
    for (int q = 1; q <= set.QuestionCount(); ++q) {
        const QuestionResult& question = result.questions[static_cast<size_t>(q - 1)];
        text += L"\r\n" + PadRight(L"問" + std::to_wstring(q), numberWidth) + L"  " +
                PadRight(label(question.correct), 4) + L"  " +
                PadLeft(RightRateText(question.right, pupils), 6);
        for (int count : question.chosen) {
            text += L"  " + PadLeft(std::to_wstring(count), countWidth);
        }
        text += L"  " + PadLeft(std::to_wstring(question.unanswered), std::max(countWidth, 4)) +
                L"  " + PadLeft(TwoDecimals(question.index), 8);
    }
    return text;
}

std::wstring ClassFigures(const ClassResult& result) {
    const auto whole = [](const std::optional<int>& value) {
        return value ? std::to_wstring(*value) : std::wstring();
    };
    return L"人数 " + std::to_wstring(result.pupils.size()) + L"　平均点 " +
           TwoDecimals(result.mean) + L"　標準偏差 " + TwoDecimals(result.deviation) +
           L"　中央値 " + TwoDecimals(result.median) + L"　最高点 " + whole(result.highest) +
           L"　最低点 " + whole(result.lowest);
}

ClassForm::ClassForm(ClassBook& book, int16_t& exportFilterIndex)
    : Form(L"Form3"), book_(book), exportFilterIndex_(exportFilterIndex) {
    Design();
    OnResize = [this] { Form_Resize(); };
    KeyPress = [this](int16_t& key) {
        if (key == forms::kKeyEscape) {
            key = 0;
            Unload();
        }
    };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Unload(); };
}

void ClassForm::Design() {
    SetBorderStyle(2);
    SetKeyPreview(true);
    Move(0, 0, 10200, 7200);
    forms::Font fixed = Text1.Font();
    fixed.name = L"ＭＳ ゴシック";
    Label1.Move(kMargin, kMargin, 9000, kTitleHeight);
    Label2.SetCaption(L"受験者");
    Label3.SetCaption(L"問題ごと");
    List1.SetFont(fixed);
    Text1.SetFont(fixed);
    Text1.SetMultiLine(true);
    Text1.SetScrollBars(3);
    Text1.SetLocked(true);
    Command1.SetCaption(L"削除(&D)");
    Command2.SetCaption(L"出力(&O)");
    Command3.SetCaption(L"閉じる(&C)");
}

// The lists take what the window leaves them; the buttons stay along its foot.
void ClassForm::Form_Resize() {
    const double width = ScaleWidth(), height = ScaleHeight();
    const double listsTop = kMargin * 2 + kTitleHeight * 2;
    const double buttonsTop = std::max(listsTop, height - kMargin - kButtonHeight);
    const double listsHeight = std::max(0.0, buttonsTop - kMargin - listsTop);
    const double tableLeft = kMargin * 2 + kListWidth;
    Label1.SetWidth(std::max(0.0, width - kMargin * 2));
    Label2.Move(kMargin, listsTop - kTitleHeight, kListWidth, kTitleHeight);
    List1.Move(kMargin, listsTop, kListWidth, listsHeight);
    Label3.Move(tableLeft, listsTop - kTitleHeight, kListWidth, kTitleHeight);
    Text1.Move(tableLeft, listsTop, std::max(0.0, width - kMargin - tableLeft), listsHeight);
    Command1.Move(kMargin, buttonsTop, kButtonWidth, kButtonHeight);
    for (forms::CommandButton* button : {&Command2, &Command3}) {
        const double right =
            button == &Command3 ? width - kMargin : width - kMargin * 2 - kButtonWidth;
        button->Move(std::max(0.0, right - kButtonWidth), buttonsTop, kButtonWidth, kButtonHeight);
    }
}

void ClassForm::Open(const QuestionSet& set) {
    set_ = &set;
    SetCaption(L"集計 - " + set.title);
    Fill();  // before the windows are made: each gets its text once
    Load();
    CentreOnScreen(*this);
    Form_Resize();
    Show(true);
}

void ClassForm::Fill() {
    result_ = MarkClass(*set_, book_.RecordsOf(set_->title));
    List1.SetItems(PupilEntries(result_, set_->QuestionCount()));
    Text1.SetText(QuestionTable(*set_, result_));
    Label1.SetCaption(ClassFigures(result_));
}

void ClassForm::Command1_Click() {
    const int selected = List1.ListIndex();
    if (selected < 0) {
        forms::MsgBox(*this, std::wstring(kSelectEntryMessage), forms::kMbError);
        return;
    }
    const std::wstring name = result_.pupils[static_cast<size_t>(selected)].name;
    if (forms::MsgBox(*this, name + L" の記録を削除してよろしいですか?",
                      forms::kMbExclamation | forms::kMbYesNo) != forms::kIdYes) {
        return;
    }
    if (const int error = book_.Remove(set_->title, name); error != 0) {
        forms::MsgBox(*this, L"ファイルの書き込みを失敗しました Err=" + std::to_wstring(error),
                      forms::kMbError);
        return;
    }
    Fill();
}

void ClassForm::Command2_Click() {
    const std::wstring path = ChooseExportFile(*this, set_->title + L"_集計", exportFilterIndex_);
    if (path.empty()) {
        return;
    }
    const std::wstring text = ClassTableText(*set_, result_, SeparatorForType(exportFilterIndex_));
    WriteExportFile(*this, path, text, L"集計を '" + path + L"' に出力しました。");
}

}  // namespace quillard
