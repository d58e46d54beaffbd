// The window of a text box: a standard edit box, or a rich-edit box for long texts.
#pragma once

#include "win32/control_window.h"
#include "win32/typing.h"

namespace win32 {

class EditWindow : public ControlWindow {
  public:
    EditWindow(Win32Host& host, forms::Control& control);
    ~EditWindow() override { imeClosed_.Restore(); }

  private:
    forms::TextBox& Box() const { return static_cast<forms::TextBox&>(control_); }
    WindowStyle Style() const override;
    HWND MakeWindow(const WindowStyle& style) override;
    void Attach() override;
    void Created() override;
    void ApplyText() override;
    void ApplyKindLook() override;
    void ApplySelection() override;
    void OnCommand(WORD code) override;
    LRESULT OnTyped(HWND window, int16_t key, LPARAM lParam) override;
    bool OnKindMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) override;
    void SyncSelection() override;
    bool RaisesDoubleClick() const override { return true; }
    void ApplyTextLimit();
    // Destroys the window and creates it anew from the model, in the same place among its
    // siblings (a rich-edit box's quick way to drop a long text).
    void ReplaceWindow();

    ClosedInputMethod imeClosed_;  // a box for digits only
};

}  // namespace win32
