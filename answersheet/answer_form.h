// The answer sheet (Form1, "Quillard"): the set chooser, the grid of question labels and
// choice check boxes built once at start, marking, taking back, clearing and the export.
#pragma once

#include <cstdint>
#include <string>

#include "class_book.h"
#include "class_form.h"
#include "forms/forms.h"
#include "set_editor.h"
#include "set_store.h"

namespace quillard {

// Box numbers: choice c of question q is element q x 10 + c of Check1.
inline constexpr int BoxNumber(int question, int choice) {
    return question * 10 + choice;
}

class AnswerForm : public forms::Form {
  public:
    AnswerForm();

    forms::PictureBox Picture1{*this, L"Picture1"};
    // One strip per question inside the grid, holding its label and boxes, so a row is
    // shown or hidden at once. Only the rows of the set's questions that lie in the
    // scrolled view are shown.
    forms::ControlArray<forms::PictureBox> Row1{*this, L"Row1"};
    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::ControlArray<forms::CheckBox> Check1{*this, L"Check1"};
    forms::VScrollBar VScroll1{*this, L"VScroll1"};
    forms::PictureBox Picture2{*this, L"Picture2"};
    forms::ComboBox Combo1{*this, L"Combo1"};
    forms::CommandButton Command1{*this, L"Command1"};
    forms::ControlArray<forms::Label> Label2{*this, L"Label2"};
    forms::ControlArray<forms::CommandButton> Command2{*this, L"Command2"};
    forms::CommandButton Command3{*this, L"Command3"};
    // Recording the sheet for the class (class_recording.cpp): the pupil, 記録, and what
    // was recorded last.
    forms::Label Label3{*this, L"Label3"};
    forms::TextBox Text2{*this, L"Text2"};
    forms::CommandButton Command4{*this, L"Command4"};
    forms::Label Label4{*this, L"Label4"};
    forms::Menu MNU_Exit{*this, L"MNU_Exit"};
    forms::Menu MNU_Setting{*this, L"MNU_Setting"};
    forms::Menu MNU_Class{*this, L"MNU_Class"};

    const SetStore& Store() const { return store_; }
    SetEditor& Editor() { return editor_; }

    // The chosen set, or nullptr when none is chosen or the grid cannot show it.
    const QuestionSet* ChosenSet() const;
    // The state of the box of choice c of question q (0 when there is no such box).
    int BoxState(int question, int choice) const;

  private:
    void Design();
    void Form_Load();
    void BuildAnswerGrid();
    void FitColumnsToWindow();
    double FitQuestionLabels();
    void ShowQuestionSet(int questions);
    void VScroll1_Change();
    void ShowRowsInView();
    void Combo1_Click();
    void Check1_Click(int index);
    void Command1_Click();
    void Command2_Click(int index);
    void Command3_Click();
    void MNU_Setting_Click();
    void Restart();
    // The first question with more than one marked box, 0 when none.
    int InvalidQuestion(const QuestionSet& set) const;
    // The class (class_recording.cpp).
    void DesignClassControls();
    void Text2_Change();
    void Command4_Click();
    void MNU_Class_Click();
    std::wstring NameInResult(const std::wstring& name, const std::wstring& nextWord);
    bool NameFitsResult(const std::wstring& text);

    SetStore store_;
    SetEditor editor_{store_};
    bool suppressCheckClick_ = false;
    int shownQuestions_ = 0;  // the rows the chosen set uses
    int16_t exportFilterIndex_ = 0;
    ClassBook classBook_;
    ClassForm classForm_{classBook_, exportFilterIndex_};
};

}  // namespace quillard
