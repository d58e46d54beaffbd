// The options dialog (Form3): saving at the end of an edit, deleting to the recycle bin,
// and the font and colours of new notes.
#pragma once

#include "forms/forms.h"

namespace pindorel {

class Notes;

// The options dialog (Form3).
class OptionsForm : public forms::Form {
  public:
    explicit OptionsForm(Notes& notes);

    forms::CheckBox Check2{*this, L"Check2"};
    forms::CheckBox Check1{*this, L"Check1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::ControlArray<forms::CommandButton> Command2{*this, L"Command2"};
    forms::CommandButton Command3{*this, L"Command3"};
    forms::ControlArray<forms::CommandButton> Command1{*this, L"Command1"};

  private:
    void Form_Load();
    void Command1_Click(int index);
    void Command2_Click(int index);
    void Command3_Click();

    Notes& notes_;
    forms::Font factoryFont_;
    forms::Color factoryBack_ = 0;
    forms::Color factoryFore_ = 0;
};

}  // namespace pindorel
