// The answer sheet's part in marking a class: the pupil's name, 記録 (the sheet written to
// the class file, then cleared for the next pupil) and 集計 (the class window).
#include <algorithm>
#include <functional>

#include "answer_form.h"
#include "class_records.h"
#include "class_stats.h"
#include "core/text.h"
#include "result_export.h"

namespace quillard {

namespace {

constexpr int kClearSheet = 1;  // Command2

// The recorded choices of the sheet: per question the ticked choice's digit, "0" for none
// (a grey box is not a tick).
std::wstring TickedChoices(const QuestionSet& set, const std::function<int(int, int)>& state) {
    std::wstring choices;
    for (int q = 1; q <= set.QuestionCount(); ++q) {
        wchar_t ticked = L'0';
        for (int c = 1; c <= ShownChoices(set); ++c) {
            if (state(q, c) == kBoxTicked) {
                ticked = static_cast<wchar_t>(L'0' + c);
            }
        }
        choices += ticked;
    }
    return choices;
}

}  // namespace

void AnswerForm::DesignClassControls() {
    Label3.SetContainer(&Picture2);
    Label3.SetCaption(L"受験者");
    Label3.Move(120, 3540, 1695, 240);
    Text2.SetContainer(&Picture2);
    Text2.SetMaxLength(kMaxNameLength);
    Text2.Move(120, 3780, 1695, 330);
    Command4.SetContainer(&Picture2);
    Command4.SetCaption(L"記録(&A)");
    Command4.Move(120, 4230, 1695, 420);
    Command4.SetEnabled(false);  // until a set is chosen
    Label4.SetContainer(&Picture2);
    Label4.Move(120, 4770, 1695, 1080);
    Label4.SetUseMnemonic(false);  // shows the name as typed, "&" too
    MNU_Class.SetCaption(L"集計(&T)");
    Text2.Change = [this] { Text2_Change(); };
    Command4.Click = [this] { Command4_Click(); };
    MNU_Class.Click = [this] { MNU_Class_Click(); };
}

// Pasted text does not pass a key filter: what a record cannot hold is taken out again,
// with a beep, and the caret stays where the user is.
void AnswerForm::Text2_Change() {
    const std::wstring kept = NameCharacters(Text2.Text());
    if (kept == Text2.Text()) {
        return;
    }
    const auto caret = static_cast<size_t>(Text2.SelStart());
    const int keptBefore =
        static_cast<int>(NameCharacters(std::wstring_view(Text2.Text()).substr(0, caret)).size());
    forms::GetHost().Beep();
    Text2.SetText(kept);
    Text2.SetSelStart(keptBefore);
}

void AnswerForm::Command4_Click() {
    const QuestionSet* set = ChosenSet();
    if (set == nullptr) {
        return;
    }
    const std::wstring name = core::Trim(Text2.Text());
    if (name.empty()) {
        forms::MsgBox(*this, L"受験者を入力して下さい。", forms::kMbError);
        Text2.SetFocus();
        return;
    }
    if (const int q = InvalidQuestion(*set); q != 0) {
        forms::MsgBox(*this, L"問" + std::to_wstring(q) + L"の選択が不正です。", forms::kMbError);
        return;
    }
    classBook_.Refresh();  // the name may have been recorded by another copy meanwhile
    if (classBook_.Holds(set->title, name) &&
        forms::MsgBox(*this, name + L" の記録を置き換えますか?",
                      forms::kMbQuestion | forms::kMbYesNo) != forms::kIdYes) {
        return;
    }
    const ClassRecord record{set->title, name,
                             TickedChoices(*set, [this](int q, int c) { return BoxState(q, c); }),
                             RecordTime(forms::Now())};
    if (const int error = classBook_.Store(record); error != 0) {
        forms::MsgBox(*this, L"ファイルの書き込みを失敗しました Err=" + std::to_wstring(error),
                      forms::kMbError);
        return;
    }
    Command2_Click(kClearSheet);
    Text2.SetText(L"");
    Text2.SetFocus();
    const std::vector<const ClassRecord*> records = classBook_.RecordsOf(set->title);
    const auto position = std::find_if(records.begin(), records.end(),
                                       [&](const ClassRecord* r) { return r->name == name; });
    const std::wstring rest =
        L"　" + ScoreText(MarkClass(*set, {&record}).pupils[0].score, set->QuestionCount()) +
        L"　（" + std::to_wstring(position - records.begin() + 1) + L" 人目）";
    Label4.SetCaption(L"記録しました：" + NameInResult(name, rest.substr(0, rest.find(L' '))) +
                      rest);
}

// The name as the result label shows it: whole when it takes at most two of the label's
// lines, otherwise cut short with "…", so that the score and the count after it stay in
// sight. nextWord is what follows the name up to the next space.
std::wstring AnswerForm::NameInResult(const std::wstring& name, const std::wstring& nextWord) {
    if (NameFitsResult(name + nextWord)) {
        return name;
    }
    std::wstring cut = name;
    while (!cut.empty() && !NameFitsResult(cut + L"…" + nextWord)) {
        cut.pop_back();
    }
    return cut + L"…";
}

// The label wraps at a space and between kana and kanji; any other run of characters (a
// name in Latin letters, say) is cut at the label's edge, so each such run must fit a line.
bool AnswerForm::NameFitsResult(const std::wstring& text) {
    forms::PictureBox& measure = Picture2;
    measure.SetFont(Label4.Font());
    // Two pixels spare: the label's width is rounded to whole pixels on the screen.
    const double width = Label4.Width() - 2 * GetApp().TwipsPerPixelX();
    if (measure.TextWidth(text) > 2 * width) {
        return false;
    }
    const auto wrapsAfter = [](wchar_t c) { return c == L' ' || (c >= 0x3040 && c <= 0x9FFF); };
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || wrapsAfter(text[i])) {
            if (measure.TextWidth(text.substr(start, i - start)) > width) {
                return false;
            }
            start = i + 1;
        }
    }
    return true;
}

void AnswerForm::MNU_Class_Click() {
    const QuestionSet* set = ChosenSet();
    if (set == nullptr) {
        forms::MsgBox(*this, L"問題を選択して下さい。", forms::kMbError);
        return;
    }
    classBook_.Refresh();  // a file that cannot be read now is reported when written
    classForm_.Open(*set);
}

}  // namespace quillard
