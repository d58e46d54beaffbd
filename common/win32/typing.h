// Characters typed into an edit box or the edit part of a combo box, after the model's
// key filter.
#pragma once

#include <windows.h>
// Declarations that build on windows.h.
#include <imm.h>

#include <cstdint>

namespace win32 {

// Passes a character the filter let through to the edit window's own procedure; Return in a
// single-line box and Escape are the form's keys and are not entered.
LRESULT PassTyped(HWND window, WNDPROC original, int16_t key, LPARAM lParam, bool multiLine);

// The input method of a box for digits: closed while the box has the focus, so that digits
// come as plain keys, and set back to what it was when the focus leaves or the box goes.
// The input method's on/off state belongs to the input context the program's windows share
// (and, on Windows, by default to all the user's windows), so the box hands it back as it
// found it. The box keeps its input context: an input method that composes all the same
// commits its text to the box, where the key filter keeps the digits.
class ClosedInputMethod {
  public:
    // Follows the box's focus: WM_SETFOCUS closes, WM_KILLFOCUS and WM_NCDESTROY restore.
    void OnMessage(HWND window, UINT message);
    // Sets back the state found when the box took the focus, if the box still holds it.
    void Restore();

  private:
    HIMC context_ = nullptr;  // the context the box closed, until it is restored
    bool wasOpen_ = false;
};

}  // namespace win32
