// The class window (Form3, "集計 - " + set title): every recorded pupil of the chosen set
// with the score, the figures of each question and of the class, deleting a pupil's
// record and writing the class table.
#pragma once

#include <cstdint>
#include <string>

#include "class_book.h"
#include "class_stats.h"
#include "forms/forms.h"
#include "question_sets.h"

namespace quillard {

class ClassForm : public forms::Form {
  public:
    // The type of the save dialog is the one the answer sheet's export remembers.
    ClassForm(ClassBook& book, int16_t& exportFilterIndex);

    forms::Label Label1{*this, L"Label1"};              // the class's figures
    forms::Label Label2{*this, L"Label2"};              // 受験者
    forms::ListBox List1{*this, L"List1"};              // the pupils
    forms::Label Label3{*this, L"Label3"};              // 問題ごと
    forms::TextBox Text1{*this, L"Text1"};              // the questions' figures, one line each
    forms::CommandButton Command1{*this, L"Command1"};  // 削除
    forms::CommandButton Command2{*this, L"Command2"};  // 出力
    forms::CommandButton Command3{*this, L"Command3"};  // 閉じる

    // Shows the window modally for the set.
    void Open(const QuestionSet& set);

  private:
    void Design();
    void Form_Resize();
    void Fill();
    void Command1_Click();
    void Command2_Click();

    ClassBook& book_;
    int16_t& exportFilterIndex_;
    const QuestionSet* set_ = nullptr;
    ClassResult result_;
};

// The window's texts, one line each: a pupil's entry ("name  score / n  percentage%", the
// names padded to the longest), the question table (header, then one line per question)
// and the class's figures.
std::vector<std::wstring> PupilEntries(const ClassResult& result, int questions);
std::wstring QuestionTable(const QuestionSet& set, const ClassResult& result);
std::wstring ClassFigures(const ClassResult& result);

}  // namespace quillard
