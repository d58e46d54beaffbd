// The hidden controller (Form1) with the notification icon and its menu, and the zero-size
// helper shown around the icon's actions (frmDUMMY).
#pragma once

#include <cstdint>

#include "forms/forms.h"

namespace pindorel {

class Notes;

// The zero-size window shown around the icon's clicks (frmDUMMY).
class DummyForm : public forms::Form {
  public:
    DummyForm();
};

// The hidden controller (Form1): owns the icon and its menu; its load is the start-up and
// its unload the exit of the program.
class ControllerForm : public forms::Form {
  public:
    explicit ControllerForm(Notes& notes);

    forms::Menu MNU_Popup{*this, L"MNU_Popup"};
    forms::Menu MNU_Tag_New{*this, L"MNU_Tag_New", &MNU_Popup};
    forms::Menu MNU_Clip_Paste{*this, L"MNU_Clip_Paste", &MNU_Popup};
    forms::Menu MNU_Tag_Pipe1{*this, L"MNU_Tag_Pipe1", &MNU_Popup};
    forms::Menu MNU_Tag_Left{*this, L"MNU_Tag_Left", &MNU_Popup};
    forms::Menu MNU_Tag_Right{*this, L"MNU_Tag_Right", &MNU_Popup};
    forms::Menu MNU_Tag_Pipe2{*this, L"MNU_Tag_Pipe2", &MNU_Popup};
    forms::Menu MNU_Option{*this, L"MNU_Option", &MNU_Popup};
    forms::Menu MNU_StartUp{*this, L"MNU_StartUp", &MNU_Popup};
    forms::Menu MNU_Pipe{*this, L"MNU_Pipe", &MNU_Popup};
    forms::Menu MNU_Exit{*this, L"MNU_Exit", &MNU_Popup};

  private:
    void Form_Load();
    void Form_Unload(int16_t& cancel);
    void Form_MouseMove(float x);
    void MNU_Clip_Paste_Click();

    Notes& notes_;
    bool started_ = false;  // the icon is registered and this copy owns the folder
};

}  // namespace pindorel
