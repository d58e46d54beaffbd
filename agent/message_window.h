// FRM_AGT4: the window that shows one timed message until its button is pressed.
#pragma once

#include "forms/forms.h"

namespace agent {

class FRM_AGT4 : public forms::Form {
  public:
    FRM_AGT4();

    // Shows the text, centred on the screen, above other windows and active.
    void ShowMessage(const std::wstring& text);

    forms::Frame Frame1{*this, L"Frame1"};
    forms::Label Label1{*this, L"Label1"};
    forms::CommandButton Command1{*this, L"Command1"};

  private:
    void CentreOnScreen();
};

}  // namespace agent
