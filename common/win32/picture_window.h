// The window of a picture box (the suite's own window class, showing the box's drawing
// surface) and of a label (a standard static control).
#pragma once

#include "win32/control_window.h"

namespace win32 {

class PictureWindow : public ControlWindow {
  public:
    PictureWindow(Win32Host& host, forms::Control& control);
    static void RegisterWindowClass();

  private:
    forms::PictureBox& Picture() const { return static_cast<forms::PictureBox&>(control_); }
    WindowStyle Style() const override;
    void Attach() override {}  // the window is ours: nothing to subclass
    void ApplyKindLook() override;
    void ApplyPicture() override { Repaint(FALSE); }
    bool RaisesDoubleClick() const override { return true; }
    float EventX(int pixels) const override;
    float EventY(int pixels) const override;
    static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

class LabelWindow : public ControlWindow {
  public:
    LabelWindow(Win32Host& host, forms::Control& control);

  private:
    WindowStyle Style() const override { return {L"STATIC", SS_NOTIFY}; }
    void ApplyText() override;
    void ApplyKindLook() override;
    void OnCommand(WORD code) override;
};

}  // namespace win32
