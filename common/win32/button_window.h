// The window of a command button, check box, option button or frame (a group box).
#pragma once

#include "win32/control_window.h"

namespace win32 {

class ButtonWindow : public ControlWindow {
  public:
    ButtonWindow(Win32Host& host, forms::Control& control);
    ~ButtonWindow() override;
    ButtonWindow(const ButtonWindow&) = delete;
    ButtonWindow& operator=(const ButtonWindow&) = delete;

  private:
    WindowStyle Style() const override;
    void ApplyText() override;
    void ApplyValue() override;
    void ApplyPicture() override;
    void OnCommand(WORD code) override;
    bool OnKindMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) override;
    LRESULT OnTyped(HWND window, int16_t key, LPARAM lParam) override;

    HBITMAP buttonBitmap_ = nullptr;
};

}  // namespace win32
