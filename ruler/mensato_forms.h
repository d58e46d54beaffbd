// Mensato's windows: the settings window (Form1) with the calibrations and the boxes, and
// the borderless ruler window (Form2) drawn to real size.
#pragma once

#include <string>
#include <vector>

#include "calibrations.h"
#include "forms/forms.h"
#include "proposal.h"
#include "ruler_layout.h"

namespace mensato {

inline constexpr std::wstring_view kInstruction =
    L"最初に、実物の物差しと画面の物差しを比較して、同じ大きさになるように、\r\n"
    L"「Twips」値を変更して下さい。（「Enter」で反映）\r\n\r\n"
    L"値が決まったら、「画面の大きさと解像度」の項目名を編集して、「登録」して下さい。\r\n\r\n"
    L"※この操作は、解像度毎に設定する必要が有ります。";
inline constexpr std::wstring_view kEnterNameMessage = L"登録名を入力して下さい。";
inline constexpr std::wstring_view kUnstorableNameMessage =
    L"この登録名は設定ファイルに保存できません。前後を引用符で囲まず、Shift-JIS "
    L"の文字で 255 バイト以内の名前を入力して下さい。";
inline constexpr std::wstring_view kEnterNumberMessage = L"数値を入力して下さい。";
inline constexpr std::wstring_view kRegisterQuestion = L"登録してよろしいですか?";
inline constexpr std::wstring_view kChooseEntryMessage = L"リストを選択して下さい。";
inline constexpr std::wstring_view kDeleteQuestion = L"削除してよろしいですか?";
inline constexpr std::wstring_view kReadFailedMessage = L"ファイルの読み込みを失敗しました Err=";
inline constexpr std::wstring_view kWriteFailedMessage = L"ファイルの書き込みを失敗しました Err=";

// Program-wide state.
struct Module1 {
    explicit Module1(std::wstring path) : settingsPath(std::move(path)) {}
    std::wstring settingsPath;
    std::vector<CalibrationEntry> calibrations;
    std::vector<CalibrationEntry> loadedCalibrations;
    int16_t currentEntry = 0;
    int32_t loadedCurrentEntry = 0;  // as stored, possibly naming no entry
    // The settings file was there at start but could not be read: what it holds is
    // unknown, so it is not written over at exit.
    bool settingsUnread = false;
    // The ruler in use: always one that fits, starting from the logical centimetre.
    float twipsPerCm = kLogicalTwipsPerCm;
    RulerShape shape;
};

// Mensato.ini beside the program.
std::wstring SettingsPath(const forms::App& app);

// The ruler window (Form2): nothing but the drawn scale; dragged by the mouse.
class RulerForm : public forms::Form {
  public:
    RulerForm();
    // Sizes the window (its top-left corner stays) and draws the scale.
    void DrawRuler(const RulerLayout& layout);
};

// The settings window (Form1).
class SettingsForm : public forms::Form {
  public:
    SettingsForm(Module1& module, RulerForm& ruler);

    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::ComboBox Combo1{*this, L"Combo1"};
    forms::ControlArray<forms::CommandButton> Command1{*this, L"Command1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::ControlArray<forms::TextBox> Text2{*this, L"Text2"};
    forms::CommandButton Command2{*this, L"Command2"};
    forms::CommandButton Command3{*this, L"Command3"};
    forms::Menu MNU_Exit{*this, L"MNU_Exit"};

  private:
    void BuildControls();
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    // Reads the calibrations; true when the settings file exists. A file that exists but
    // could not be read is reported.
    bool LoadRulerSettings();
    void SaveRulerSettings();
    void Combo1_Click();
    void ProposeForScreen();
    void RegisterCalibration();
    void DeleteCalibration();
    void SwitchOrientation();
    // Applies the three boxes with the given orientation; false (with a beep, the ruler
    // unchanged) when they give no ruler that fits.
    bool ApplyBoxes(Orientation orientation);
    bool ApplyBoxes() { return ApplyBoxes(module_.shape.orientation); }
    bool UseRuler(float twipsPerCm, const RulerShape& shape);
    // Runs Combo1_Click for entry k (1-based), also when it is selected already.
    void SelectEntry(int k);
    // The first entry whose name equals the trimmed list text, 1-based; 0 when none.
    int FindEntry() const;
    void CentreRuler();
    void Text1_KeyPress(int16_t& key);
    void Text2_KeyPress(int16_t& key);

    Module1& module_;
    RulerForm& ruler_;
};

// The whole program: its state and its two windows. Create it while a forms::App exists,
// then show form1.
class Mensato {
  public:
    explicit Mensato(const forms::App& app) : module(SettingsPath(app)) {}

    Module1 module;
    RulerForm form2;
    SettingsForm form1{module, form2};
};

}  // namespace mensato
