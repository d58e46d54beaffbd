// The window of a list box or a combo box.
#pragma once

#include "win32/control_window.h"

namespace win32 {

class ListWindow : public ControlWindow {
  public:
    ListWindow(Win32Host& host, forms::Control& control);
    ~ListWindow() override;
    ListWindow(const ListWindow&) = delete;
    ListWindow& operator=(const ListWindow&) = delete;

  private:
    bool Combo() const { return control_.Kind() == forms::ControlKind::ComboBox; }
    WindowStyle Style() const override;
    void Attach() override;
    RECT Placement() const override;
    void ApplyText() override;
    void ApplyItems() override;
    void ApplyListIndex() override;
    void OnCommand(WORD code) override;
    void ApplyKindLook() override { FitHorizontalExtent(); }
    LONG WidestItem() const;
    void FitDroppedWidth();
    void FitHorizontalExtent();
    HWND InputWindow() const override;
    WNDPROC OriginalProc(HWND window) const override;
    LRESULT OnTyped(HWND window, int16_t key, LPARAM lParam) override;
    bool OnKindMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) override {
        return window == editChild_ && OnImeInput(window, message, wParam, lParam, result);
    }

    HWND editChild_ = nullptr;  // the edit part of an editable combo box
    WNDPROC originalEdit_ = nullptr;
};

}  // namespace win32
