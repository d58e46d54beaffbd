// The launcher settings dialog: the five launcher slots (program path and title) and
// whether the titles pop up.
#pragma once

#include <functional>

#include "agent/settings.h"
#include "forms/forms.h"

namespace agent {

class LauncherDialog : public forms::Form {
  public:
    // launchersChanged runs after OK has stored new slots: it rebuilds the launcher
    // buttons and menu items and their tooltips.
    LauncherDialog(AgentSettings& settings, const AgentEnvironment& environment,
                   std::function<void()> launchersChanged);

    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::ControlArray<forms::TextBox> Text2{*this, L"Text2"};
    forms::ControlArray<forms::CommandButton> Command3{*this, L"Command3"};
    forms::ControlArray<forms::TextBox> Text1{*this, L"Text1"};
    forms::CheckBox Check1{*this, L"Check1"};
    forms::ControlArray<forms::CommandButton> Command1{*this, L"Command1"};

  private:
    void Form_Load();
    void Command1_Click(int index);
    void Command3_Click(int index);
    void Text2_DropFiles(int index, const std::vector<std::wstring>& files);
    bool CleanAndCheckPaths();
    bool CheckStorableTexts();
    void StoreSlots();

    AgentSettings& settings_;
    const AgentEnvironment& environment_;
    std::function<void()> launchersChanged_;
};

}  // namespace agent
