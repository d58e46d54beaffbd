// The window of a vertical scroll bar.
#pragma once

#include "win32/control_window.h"

namespace win32 {

class ScrollBarWindow : public ControlWindow {
  public:
    ScrollBarWindow(Win32Host& host, forms::Control& control);

  private:
    forms::VScrollBar& Bar() const { return static_cast<forms::VScrollBar&>(control_); }
    WindowStyle Style() const override { return {L"SCROLLBAR", SBS_VERT | WS_TABSTOP}; }
    void ApplyValue() override;
    void OnScroll(WORD code) override;
};

}  // namespace win32
