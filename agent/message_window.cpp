#include "agent/message_window.h"

#include <cmath>

namespace agent {

FRM_AGT4::FRM_AGT4() : Form(L"FRM_AGT4") {
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, 4920, 2310);
    Frame1.Move(120, 0, 4560, 1245);
    Label1.SetContainer(&Frame1);
    Label1.Move(120, 240, 4320, 900);
    Label1.SetCaption(L"ＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷＷ");
    Label1.SetUseMnemonic(false);  // a message's "&" shows as written ("Q&A")
    Command1.SetCaption(L"確認(&O)");
    Command1.Move(1800, 1395, 1200, 375);
    OnLoad = [this] { CentreOnScreen(); };
    OnActivate = [this] { CentreOnScreen(); };
    Command1.Click = [this] { Hide(); };
}

void FRM_AGT4::ShowMessage(const std::wstring& text) {
    Label1.SetCaption(text);
    Show();
    SetTopmost(true);
    Activate();
}

void FRM_AGT4::CentreOnScreen() {
    const forms::App& app = GetApp();
    Move(std::trunc((app.ScreenWidth() - Width()) / 2),
         std::trunc((app.ScreenHeight() - Height()) / 2), Width(), Height());
}

}  // namespace agent
