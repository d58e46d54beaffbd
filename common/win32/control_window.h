// The window behind one control: a standard control (subclassed so its keys, mouse and
// focus reach the model), or the suite's own picture box window.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "forms/forms.h"

namespace win32 {

class Win32Host;

class ControlWindow : public forms::Peer {
  public:
    ControlWindow(Win32Host& host, forms::Control& control);
    ~ControlWindow() override;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    void Apply(forms::Aspect aspect) override;
    forms::NativeHandle Handle() const override;
    void Focus() override;

    // The peer of a control window (nullptr for other windows).
    static ControlWindow* From(HWND window);
    // Messages a container (form, frame, picture box) receives about its child controls:
    // commands, scrolling, colours. True when handled, with the result.
    static bool RouteChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Draws the form's line controls that lie in the given container (nullptr: the form).
    static void PaintLines(HDC dc, const forms::Form& form, const forms::Control* container);
    // Registers the picture box window class.
    static void RegisterClasses();

  private:
    void Create();
    HWND ParentWindow() const;
    void ApplyGeometry();
    RECT Placement() const;  // the window's rectangle in its parent, in pixels
    bool Shows() const;
    void Repaint(BOOL erase);
    void ApplyText();
    void ApplyTextLimit();
    void ApplyLook();
    void ApplyValue();
    void ApplyItems();
    void ApplySelection();
    void ApplyPicture();
    void ApplyToolTip();
    TOOLINFOW ToolInfo() const;
    void RemoveToolTip();
    // Destroys the window and creates it anew from the model, in the same place among its
    // siblings (a rich-edit box's quick way to drop a long text).
    void ReplaceWindow();
    void Subclass(HWND window);
    void OnCommand(WORD code);
    void OnScroll(WORD code);
    LRESULT OnColor(HDC dc);
    // Mouse position in the units of the control's events.
    float EventX(int pixels) const;
    float EventY(int pixels) const;
    void RaiseMouse(const forms::MouseHandler& handler, WPARAM keys, LPARAM position) const;
    void SyncSelection();
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    Win32Host& host_;
    forms::Control& control_;
    HWND window_ = nullptr;
    HWND editChild_ = nullptr;  // the edit part of an editable combo box
    WNDPROC original_ = nullptr;
    WNDPROC originalEdit_ = nullptr;
    HFONT font_ = nullptr;
    forms::Font fontMade_;  // the font font_ was made from
    HBRUSH brush_ = nullptr;
    HBITMAP buttonBitmap_ = nullptr;
    bool applying_ = false;
};

}  // namespace win32
