// The detail settings dialog: the balloon's side, size and gap to the buttons, the button
// row, pictures on or off, the announcement sound and how long a new message stays.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "agent/settings.h"
#include "forms/forms.h"

namespace agent {

struct DetailDialogLinks {
    // True when the catalogue names a normal character picture (otherwise the pictures
    // choice is hidden).
    std::function<bool()> hasNormalPicture;
    // Saves, starts a new copy of the program and ends this one; returns only when the
    // new copy could not be started.
    std::function<void()> restart;
};

class DetailDialog : public forms::Form {
  public:
    // laidOut: the options the agent window was built with this session; a change to any
    // of the layout options offers a restart.
    DetailDialog(AgentSettings& settings, const AgentEnvironment& environment,
                 const AgentOptions& laidOut, DetailDialogLinks links);

    forms::ControlArray<forms::Label> Label1{*this, L"Label1"};
    forms::PictureBox Picture2{*this, L"Picture2"};
    forms::ControlArray<forms::OptionButton> Option2{*this, L"Option2"};
    forms::ControlArray<forms::Label> Label2{*this, L"Label2"};
    forms::ControlArray<forms::TextBox> Text4{*this, L"Text4"};
    forms::TextBox Text5{*this, L"Text5"};
    forms::PictureBox Picture3{*this, L"Picture3"};
    forms::ControlArray<forms::OptionButton> Option3{*this, L"Option3"};
    forms::PictureBox Picture4{*this, L"Picture4"};
    forms::ControlArray<forms::OptionButton> Option4{*this, L"Option4"};
    forms::ControlArray<forms::Line> Line1{*this, L"Line1"};
    forms::PictureBox Picture1{*this, L"Picture1"};
    forms::ControlArray<forms::OptionButton> Option1{*this, L"Option1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::ControlArray<forms::CommandButton> Command3{*this, L"Command3"};
    forms::CommandButton Command4{*this, L"Command4"};
    forms::TextBox Text2{*this, L"Text2"};
    forms::TextBox Text3{*this, L"Text3"};
    forms::PictureBox Picture5{*this, L"Picture5"};
    forms::CommandButton Command2{*this, L"Command2"};
    forms::ControlArray<forms::CommandButton> Command1{*this, L"Command1"};

  private:
    // The three size boxes: balloon width, balloon height, gap to the buttons.
    enum SizeBox { kWidthBox, kHeightBox, kGapBox, kSizeBoxCount };

    void Design();
    void DesignRow(int label, double top, const wchar_t* caption);
    void DesignOptions(forms::PictureBox& panel, forms::ControlArray<forms::OptionButton>& options,
                       double top, std::initializer_list<const wchar_t*> captions,
                       double optionWidth);
    void Form_Load();
    void Form_Resize();
    void Option1_Click(int index);
    void DigitsOnly(int16_t& key);
    void Command1_Click(int index);
    void Command2_Click();
    void Command3_Click(int index);
    void Command4_Click();
    void ShowValues(const AgentOptions& options);
    void ShowSizes(int16_t width, int16_t height, int16_t gap);
    forms::TextBox& SizeBoxAt(int box);
    bool PathsAcceptable();
    bool SizesAcceptable();
    void StoreValues();
    bool NeedsRestart() const;

    AgentSettings& settings_;
    const AgentEnvironment& environment_;
    const AgentOptions& laidOut_;
    DetailDialogLinks links_;
    int factorX_ = 15;
    int factorY_ = 15;
    // The twips behind each size box and the text shown for them: a box whose text was
    // not edited keeps its twips exactly.
    std::array<int16_t, kSizeBoxCount> sizeTwips_{};
    std::array<std::wstring, kSizeBoxCount> sizeShown_{};
};

}  // namespace agent
