// The agent's notification side: the hidden window FRM_TTI that owns the notification
// icon and the pop-up menu, the invisible menu owner frmDUMMY, and the two settings
// dialogs the menu opens.
#pragma once

#include "agent/agent_shared.h"
#include "agent/detail_dialog.h"
#include "agent/launcher_dialog.h"
#include "agent/timetable_editor.h"
#include "forms/forms.h"

namespace agent {

// A window with no size that gives the pop-up menu a foreground owner while the agent
// window is hidden, so the menu closes when the user clicks elsewhere.
class DummyForm : public forms::Form {
  public:
    DummyForm();
};

class TrayForm : public forms::Form {
  public:
    // Sets the agent's tray hooks; the agent window loads this form at the end of its load.
    explicit TrayForm(AgentWindow& agent);

    forms::Menu MNU_Popup{*this, L"MNU_Popup"};
    forms::Menu MNU_Hide{*this, L"MNU_Hide", &MNU_Popup};
    forms::Menu MNU_P_Pipe1{*this, L"MNU_P_Pipe1", &MNU_Popup};
    forms::Menu MNU_Launcher{*this, L"MNU_Launcher", &MNU_Popup};
    forms::Menu MNU_Setting{*this, L"MNU_Setting", &MNU_Popup};
    forms::Menu MNU_Set_Launcher{*this, L"MNU_Set_Launcher", &MNU_Setting};
    forms::Menu MNU_Set_Detail{*this, L"MNU_Set_Detail", &MNU_Setting};
    forms::Menu MNU_Set_Text{*this, L"MNU_Set_Text", &MNU_Setting};
    forms::Menu MNU_Set_Timetable{*this, L"MNU_Set_Timetable", &MNU_Setting};
    forms::Menu MNU_P_Pipe3{*this, L"MNU_P_Pipe3", &MNU_Setting};
    forms::Menu MNU_Restart{*this, L"MNU_Restart", &MNU_Setting};
    forms::Menu MNU_FullScreenHide{*this, L"MNU_FullScreenHide", &MNU_Setting};
    forms::Menu MNU_StartUp{*this, L"MNU_StartUp", &MNU_Setting};
    forms::Menu MNU_Show{*this, L"MNU_Show", &MNU_Popup};
    forms::Menu MNU_P_Front{*this, L"MNU_P_Front", &MNU_Popup};
    forms::Menu MNU_P_Pipe2{*this, L"MNU_P_Pipe2", &MNU_Popup};
    forms::Menu MNU_P_Exit{*this, L"MNU_P_Exit", &MNU_Popup};
    // Item 0 "(なし)" under MNU_Launcher; one more per titled launcher slot.
    forms::ControlArray<forms::Menu> MNU_L_Col{*this, L"MNU_L_Col"};

    LauncherDialog& LauncherSettings() { return launcherDialog_; }
    DetailDialog& DetailSettings() { return detailDialog_; }
    TimetableEditor& TimetableSettings() { return timetableEditor_; }
    DummyForm& Dummy() { return dummy_; }

  private:
    void SetHooks();
    void Form_Load();
    void Form_Unload();
    void Form_MouseMove(float x);
    void IconLeftDown();
    void IconRightDown();
    bool Busy() const;
    void PopupMenuOver();
    // Pops MNU_Popup up with the start-up tick as the system's list has it now.
    void ShowPopup();
    void RebuildLauncherMenu(const LauncherTitles& titles);
    void SetMinimised(bool hidden);
    void MNU_Hide_Click();
    void MNU_Set_Text_Click();
    void MNU_Show_Click();
    void Restart();
    int SaveSettings();
    void SaveSettingsReporting();
    int16_t AddIcon();
    void RemoveIcon();
    // Runs a menu command; every command ends with the menu no longer in use.
    void Command(const std::function<void()>& action);

    AgentWindow& agent_;
    AgentOptions laidOut_;  // the options the agent window was built with
    int launcherItems_ = 0;
    bool startFailed_ = false;  // the icon could not be added: the program ends unsaved
    DummyForm dummy_;
    LauncherDialog launcherDialog_;
    DetailDialog detailDialog_;
    TimetableEditor timetableEditor_;
};

}  // namespace agent
