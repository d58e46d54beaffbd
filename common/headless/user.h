// A simulated person at the keyboard and mouse: each action goes through the same model
// paths as real window messages (key filters, focus, events). Acting on a control that a
// person could not reach (hidden, disabled, on an unloaded or hidden form) throws
// std::logic_error. When the program ends inside an action, the action returns and the
// host's Ended() is true.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/forms.h"

namespace headless {

// A click with the left button: focus, mouse down and up, then the control's action
// (a check box toggles, an option button turns on, a button raises Click).
void Click(forms::Control& control);
void DoubleClick(forms::Control& control);
// A click on the form's own surface.
void Click(forms::Form& form);
void DoubleClick(forms::Form& form);

// Types characters into the control that has (or gets) the focus: every key passes the
// form's preview and the control's key filter first. "\r" is Enter, "\x1b" Escape,
// "\b" Backspace. A text box then inserts what remains; Enter that remains presses a
// command button.
void Type(forms::Control& control, std::wstring_view keys);
// A key typed to the form itself (no control has the focus).
void Type(forms::Form& form, std::wstring_view keys);
// A key pressed (KeyDown with its virtual-key code), e.g. kKeyDelete in a list.
void PressKey(forms::Control& control, int16_t keyCode, int shift = 0);

// Chooses a menu item (its parents must be enabled too).
void ChooseMenu(forms::Menu& item);
// Selects a list entry with the mouse.
void ChooseItem(forms::ListControl& list, int index);
// Types text into the edit part of a combo box (replacing what was there).
void EditCombo(forms::ComboBox& combo, std::wstring text);
// Moves a scroll bar's thumb to a value.
void Scroll(forms::VScrollBar& bar, int value);
// Puts the focus on a control, as a click or Tab would.
void Focus(forms::Control& control);

// Files dropped from the shell.
void DropFiles(forms::Control& control, const std::vector<std::wstring>& files);

// Mouse at (x, y) in the target's event units: down, move(s) with the button held, up.
void MouseDown(forms::Control& control, int button, float x, float y);
void MouseMove(forms::Control& control, int button, float x, float y);
void MouseUp(forms::Control& control, int button, float x, float y);
void MouseDown(forms::Form& form, int button, float x, float y);
void MouseMove(forms::Form& form, int button, float x, float y);
void MouseUp(forms::Form& form, int button, float x, float y);
void Drag(forms::Control& control, int button, float fromX, float fromY, float toX, float toY);

// The notification icon's callback: a mouse message (513 left down, 515 left double
// click, 516 right down) arriving as the x coordinate, in pixels, of a mouse move.
void NotifyIconEvent(forms::Form& form, int mouseMessage);

// The user logs off or shuts the system down: the program's OnSessionEnd runs, then the
// system ends the program (host.Ended() is true) without unloading any form.
void EndSession();
// The shell restarts (TestHost::RestartShell).
void RestartShell();

// Another window (not the program's) becomes active.
void ActivateElsewhere();
// Activates one of the program's forms (a click on it).
void Activate(forms::Form& form);
// The close box. Returns true when the form unloaded.
bool Close(forms::Form& form);
// The user moves or sizes the window (outer twips).
void MoveWindow(forms::Form& form, double left, double top, double width, double height);

}  // namespace headless
