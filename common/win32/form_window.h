// The top-level window behind a form: its frame, menu bar, pop-up menus, mouse and keys.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/forms.h"

namespace win32 {

class Win32Host;

class FormWindow : public forms::FormPeer {
  public:
    FormWindow(Win32Host& host, forms::Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void Apply(forms::Aspect aspect) override;
    forms::NativeHandle Handle() const override { return forms::NativeHandle(window_); }
    void Focus() override;
    void SetRegion(const forms::Region* region) override;
    void SetTopmost(bool topmost) override;
    void Activate() override;
    void BeginDrag() override;

    // Shows the menu's visible items at the mouse and runs the chosen item's Click.
    void TrackPopup(forms::Menu& menu);

    static void RegisterClasses();
    static FormWindow* From(HWND window);

    // Window styles for a border style 0..5 (style, extended style). A borderless form
    // that has menus, even hidden ones, still gets a caption, as its frame measure says.
    static std::pair<DWORD, DWORD> StylesFor(int borderStyle, bool hasMenus, bool titleBar = true);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyVisible();
    // The owner the window gets when shown: a modal form's opener, else the hidden owner
    // (kept out of the taskbar) or none.
    HWND OwnerWhenShown() const;
    void ApplyGeometry();
    RECT Placement() const;  // the window's rectangle on the screen, in pixels
    void ApplyStyle();
    void ApplyIcon();
    void RebuildMenuBar();
    HMENU BuildMenu(forms::Menu& parent, bool popup);
    void AppendItem(HMENU menu, forms::Menu& item);
    void NoteWindowRect();
    // Tells the model where the window is.
    void ReportWindowRect();
    // The item with the command number, or nullptr.
    forms::Menu* MenuWithId(UINT id) const;
    void RaiseMouse(const forms::MouseHandler& handler, int button, WPARAM keys, LPARAM position);

    Win32Host& host_;
    forms::Form& form_;
    HWND window_ = nullptr;
    HMENU menuBar_ = nullptr;
    bool applying_ = false;
};

}  // namespace win32
