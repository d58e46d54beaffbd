// Ordinell's window: five rows of parts, the start/stop button, and the output box.
#pragma once

#include <string>

#include "forms/forms.h"
#include "run_params.h"

namespace ordinell {

// Captions of Command1, which also tell the state: idle or running.
inline constexpr std::wstring_view kStartCaption = L"開始(&S)";
inline constexpr std::wstring_view kStopCaption = L"中止(&C)";

inline constexpr std::wstring_view kAboveLargestMessage = L"2147483646 以下の値を入力して下さい。";
inline constexpr std::wstring_view kBelowSmallestMessage =
    L"-2147483648 以上の値を入力して下さい。";
inline constexpr std::wstring_view kStopQuestion = L"処理を中止しますか?";

// The message for a run whose output would not fit in the output box.
std::wstring TooLargeMessage();

class MainForm : public forms::Form {
  public:
    MainForm();

    forms::ControlArray<forms::CheckBox> Check1{*this, L"Check1"};
    forms::ControlArray<forms::TextBox> Text1{*this, L"Text1"};
    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::ControlArray<forms::TextBox> Text2{*this, L"Text2"};
    forms::ControlArray<forms::CheckBox> Check2{*this, L"Check2"};
    forms::CommandButton Command1{*this, L"Command1"};
    forms::PictureBox Picture1{*this, L"Picture1"};
    // The output box, inside Picture1 over its whole client area.
    forms::TextBox Output{*this, L"Output"};
    forms::Menu MNU_Exit{*this, L"MNU_Exit"};
    forms::Menu MNU_Edit{*this, L"MNU_Edit"};
    forms::Menu MNU_Edit_All{*this, L"MNU_Edit_All", &MNU_Edit};

    bool Running() const { return Command1.Caption() == kStopCaption; }

  private:
    void BuildRows();
    void Form_Load();
    void Command1_Click();
    void StartRun();
    void AskToStop();
    RunParams ReadRunParams() const;
    // Why a run with the boxes' present values cannot start; empty when it can.
    std::wstring Refusal() const;
    // The run goes on after its pass through the event loop: not stopped, window open.
    bool KeepRunning() const;

    // A run's loop is on the stack: it may have been stopped but not yet have returned
    // from its pass through the event loop, and it still holds its buffers.
    bool runOnStack_ = false;
    // A start asked for while a stopped run was still unwinding; it begins once that run
    // has returned.
    bool startWhenUnwound_ = false;
};

}  // namespace ordinell
