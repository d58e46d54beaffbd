// A form that holds one control of every kind with Japanese captions, for screenshots.
#pragma once

#include "forms/forms.h"

namespace gallery {

class GalleryForm : public forms::Form {
  public:
    GalleryForm();

    forms::Label Label1{*this, L"Label1"};
    forms::CommandButton Command1{*this, L"Command1"};
    forms::CheckBox Check1{*this, L"Check1"};
    forms::CheckBox Check2{*this, L"Check2"};
    forms::Frame Frame1{*this, L"Frame1"};
    forms::ControlArray<forms::OptionButton> Option1{*this, L"Option1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::TextBox Text2{*this, L"Text2"};
    forms::ListBox List1{*this, L"List1"};
    forms::ComboBox Combo1{*this, L"Combo1"};
    forms::ComboBox Combo2{*this, L"Combo2"};
    forms::PictureBox Picture1{*this, L"Picture1"};
    forms::VScrollBar VScroll1{*this, L"VScroll1"};
    forms::Line Line1{*this, L"Line1"};
    forms::Timer Timer1{*this, L"Timer1"};
    forms::Label Label2{*this, L"Label2"};
    forms::Menu MNU_File{*this, L"MNU_File"};
    forms::Menu MNU_Open{*this, L"MNU_Open", &MNU_File};
    forms::Menu MNU_Pipe1{*this, L"MNU_Pipe1", &MNU_File};
    forms::Menu MNU_Exit{*this, L"MNU_Exit", &MNU_File};
    forms::Menu MNU_View{*this, L"MNU_View"};
    forms::Menu MNU_Front{*this, L"MNU_Front", &MNU_View};

  private:
    void DrawPicture();
    int ticks_ = 0;
};

}  // namespace gallery
