// The set editor (Form2, "設定"): the list of sets, the entry frame with its three modes,
// moving entries, and writing the whole set file.
#pragma once

#include <string>
#include <vector>

#include "forms/forms.h"
#include "question_sets.h"
#include "set_store.h"

namespace quillard {

inline constexpr std::wstring_view kUpdateQuestion = L"更新してもよろしいですか?";
inline constexpr std::wstring_view kSelectEntryMessage = L"リストから項目を選択してください。";

// Places the form in the middle of the screen (whole twips).
void CentreOnScreen(forms::Form& form);

class SetEditor : public forms::Form {
  public:
    explicit SetEditor(SetStore& store);

    forms::ListBox List1{*this, L"List1"};
    forms::ControlArray<forms::CommandButton> Command5{*this, L"Command5"};  // ↑ ↓
    forms::ControlArray<forms::CommandButton> Command1{*this, L"Command1"};  // 新規 変更 削除
    forms::Frame Frame1{*this, L"Frame1"};
    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::ControlArray<forms::TextBox> Text1{*this, L"Text1"};  // title, choices, answers
    forms::ControlArray<forms::CommandButton> Command2{*this, L"Command2"};  // 決定 取消
    forms::ControlArray<forms::CommandButton> Command3{*this, L"Command3"};  // 更新 キャンセル

    // The sets as the list shows them, in list order (unchanged entries keep their fields
    // exactly as read).
    const std::vector<QuestionSet>& Sets() const { return sets_; }

  private:
    enum class Mode { kIdle, kNew, kChange, kDelete };

    void Design();
    void Form_Load();
    void Form_KeyPress(int16_t& key);
    void Command1_Click(int index);
    void Command2_Click(int index);
    void Command5_Click(int index);
    void Command3_Click(int index);
    void Text1_KeyPress(int index, int16_t& key);
    void Text1_Change(int index);
    void List1_KeyPress(int16_t& key);
    void List1_KeyDown(int16_t& keyCode);

    void StartEditing(Mode mode);
    // Frame hidden, every mode button, the list and the arrows usable (also when the
    // editor opens again after being closed while editing).
    void SetIdle();
    void EndEditing();
    // Checks and takes the boxes' set; false (after the message) when it is refused.
    bool TakeBoxes(QuestionSet& set);
    void Apply(const QuestionSet& set);
    void MoveEntry(int from, int to);
    void Save();

    SetStore& store_;
    std::vector<QuestionSet> sets_;
    Mode mode_ = Mode::kIdle;
};

}  // namespace quillard
