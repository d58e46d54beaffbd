// Lindrow's windows: the main window with the three levels, Go and Stop, and the options
// dialog where the levels' counts are set.
#pragma once

#include <string>

#include "core/profile.h"
#include "forms/forms.h"
#include "level_counts.h"

namespace lindrow {

// Program-wide state: the settings file and the counts of the three levels.
struct Module1 {
    explicit Module1(std::wstring settingsPath) : settings(std::move(settingsPath)) {}
    core::ProfileFile settings;
    LevelCounts levelCounts{};
};

// Lindrow.ini beside the program.
std::wstring SettingsPath(const forms::App& app);

// "Ver." then the last five characters of five spaces, major, "." and minor as two digits:
// version 1.1 is "Ver. 1.01".
std::wstring VersionText(int major, int minor);

// Options dialog (Form2): the three counts, confirmed with OK.
class OptionsForm : public forms::Form {
  public:
    explicit OptionsForm(Module1& module);

    forms::Frame Frame1{*this, L"Frame1"};
    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::ControlArray<forms::TextBox> Text1{*this, L"Text1"};
    forms::CommandButton Command1{*this, L"Command1"};
    forms::Label LBL_Version{*this, L"LBL_Version"};
    forms::Menu MNU_Cancel{*this, L"MNU_Cancel"};

  private:
    void Form_Load();
    void Form_KeyPress(int16_t& key);
    void Text1_KeyPress(int16_t& key);
    void Command1_Click();

    Module1& module_;
};

// Main window (Form1).
class MainForm : public forms::Form {
  public:
    MainForm(Module1& module, OptionsForm& options);

    forms::PictureBox Picture2{*this, L"Picture2"};
    forms::PictureBox Picture1{*this, L"Picture1"};
    forms::ControlArray<forms::OptionButton> Option1{*this, L"Option1"};
    forms::CommandButton Command1{*this, L"Command1"};
    forms::CommandButton Command2{*this, L"Command2"};
    forms::Timer Timer1{*this, L"Timer1"};
    forms::Menu MNU_Exit{*this, L"MNU_Exit"};
    forms::Menu MNU_Option{*this, L"MNU_Option"};

    // The level whose count each tick uses (index 0 to 2), taken when Go is pressed.
    int RunningLevel() const { return runningLevel_; }
    // Bursts done since start.
    long long Bursts() const { return bursts_; }

  private:
    void Form_Load();
    void Form_Unload();
    void LoadWindowSettings();
    void SaveWindowSettings();
    int SelectedLevel() const;
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

    Module1& module_;
    OptionsForm& options_;
    int runningLevel_ = 0;
    int32_t loadedLevelIndex_ = 0;
    int32_t loadedLeft_ = 0;
    int32_t loadedTop_ = 0;
    long long bursts_ = 0;
};

// The whole program: its state and its two windows. Create it while a forms::App exists,
// then show form1.
class Lindrow {
  public:
    explicit Lindrow(const forms::App& app) : module(SettingsPath(app)) {}

    Module1 module;
    OptionsForm form2{module};
    MainForm form1{module, form2};
};

}  // namespace lindrow
