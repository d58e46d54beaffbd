#include "forms/controls.h"

#include <algorithm>

#include "forms/app.h"
#include "forms/form.h"

namespace forms {

// ---- CaptionedControl

void CaptionedControl::SetCaption(std::wstring caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    if (Kind() == ControlKind::Menu) {
        Parent().MenusChanged();
    } else {
        Notify(Aspect::Text);
    }
}

void CaptionedControl::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    caption_ = static_cast<const CaptionedControl&>(other).caption_;
}

// ---- Label

Label::Label(Form& form, std::wstring name)
    : CaptionedControl(form, std::move(name), ControlKind::Label) {}

void Label::SetAlignment(int alignment) {
    alignment_ = alignment;
    Notify(Aspect::Look);
}

void Label::SetUseMnemonic(bool use) {
    useMnemonic_ = use;
    Notify(Aspect::Look);
}

void Label::CopyDesignFrom(const Control& other) {
    CaptionedControl::CopyDesignFrom(other);
    alignment_ = static_cast<const Label&>(other).alignment_;
    useMnemonic_ = static_cast<const Label&>(other).useMnemonic_;
}

// ---- CommandButton

CommandButton::CommandButton(Form& form, std::wstring name)
    : CaptionedControl(form, std::move(name), ControlKind::CommandButton) {}

void CommandButton::SetPicture(const Image& picture) {
    picture_ = picture;
    Notify(Aspect::Picture);
}

void CommandButton::CopyDesignFrom(const Control& other) {
    CaptionedControl::CopyDesignFrom(other);
    picture_ = static_cast<const CommandButton&>(other).picture_;
}

// ---- CheckBox

CheckBox::CheckBox(Form& form, std::wstring name)
    : CaptionedControl(form, std::move(name), ControlKind::CheckBox) {}

void CheckBox::SetValue(int value) {
    value = std::clamp(value, 0, 2);
    if (value_ == value) {
        return;
    }
    value_ = value;
    Notify(Aspect::Value);
    Raise(Click);
}

void CheckBox::CopyDesignFrom(const Control& other) {
    CaptionedControl::CopyDesignFrom(other);
    value_ = static_cast<const CheckBox&>(other).value_;
}

// ---- OptionButton

OptionButton::OptionButton(Form& form, std::wstring name)
    : CaptionedControl(form, std::move(name), ControlKind::OptionButton) {}

void OptionButton::SetValue(bool value) {
    if (!value) {
        if (value_) {
            value_ = false;
            Notify(Aspect::Value);
        }
        return;
    }
    for (Control* c : Parent().Controls()) {
        if (c != this && c->Kind() == ControlKind::OptionButton && c->Container() == Container()) {
            auto* other = static_cast<OptionButton*>(c);
            if (other->value_) {
                other->value_ = false;
                other->Notify(Aspect::Value);
            }
        }
    }
    const bool changed = !value_;
    value_ = true;
    if (changed) {
        Notify(Aspect::Value);
    }
    Raise(Click);
}

// ---- Frame

Frame::Frame(Form& form, std::wstring name)
    : CaptionedControl(form, std::move(name), ControlKind::Frame) {}

// ---- TextBox

TextBox::TextBox(Form& form, std::wstring name)
    : Control(form, std::move(name), ControlKind::TextBox) {
    SetBackColor(kWhite);
}

void TextBox::SetText(std::wstring text) {
    if (text_ == text) {
        return;
    }
    text_ = std::move(text);
    selStart_ = 0;
    selLength_ = 0;
    Notify(Aspect::Text);
    Raise(Change);
}

void TextBox::SetMaxLength(int maxLength) {
    maxLength_ = std::max(0, maxLength);
    Notify(Aspect::Text);
}

void TextBox::SetLocked(bool locked) {
    locked_ = locked;
    Notify(Aspect::Look);
}

std::wstring TextBox::SelText() const {
    return text_.substr(size_t(selStart_), size_t(selLength_));
}

void TextBox::Clamp() {
    const int length = int(text_.size());
    selStart_ = std::clamp(selStart_, 0, length);
    selLength_ = std::clamp(selLength_, 0, length - selStart_);
}

void TextBox::SetSelStart(int start) {
    selStart_ = start;
    selLength_ = 0;
    Clamp();
    Notify(Aspect::Selection);
}

void TextBox::SetSelLength(int length) {
    selLength_ = length;
    Clamp();
    Notify(Aspect::Selection);
}

void TextBox::Select(int start, int length) {
    selStart_ = start;
    selLength_ = length < 0 ? int(text_.size()) : length;
    Clamp();
    Notify(Aspect::Selection);
}

void TextBox::ReplaceSelection(std::wstring_view text) {
    Clamp();
    std::wstring inserted(text);
    if (maxLength_ > 0) {
        const int room = maxLength_ - (int(text_.size()) - selLength_);
        inserted.resize(size_t(std::clamp(room, 0, int(inserted.size()))));
    }
    std::wstring edited = text_;
    edited.replace(size_t(selStart_), size_t(selLength_), inserted);
    const int caret = selStart_ + int(inserted.size());
    if (edited == text_) {
        Select(caret, 0);
        return;
    }
    // The caret is after the insertion when Change runs, as after the user's own edit; the
    // handler may move it or put the text back.
    text_ = std::move(edited);
    selStart_ = caret;
    selLength_ = 0;
    Notify(Aspect::Text);
    Raise(Change);
    Notify(Aspect::Selection);
}

void TextBox::UserEdited(std::wstring text, int selStart, int selLength) {
    selStart_ = selStart;
    selLength_ = selLength;
    if (text_ != text) {
        text_ = std::move(text);
        Clamp();
        Raise(Change);
    }
    Clamp();
}

void TextBox::UserSelected(int selStart, int selLength) {
    selStart_ = selStart;
    selLength_ = selLength;
    Clamp();
}

void TextBox::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    const auto& box = static_cast<const TextBox&>(other);
    text_ = box.text_;
    maxLength_ = box.maxLength_;
    multiLine_ = box.multiLine_;
    scrollBars_ = box.scrollBars_;
    richEdit_ = box.richEdit_;
    locked_ = box.locked_;
    acceptsFiles_ = box.acceptsFiles_;
}

// ---- Lists

void ListControl::AddItem(std::wstring item, int index) {
    if (index < 0 || index > int(items_.size())) {
        index = int(items_.size());
    }
    items_.insert(items_.begin() + index, std::move(item));
    if (listIndex_ >= index) {
        ++listIndex_;
    }
    Notify(Aspect::Items);
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= int(items_.size())) {
        return;
    }
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    Notify(Aspect::Items);
}

void ListControl::Clear() {
    items_.clear();
    listIndex_ = -1;
    Notify(Aspect::Items);
}

void ListControl::SetItems(std::vector<std::wstring> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    Notify(Aspect::Items);
}

void ListControl::SetList(int index, std::wstring item) {
    items_.at(size_t(index)) = std::move(item);
    Notify(Aspect::Items);
}

void ListControl::SetListIndex(int index) {
    if (index < -1 || index >= int(items_.size())) {
        index = -1;
    }
    if (listIndex_ == index) {
        return;
    }
    listIndex_ = index;
    Notify(Aspect::ListIndex);
    Raise(Click);
}

ListBox::ListBox(Form& form, std::wstring name)
    : ListControl(form, std::move(name), ControlKind::ListBox) {
    SetBackColor(kWhite);
}

ComboBox::ComboBox(Form& form, std::wstring name)
    : ListControl(form, std::move(name), ControlKind::ComboBox) {
    SetBackColor(kWhite);
}

void ComboBox::SetText(std::wstring text) {
    if (text_ == text) {
        return;
    }
    text_ = std::move(text);
    FollowText();
    Notify(Aspect::Text);
    Raise(Change);
}

void ComboBox::SetListIndex(int index) {
    if (index >= 0 && index < int(items_.size())) {
        text_ = items_[size_t(index)];
    }
    ListControl::SetListIndex(index);
}

void ComboBox::UserEdited(std::wstring text) {
    if (text_ == text) {
        return;
    }
    text_ = std::move(text);
    FollowText();
    Raise(Change);
}

// An editable box's text selects the entry it equals and nothing when it equals none, as
// the system's box does; no Click is raised, as no entry was chosen from the list.
void ComboBox::FollowText() {
    if (style_ == 2) {
        return;
    }
    const auto entry = std::find(items_.begin(), items_.end(), text_);
    listIndex_ = entry == items_.end() ? -1 : int(entry - items_.begin());
}

// ---- VScrollBar

VScrollBar::VScrollBar(Form& form, std::wstring name)
    : Control(form, std::move(name), ControlKind::VScrollBar) {}

void VScrollBar::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    Notify(Aspect::Value);
    SetValue(value_);
}

void VScrollBar::SetValue(int value) {
    value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (value_ == value) {
        return;
    }
    value_ = value;
    Notify(Aspect::Value);
    Raise(Change);
}

void VScrollBar::SetSmallChange(int change) {
    smallChange_ = change;
    Notify(Aspect::Value);
}

void VScrollBar::SetLargeChange(int change) {
    largeChange_ = change;
    Notify(Aspect::Value);
}

// ---- Line

Line::Line(Form& form, std::wstring name) : Control(form, std::move(name), ControlKind::Line) {}

void Line::SetEnds(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    Notify(Aspect::Geometry);
}

void Line::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    const auto& line = static_cast<const Line&>(other);
    x1_ = line.x1_;
    y1_ = line.y1_;
    x2_ = line.x2_;
    y2_ = line.y2_;
}

// ---- Timer

Timer::Timer(Form& form, std::wstring name) : Control(form, std::move(name), ControlKind::Timer) {
    form.GetApp().AddTimer(*this);
}

Timer::~Timer() {
    Tick = nullptr;
    App& app = Parent().GetApp();
    interval_ = 0;
    app.GetHost().TimerChanged(*this);
    app.RemoveTimer(*this);
}

void Timer::SetInterval(int milliseconds) {
    interval_ = std::max(0, milliseconds);
    Parent().GetApp().GetHost().TimerChanged(*this);
}

bool Timer::Running() const {
    return Enabled() && interval_ > 0 && Parent().Loaded();
}

// ---- Menu

Menu::Menu(Form& form, std::wstring name, Menu* parentMenu)
    : CaptionedControl(form, std::move(name), ControlKind::Menu),
      parentMenu_(parentMenu),
      commandId_(form.NextMenuId()) {}

void Menu::SetParentMenu(Menu* parentMenu) {
    parentMenu_ = parentMenu;
    Parent().MenusChanged();
}

std::vector<Menu*> Menu::Items() const {
    std::vector<Menu*> items;
    for (Control* c : Parent().Controls()) {
        if (c->Kind() == ControlKind::Menu && static_cast<Menu*>(c)->parentMenu_ == this) {
            items.push_back(static_cast<Menu*>(c));
        }
    }
    return items;
}

void Menu::SetChecked(bool checked) {
    if (checked_ == checked) {
        return;
    }
    checked_ = checked;
    Parent().MenusChanged();
}

void Menu::CopyDesignFrom(const Control& other) {
    CaptionedControl::CopyDesignFrom(other);
    parentMenu_ = static_cast<const Menu&>(other).parentMenu_;
}

}  // namespace forms
