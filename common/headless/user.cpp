#include "headless/user.h"

#include <stdexcept>

#include "core/text.h"
#include "headless/test_host.h"

namespace headless {

namespace {

template <class F>
void Act(F&& action) {
    try {
        action();
    } catch (const ProgramEnded&) {
        // The program ended inside the action; the host remembers it.
    }
}

void Require(bool condition, const forms::Control& control, const char* what) {
    if (!condition) {
        throw std::logic_error(std::string(what) + ": " + core::ToUtf8(control.Name()));
    }
}

void RequireReachable(const forms::Control& control) {
    const forms::Form& form = control.Parent();
    Require(form.Loaded() && form.Visible(), control, "the control's form is not shown");
    Require(control.ShownInForm(), control, "the control is hidden");
    for (const forms::Control* c = &control; c != nullptr; c = c->Container()) {
        Require(c->Enabled(), control, "the control is disabled");
    }
}

void RequireShown(const forms::Form& form) {
    if (!form.Loaded() || !form.Visible()) {
        throw std::logic_error("the form is not shown: " + core::ToUtf8(form.Name()));
    }
}

bool TakesFocus(const forms::Control& control) {
    switch (control.Kind()) {
        case forms::ControlKind::Label:
        case forms::ControlKind::Frame:
        case forms::ControlKind::Line:
        case forms::ControlKind::Timer:
        case forms::ControlKind::Menu:
            return false;
        default:
            return true;
    }
}

void Raise(const forms::MouseHandler& handler, int button, int shift, float x, float y) {
    if (handler) {
        handler(button, shift, x, y);
    }
}

// What a text box does with a key that passed the filters.
void Edit(forms::TextBox& box, int16_t key) {
    if (box.Locked()) {
        return;
    }
    if (key == forms::kKeyBack) {
        if (box.SelLength() == 0 && box.SelStart() > 0) {
            box.Select(box.SelStart() - 1, 1);
        }
        box.ReplaceSelection(L"");
    } else if (key == forms::kKeyReturn) {
        if (box.MultiLine()) {
            box.ReplaceSelection(L"\r\n");
        }
    } else if (uint16_t(key) >= 32) {  // characters from U+8000 up arrive negative
        box.ReplaceSelection(std::wstring(1, wchar_t(uint16_t(key))));
    }
}

void TypeKeys(forms::Form& form, forms::Control* target, std::wstring_view keys) {
    for (wchar_t c : keys) {
        const int16_t key = form.FilterKeyPress(target, int16_t(c));
        if (key != 0 && target != nullptr && target->Kind() == forms::ControlKind::TextBox &&
            target->Parent().Loaded()) {
            Edit(static_cast<forms::TextBox&>(*target), key);
        } else if (key == forms::kKeyReturn && target != nullptr &&
                   target->Kind() == forms::ControlKind::CommandButton && target->Enabled()) {
            forms::Control::Raise(target->Click);  // Enter presses the focused button
        }
        if (!form.Loaded()) {
            return;
        }
    }
}

}  // namespace

void Focus(forms::Control& control) {
    Act([&] {
        RequireReachable(control);
        if (TakesFocus(control)) {
            control.Parent().NoteActivated();
            control.Parent().NoteFocus(&control);
        }
    });
}

void Click(forms::Control& control) {
    Act([&] {
        RequireReachable(control);
        forms::Form& form = control.Parent();
        form.NoteActivated();
        if (TakesFocus(control)) {
            form.NoteFocus(&control);
        }
        Raise(control.MouseDown, forms::kLeftButton, 0, 0, 0);
        Raise(control.MouseUp, forms::kLeftButton, 0, 0, 0);
        switch (control.Kind()) {
            case forms::ControlKind::CheckBox: {
                auto& box = static_cast<forms::CheckBox&>(control);
                box.SetValue(box.Value() == 0 ? 1 : 0);
                break;
            }
            case forms::ControlKind::OptionButton:
                static_cast<forms::OptionButton&>(control).SetValue(true);
                break;
            default:
                forms::Control::Raise(control.Click);
                break;
        }
    });
}

void DoubleClick(forms::Control& control) {
    Click(control);
    Act([&] { forms::Control::Raise(control.DblClick); });
}

void Click(forms::Form& form) {
    Act([&] {
        RequireShown(form);
        form.NoteActivated();
        Raise(form.MouseDown, forms::kLeftButton, 0, 0, 0);
        Raise(form.MouseUp, forms::kLeftButton, 0, 0, 0);
        forms::Control::Raise(form.Click);
    });
}

void DoubleClick(forms::Form& form) {
    Click(form);
    Act([&] { forms::Control::Raise(form.DblClick); });
}

void Type(forms::Control& control, std::wstring_view keys) {
    Act([&] {
        RequireReachable(control);
        forms::Form& form = control.Parent();
        form.NoteActivated();
        form.NoteFocus(&control);
        TypeKeys(form, &control, keys);
    });
}

void Type(forms::Form& form, std::wstring_view keys) {
    Act([&] {
        RequireShown(form);
        form.NoteActivated();
        TypeKeys(form, form.ActiveControl(), keys);
    });
}

void PressKey(forms::Control& control, int16_t keyCode, int shift) {
    Act([&] {
        RequireReachable(control);
        forms::Form& form = control.Parent();
        form.NoteActivated();
        form.NoteFocus(&control);
        form.FilterKeyDown(&control, keyCode, shift);
    });
}

void ChooseMenu(forms::Menu& item) {
    Act([&] {
        forms::Form& form = item.Parent();
        if (!form.Loaded()) {
            throw std::logic_error("the menu's form is not loaded");
        }
        for (const forms::Menu* m = &item; m != nullptr; m = m->ParentMenu()) {
            Require(m->Enabled(), item, "the menu item is disabled");
        }
        Require(item.Visible(), item, "the menu item is hidden");
        Require(!item.IsSeparator(), item, "a separator cannot be chosen");
        form.NoteMenuChosen(item);
    });
}

void ChooseItem(forms::ListControl& list, int index) {
    Act([&] {
        RequireReachable(list);
        if (index < 0 || index >= list.ListCount()) {
            throw std::logic_error("no such list entry");
        }
        list.Parent().NoteActivated();
        list.Parent().NoteFocus(&list);
        list.SetListIndex(index);
    });
}

void EditCombo(forms::ComboBox& combo, std::wstring text) {
    Act([&] {
        RequireReachable(combo);
        combo.Parent().NoteFocus(&combo);
        combo.UserEdited(std::move(text));
    });
}

void Scroll(forms::VScrollBar& bar, int value) {
    Act([&] {
        RequireReachable(bar);
        bar.SetValue(value);
    });
}

void DropFiles(forms::Control& control, const std::vector<std::wstring>& files) {
    Act([&] {
        RequireReachable(control);
        if (control.Kind() == forms::ControlKind::TextBox &&
            !static_cast<forms::TextBox&>(control).AcceptsFiles()) {
            throw std::logic_error("the text box does not accept files");
        }
        if (control.DropFiles) {
            control.DropFiles(files);
        }
    });
}

void MouseDown(forms::Control& control, int button, float x, float y) {
    Act([&] {
        RequireReachable(control);
        control.Parent().NoteActivated();
        Raise(control.MouseDown, button, 0, x, y);
    });
}

void MouseMove(forms::Control& control, int button, float x, float y) {
    Act([&] {
        RequireReachable(control);
        Raise(control.MouseMove, button, 0, x, y);
    });
}

void MouseUp(forms::Control& control, int button, float x, float y) {
    Act([&] {
        RequireReachable(control);
        Raise(control.MouseUp, button, 0, x, y);
    });
}

void MouseDown(forms::Form& form, int button, float x, float y) {
    Act([&] {
        RequireShown(form);
        form.NoteActivated();
        Raise(form.MouseDown, button, 0, x, y);
    });
}

void MouseMove(forms::Form& form, int button, float x, float y) {
    Act([&] {
        RequireShown(form);
        Raise(form.MouseMove, button, 0, x, y);
    });
}

void MouseUp(forms::Form& form, int button, float x, float y) {
    Act([&] {
        RequireShown(form);
        Raise(form.MouseUp, button, 0, x, y);
    });
}

void Drag(forms::Control& control, int button, float fromX, float fromY, float toX, float toY) {
    MouseDown(control, button, fromX, fromY);
    MouseMove(control, button, toX, toY);
    MouseUp(control, button, toX, toY);
}

void NotifyIconEvent(forms::Form& form, int mouseMessage) {
    Act([&] {
        if (!form.Loaded()) {
            throw std::logic_error("the icon's form is not loaded");
        }
        const float x = float(mouseMessage * form.GetApp().TwipsPerPixelX() / form.ScaleFactorX());
        Raise(form.MouseMove, 0, 0, x, 0);
    });
}

void EndSession() {
    Act([] { forms::App::Current().NoteSessionEnd(); });
    static_cast<TestHost&>(forms::GetHost()).NoteEnded();
}

void RestartShell() {
    Act([] { static_cast<TestHost&>(forms::GetHost()).RestartShell(); });
}

void ActivateElsewhere() {
    Act([] { forms::App::Current().SetActiveForm(nullptr); });
}

void Activate(forms::Form& form) {
    Act([&] {
        RequireShown(form);
        form.NoteActivated();
    });
}

bool Close(forms::Form& form) {
    bool closed = false;
    Act([&] {
        if (!form.Loaded()) {
            throw std::logic_error("the form is not loaded");
        }
        closed = form.NoteCloseRequest();
    });
    return closed || !form.Loaded();
}

void MoveWindow(forms::Form& form, double left, double top, double width, double height) {
    Act([&] {
        RequireShown(form);
        form.NoteMoved(left, top, width, height);
    });
}

}  // namespace headless
