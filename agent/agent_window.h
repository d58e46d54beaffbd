// FRM_AGT1 "エージェント": the character on the desktop with its speech balloon, the
// minimise and launcher buttons, and the one-second tick that decides what it says.
#pragma once

#include <cstdint>
#include <string>

#include "agent/agent_shared.h"
#include "agent/balloon.h"
#include "agent/full_screen.h"
#include "agent/message_window.h"
#include "agent/window_shape.h"
#include "core/runtime.h"
#include "forms/forms.h"

namespace agent {

// The agent window's place, for the settings file.
class FormFrame : public AgentWindowFrame {
  public:
    explicit FormFrame(forms::Form& form) : form_(form) {}
    double Left() const override { return form_.Left(); }
    double Top() const override { return form_.Top(); }
    double Width() const override { return form_.Width(); }
    double Height() const override { return form_.Height(); }
    void MoveTo(double left, double top) override {
        form_.Move(left, top, form_.Width(), form_.Height());
    }

  private:
    forms::Form& form_;
};

class FRM_AGT1 : public forms::Form, public AgentWindow {
  public:
    explicit FRM_AGT1(AgentState& state);

    // ---- AgentWindow
    forms::Form& Window() override { return *this; }
    AgentState& State() override { return state_; }
    TrayHooks& Hooks() override { return hooks_; }
    AgentWindowFrame& Frame() override { return frame_; }
    void BuildLaunchers() override;
    void LaunchSlot(int slot) override;
    void SetLauncherToolTips() override;
    void SetTicking(bool ticking) override;
    void BringToFront(bool activate) override;
    void UnloadMessageWindow() override { messageWindow_.Unload(); }

    // One tick: hold time, clock line, the minute's messages, due message boxes.
    void AgentTick();
    FRM_AGT4& MessageWindow() { return messageWindow_; }
    const WindowShape& Shape() const { return shape_; }
    int16_t HoldSeconds() const { return holdSeconds_; }

    forms::ControlArray<forms::PictureBox> Picture1{*this, L"Picture1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::CommandButton CMD_Min{*this, L"CMD_Min"};
    forms::ControlArray<forms::CommandButton> CMD_Launch{*this, L"CMD_Launch"};
    forms::ControlArray<forms::PictureBox> PIC_Cmd_L{*this, L"PIC_Cmd_L"};
    forms::Timer Timer1{*this, L"Timer1"};

  private:
    void FormLoad();
    core::DateTime AgentNow() const;
    void LoadData();
    void LayoutAgentWindow(int tail);
    void DrawAgentBalloon(forms::PictureBox& box, int tail);
    void LoadCharacterPictures();
    void KeepWindowOnScreen();
    bool SteppingAside(const core::DateTime& now);
    void EvaluateMinute(const core::DateTime& now, int16_t& picture);
    void RefreshClockLine();
    void ShowDueMessageBox(const core::DateTime& now, int16_t picture);
    void ShowPicture(int16_t picture);
    void WriteBalloon(const std::wstring& text);
    void Announce();
    bool Busy() const;
    void SetMinimised(bool minimised);

    AgentState& state_;
    TrayHooks hooks_;
    FormFrame frame_{*this};
    FRM_AGT4 messageWindow_;
    WindowShape shape_;
    StepAside aside_;
    core::Random random_;
    bool picturesInUse_ = false;
    bool picturesReported_ = false;

    int16_t holdSeconds_ = -1;
    int64_t evaluatedMinute_ = -1;  // MinuteStamp of the last minute evaluated
    bool announcing_ = false;       // the balloon shows an announcement, not the normal view
    std::wstring clockText_;
    std::wstring headline_;
    std::wstring extraMessage_;
    std::wstring normalText_;
    std::size_t headLength_ = 0;
};

}  // namespace agent
