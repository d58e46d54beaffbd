// The standard control kinds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

// A control with a caption; "&" marks the access key ("&&" a literal ampersand).
class CaptionedControl : public Control {
  public:
    using Control::Control;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    void CopyDesignFrom(const Control& other) override;

  private:
    std::wstring caption_;
};

class Label : public CaptionedControl {
  public:
    Label(Form& form, std::wstring name);
    int Alignment() const { return alignment_; }  // 0 left, 1 right, 2 centre
    void SetAlignment(int alignment);
    // With UseMnemonic on (the default) an "&" in the caption underlines the next character;
    // off, a caption showing what the user typed shows every "&" as it is.
    bool UseMnemonic() const { return useMnemonic_; }
    void SetUseMnemonic(bool use);
    void CopyDesignFrom(const Control& other) override;

  private:
    int alignment_ = 0;
    bool useMnemonic_ = true;
};

class CommandButton : public CaptionedControl {
  public:
    CommandButton(Form& form, std::wstring name);
    const Image& Picture() const { return picture_; }
    // Shows the picture on the button instead of the caption (an empty image removes it).
    void SetPicture(const Image& picture);
    void CopyDesignFrom(const Control& other) override;

  private:
    Image picture_;
};

// Value 0 unchecked, 1 checked, 2 grey. Changing the value raises Click.
class CheckBox : public CaptionedControl {
  public:
    CheckBox(Form& form, std::wstring name);
    int Value() const { return value_; }
    void SetValue(int value);
    void CopyDesignFrom(const Control& other) override;

  private:
    int value_ = 0;
};

// Option buttons of one container form a group: turning one on turns the others off.
// Turning one on raises its Click.
class OptionButton : public CaptionedControl {
  public:
    OptionButton(Form& form, std::wstring name);
    bool Value() const { return value_; }
    void SetValue(bool value);

  private:
    bool value_ = false;
};

class Frame : public CaptionedControl {
  public:
    Frame(Form& form, std::wstring name);
};

class TextBox : public Control {
  public:
    TextBox(Form& form, std::wstring name);

    const std::wstring& Text() const { return text_; }
    // Raises Change when the text differs.
    void SetText(std::wstring text);

    int MaxLength() const { return maxLength_; }  // 0: no limit
    void SetMaxLength(int maxLength);
    // Multi-line, scroll bars and rich edit are fixed when the form loads.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }
    // 0 none, 1 horizontal, 2 vertical, 3 both.
    int ScrollBars() const { return scrollBars_; }
    void SetScrollBars(int scrollBars) { scrollBars_ = scrollBars; }
    // A rich-edit window (multi-line output box with its own scrolling) on Windows.
    bool RichEdit() const { return richEdit_; }
    void SetRichEdit(bool richEdit) { richEdit_ = richEdit; }
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    // Accepts files dropped from the shell (raising DropFiles).
    bool AcceptsFiles() const { return acceptsFiles_; }
    void SetAcceptsFiles(bool accepts) { acceptsFiles_ = accepts; }
    // A box for digits: the input method is off while it has the focus, so that digits
    // come out half-width.
    bool ImeOff() const { return imeOff_; }
    void SetImeOff(bool off) { imeOff_ = off; }

    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    std::wstring SelText() const;
    void SetSelStart(int start);
    void SetSelLength(int length);
    // Selects from start, length characters; length -1 selects to the end.
    void Select(int start, int length);
    // Replaces the selection with text (as typing or pasting does), within MaxLength.
    void ReplaceSelection(std::wstring_view text);

    // ---- For backends: the user changed the text or selection in the window.
    void UserEdited(std::wstring text, int selStart, int selLength);
    void UserSelected(int selStart, int selLength);
    void CopyDesignFrom(const Control& other) override;

  private:
    void Clamp();
    std::wstring text_;
    int maxLength_ = 0;
    bool multiLine_ = false;
    int scrollBars_ = 0;
    bool richEdit_ = false;
    bool locked_ = false;
    bool acceptsFiles_ = false;
    bool imeOff_ = false;
    int selStart_ = 0;
    int selLength_ = 0;
};

// Entries counted from 0; ListIndex -1 when none is selected. Selecting raises Click.
class ListControl : public Control {
  public:
    using Control::Control;
    void AddItem(std::wstring item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    // Replaces every entry at once, one change for the window however many there are;
    // nothing is selected afterwards.
    void SetItems(std::vector<std::wstring> items);
    int ListCount() const { return int(items_.size()); }
    const std::wstring& List(int index) const { return items_.at(size_t(index)); }
    void SetList(int index, std::wstring item);
    const std::vector<std::wstring>& Items() const { return items_; }
    int ListIndex() const { return listIndex_; }
    virtual void SetListIndex(int index);

  protected:
    std::vector<std::wstring> items_;
    int listIndex_ = -1;
};

class ListBox : public ListControl {
  public:
    ListBox(Form& form, std::wstring name);
};

// Style 0: editable drop-down (its text is free), 2: drop-down list (selection only).
class ComboBox : public ListControl {
  public:
    ComboBox(Form& form, std::wstring name);
    int Style() const { return style_; }  // fixed when the form loads
    void SetStyle(int style) { style_ = style; }
    // The edit text (style 0) or the selected entry.
    const std::wstring& Text() const { return text_; }
    // Raises Change when the text differs. An editable box's ListIndex follows the text:
    // the entry it equals, -1 when it equals none.
    void SetText(std::wstring text);
    void SetListIndex(int index) override;
    // ---- For backends: the user typed into the edit part (ListIndex follows as above).
    void UserEdited(std::wstring text);

  private:
    void FollowText();

    int style_ = 0;
    std::wstring text_;
};

// Changing the value raises Change.
class VScrollBar : public Control {
  public:
    VScrollBar(Form& form, std::wstring name);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    int SmallChange() const { return smallChange_; }
    int LargeChange() const { return largeChange_; }
    void SetRange(int min, int max);
    void SetValue(int value);
    void SetSmallChange(int change);
    void SetLargeChange(int change);

  private:
    int min_ = 0, max_ = 32767, value_ = 0, smallChange_ = 1, largeChange_ = 1;
};

// A line on the form; its ends in twips of the container.
class Line : public Control {
  public:
    Line(Form& form, std::wstring name);
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void SetEnds(double x1, double y1, double x2, double y2);
    Color BorderColor() const { return ForeColor(); }
    void CopyDesignFrom(const Control& other) override;

  private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

// Raises Tick every Interval milliseconds while enabled and its form is loaded;
// interval 0 stops it.
class Timer : public Control {
  public:
    Timer(Form& form, std::wstring name);
    ~Timer() override;
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    // Enabled also starts and stops the timer.
    bool Running() const;
    Handler Tick;

  private:
    int interval_ = 0;
};

// A menu item. Items without a parent are top-level: on the form's menu bar when visible,
// or used only as pop-up menus when hidden. A caption of "-" is a separator.
class Menu : public CaptionedControl {
  public:
    Menu(Form& form, std::wstring name, Menu* parentMenu = nullptr);
    Menu* ParentMenu() const { return parentMenu_; }
    void SetParentMenu(Menu* parentMenu);
    // The items directly under this one, in the form's control order.
    std::vector<Menu*> Items() const;
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return Caption() == L"-"; }
    // The item's command number on Windows (WM_COMMAND): 1000 plus the order in which the
    // form's menu items were created, so design-time items keep fixed numbers.
    int CommandId() const { return commandId_; }
    void CopyDesignFrom(const Control& other) override;

  private:
    Menu* parentMenu_ = nullptr;
    bool checked_ = false;
    int commandId_ = 0;
};

}  // namespace forms
