#include "set_editor.h"

#include <algorithm>
#include <utility>

#include "core/files.h"
#include "core/text.h"

namespace quillard {

namespace {

constexpr int kNew = 0, kChange = 1, kDelete = 2;  // Command1
constexpr int kDecide = 0, kAbandon = 1;           // Command2
constexpr int kUpdate = 0, kCancel = 1;            // Command3
constexpr int kUp = 0, kDown = 1;                  // Command5

SetField FieldOf(int index) {
    return static_cast<SetField>(index);
}

}  // namespace

void CentreOnScreen(forms::Form& form) {
    const forms::App& app = form.GetApp();
    form.Move(static_cast<int>((app.ScreenWidth() - form.Width()) / 2),
              static_cast<int>((app.ScreenHeight() - form.Height()) / 2), form.Width(),
              form.Height());
}

SetEditor::SetEditor(SetStore& store) : Form(L"Form2"), store_(store) {
    Design();
    OnLoad = [this] { Form_Load(); };
    KeyPress = [this](int16_t& key) { Form_KeyPress(key); };
    Command1.Click = [this](int index) { Command1_Click(index); };
    Command2.Click = [this](int index) { Command2_Click(index); };
    Command3.Click = [this](int index) { Command3_Click(index); };
    Command5.Click = [this](int index) { Command5_Click(index); };
    Text1.KeyPress = [this](int index, int16_t& key) { Text1_KeyPress(index, key); };
    Text1.Change = [this](int index) { Text1_Change(index); };
    List1.DblClick = [this] {
        if (Command1[kChange].Enabled()) {
            Command1_Click(kChange);
        }
    };
    List1.KeyPress = [this](int16_t& key) { List1_KeyPress(key); };
    List1.KeyDown = [this](int16_t& keyCode, int) { List1_KeyDown(keyCode); };
}

void SetEditor::Design() {
    SetCaption(L"設定");
    SetBorderStyle(3);
    SetKeyPreview(true);
    Move(0, 0, 7605, 5895);
    List1.Move(120, 120, 5055, 2775);

    const wchar_t* const arrows[] = {L"↑", L"↓"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command5.Load(i);
        button.SetCaption(arrows[i]);
        button.Move(5280, 120 + i * 480, 495, 420);
        button.SetVisible(true);
    }
    const wchar_t* const modes[] = {L"新規", L"変更", L"削除"};
    for (int i = 0; i < 3; ++i) {
        forms::CommandButton& button = Command1.Load(i);
        button.SetCaption(modes[i]);
        button.Move(5940, 120 + i * 480, 1455, 420);
        button.SetVisible(true);
    }

    Frame1.Move(120, 3000, 7275, 1755);
    const wchar_t* const labels[] = {L"タイトル", L"選択肢", L"答え"};
    for (int i = 0; i < 3; ++i) {
        forms::Label& label = Label1.Load(i);
        label.SetContainer(&Frame1);
        label.SetCaption(labels[i]);
        label.Move(150, 360 + i * 420, 915, 255);
        label.SetVisible(true);
        forms::TextBox& box = Text1.Load(i);
        box.SetContainer(&Frame1);
        box.Move(1110, 300 + i * 420, 4455, 330);
        box.SetVisible(true);
    }
    Text1[1].SetMaxLength(kMaxChoices);
    Text1[2].SetImeOff(true);  // answers are digits: they come out half-width
    const wchar_t* const decisions[] = {L"決定", L"取消"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command2.Load(i);
        button.SetContainer(&Frame1);
        button.SetCaption(decisions[i]);
        button.Move(5760, 300 + i * 540, 1335, 420);
        button.SetVisible(true);
    }

    const wchar_t* const closes[] = {L"更新", L"キャンセル"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command3.Load(i);
        button.SetCaption(closes[i]);
        button.Move(4560 + i * 1500, 4905, 1335, 420);
        button.SetVisible(true);
    }
}

void SetEditor::Form_Load() {
    store_.setsSaved = false;
    CentreOnScreen(*this);
    for (int i = 0; i < 3; ++i) {
        Text1[i].SetText(L"");
    }
    sets_ = store_.sets;
    List1.Clear();
    for (const QuestionSet& set : sets_) {
        List1.AddItem(SetEntry(set));
    }
    SetIdle();
}

void SetEditor::Form_KeyPress(int16_t& key) {
    if (key == forms::kKeyEscape && Frame1.Visible()) {
        key = 0;
        Command2_Click(kAbandon);
    }
}

void SetEditor::Command1_Click(int index) {
    if (index == kNew) {
        for (int i = 0; i < 3; ++i) {
            Text1[i].SetText(L"");
        }
        StartEditing(Mode::kNew);
        Text1[0].SetFocus();
        return;
    }
    const int selected = List1.ListIndex();
    if (selected < 0) {
        forms::MsgBox(*this, kSelectEntryMessage, forms::kMbError);
        List1.SetFocus();
        return;
    }
    const QuestionSet set = ParseSetEntry(List1.List(selected));
    Text1[0].SetText(set.title);
    Text1[1].SetText(set.choices);
    Text1[2].SetText(set.answers);
    if (index == kChange) {
        StartEditing(Mode::kChange);
        Text1[0].SetFocus();
    } else {
        StartEditing(Mode::kDelete);
        Command2[kDecide].SetFocus();
    }
}

void SetEditor::StartEditing(Mode mode) {
    mode_ = mode;
    const int kept = mode == Mode::kNew ? kNew : mode == Mode::kChange ? kChange : kDelete;
    for (int i = 0; i < 3; ++i) {
        Command1[i].SetEnabled(i == kept);
        Text1[i].SetEnabled(mode != Mode::kDelete);
    }
    // While the frame is open the entry that 決定 acts on stays the one it was opened for.
    List1.SetEnabled(false);
    Command5[kUp].SetEnabled(false);
    Command5[kDown].SetEnabled(false);
    Frame1.SetVisible(true);
}

void SetEditor::SetIdle() {
    mode_ = Mode::kIdle;
    Frame1.SetVisible(false);
    for (int i = 0; i < 3; ++i) {
        Command1[i].SetEnabled(true);
    }
    List1.SetEnabled(true);
    Command5[kUp].SetEnabled(true);
    Command5[kDown].SetEnabled(true);
}

void SetEditor::EndEditing() {
    SetIdle();
    List1.SetFocus();
}

void SetEditor::Command2_Click(int index) {
    if (index == kDecide) {
        QuestionSet set;
        if (mode_ != Mode::kDelete && !TakeBoxes(set)) {
            return;
        }
        Apply(set);
    }
    EndEditing();
}

bool SetEditor::TakeBoxes(QuestionSet& set) {
    for (int i = 0; i < 3; ++i) {
        Text1[i].SetText(core::Trim(Text1[i].Text()));
    }
    set = {Text1[0].Text(), Text1[1].Text(), Text1[2].Text()};
    // A title read from the file may carry spaces around it; its list entry shows it
    // trimmed, and that is the title a new one must differ from.
    std::vector<std::wstring> otherTitles;
    for (size_t i = 0; i < sets_.size(); ++i) {
        if (mode_ != Mode::kChange || static_cast<int>(i) != List1.ListIndex()) {
            otherTitles.push_back(core::Trim(sets_[i].title));
        }
    }
    const SetCheck check = CheckSet(set, otherTitles);
    if (check == SetCheck::kOk) {
        return true;
    }
    forms::MsgBox(*this, SetCheckMessage(check), forms::kMbError);
    const bool onTitle = check == SetCheck::kNoTitle || check == SetCheck::kDuplicateTitle;
    Text1[onTitle ? 0 : 2].SetFocus();
    return false;
}

void SetEditor::Apply(const QuestionSet& set) {
    const int selected = List1.ListIndex();
    switch (mode_) {
        case Mode::kNew:
            sets_.push_back(set);
            List1.AddItem(SetEntry(set));
            List1.SetListIndex(List1.ListCount() - 1);
            break;
        case Mode::kChange:
            sets_[static_cast<size_t>(selected)] = set;
            List1.SetList(selected, SetEntry(set));
            break;
        case Mode::kDelete:
            sets_.erase(sets_.begin() + selected);
            List1.RemoveItem(selected);
            break;
        case Mode::kIdle:
            break;
    }
}

void SetEditor::Command5_Click(int index) {
    const int selected = List1.ListIndex();
    if (selected < 0) {
        return;
    }
    if (index == kUp && selected > 0) {
        MoveEntry(selected, selected - 1);
    } else if (index == kDown && selected < List1.ListCount() - 1) {
        MoveEntry(selected, selected + 1);
    }
}

void SetEditor::MoveEntry(int from, int to) {
    std::swap(sets_[static_cast<size_t>(from)], sets_[static_cast<size_t>(to)]);
    const std::wstring entry = List1.List(from);
    List1.RemoveItem(from);
    List1.AddItem(entry, to);
    List1.SetListIndex(to);
}

void SetEditor::Text1_KeyPress(int index, int16_t& key) {
    if (key == forms::kKeyReturn) {
        key = 0;
        if (index < 2) {
            Text1[index + 1].SetFocus();
        } else {
            Command2[kDecide].SetFocus();
        }
        return;
    }
    const SetField field = FieldOf(index);
    if (field == SetField::kAnswers) {
        forms::DigitsOnly(key);  // the numbers of choices; the field refuses "0" below
    }
    const wchar_t c = forms::KeyChar(key);
    const bool control = c < L' ';
    if (control ? field == SetField::kAnswers && !forms::IsControlKey(key)
                : !FieldAccepts(field, c)) {
        key = 0;
        if (!control && !FileHolds(c)) {
            forms::GetHost().Beep();  // the file would hold "?" or another character
        }
    }
}

void SetEditor::Text1_Change(int index) {
    // Pasted text and text from the input method's other paths do not pass the key filter.
    // Full-width digits count as the answers they are; the caret stays where the user is,
    // less the characters removed before it.
    const SetField field = FieldOf(index);
    forms::TextBox& box = Text1[index];
    const auto filter = [field](std::wstring_view text) {
        std::wstring narrowed(text);
        if (field == SetField::kAnswers) {
            for (wchar_t& c : narrowed) {
                c = forms::NarrowDigit(c);
            }
        }
        return FilterField(field, narrowed);
    };
    const std::wstring kept = filter(box.Text());
    if (kept != box.Text()) {
        if (!std::all_of(box.Text().begin(), box.Text().end(), FileHolds)) {
            forms::GetHost().Beep();
        }
        const auto caret = static_cast<size_t>(box.SelStart());
        const int keptBefore =
            static_cast<int>(filter(std::wstring_view(box.Text()).substr(0, caret)).size());
        box.SetText(kept);
        box.SetSelStart(keptBefore);
    }
}

void SetEditor::List1_KeyPress(int16_t& key) {
    if (key == forms::kKeyReturn) {
        key = 0;
        Command1[kChange].SetEnabled(true);
        Command1_Click(kChange);
    }
}

void SetEditor::List1_KeyDown(int16_t& keyCode) {
    if (keyCode == forms::kKeyDelete) {
        Command1[kDelete].SetEnabled(true);
        Command1_Click(kDelete);
    }
}

void SetEditor::Command3_Click(int index) {
    if (index == kUpdate) {
        Save();
    } else {
        Unload();
    }
}

void SetEditor::Save() {
    if (forms::MsgBox(*this, kUpdateQuestion, forms::kMbQuestion | forms::kMbYesNo) !=
        forms::kIdYes) {
        return;
    }
    const std::wstring path = SetFilePath();
    const bool keepBackup = !store_.readWhole && core::FileExists(path);
    const int error = SaveQuestionSets(path, sets_, keepBackup);
    if (error != 0) {
        forms::MsgBox(*this, L"ファイルの書き込みを失敗しました Err=" + std::to_wstring(error),
                      forms::kMbError);
        return;
    }
    if (keepBackup) {
        forms::MsgBox(*this,
                      L"読み込めなかった元のファイルを '" + BackupPath(path) + L"' に残しました。",
                      forms::kMbInformation);
    }
    store_.setsSaved = true;
    Unload();
}

}  // namespace quillard
