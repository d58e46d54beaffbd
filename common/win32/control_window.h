// The window behind one control: a standard control (subclassed so its keys, mouse and
// focus reach the model), or the suite's own picture box window. This class holds what
// every kind shares (creation, place, font and colours, tool tip, mouse and keys); each
// kind's own window derives from it (edit_window, list_window, button_window,
// picture_window, scroll_bar_window). A line control has no window of its own: its
// container draws it.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>

#include "forms/forms.h"

namespace win32 {

class Win32Host;

class ControlWindow : public forms::Peer {
  public:
    // The window for the control's kind, created.
    static std::unique_ptr<ControlWindow> Make(Win32Host& host, forms::Control& control);
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
    // Registers the suite's own window classes.
    static void RegisterClasses();

  protected:
    // Makes From find this peer for the window; Forget ends that.
    void Own(HWND window);
    static void Forget(HWND window);

    // What a kind's window is made of: its class (nullptr: no window) and styles.
    struct WindowStyle {
        const wchar_t* cls = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
    };

    ControlWindow(Win32Host& host, forms::Control& control);
    void Create();

    // ---- What each kind provides
    virtual WindowStyle Style() const { return {}; }
    virtual HWND MakeWindow(const WindowStyle& style);
    // After the window is made: subclassing and kind-specific set-up.
    virtual void Attach() { Subclass(window_); }
    // After the first Apply of every aspect.
    virtual void Created() {}
    virtual RECT Placement() const;  // the window's rectangle in its parent, in pixels
    virtual void ApplyText() {}
    virtual void ApplyKindLook() {}  // the kind's own styles, after font and colours
    virtual void ApplyValue() {}
    virtual void ApplyItems() {}
    virtual void ApplyListIndex() {}
    virtual void ApplySelection() {}
    virtual void ApplyPicture() {}
    virtual void OnCommand(WORD /*code*/) {}
    virtual void OnScroll(WORD /*code*/) {}
    // The window that takes the keyboard focus (the edit part of an editable combo box).
    virtual HWND InputWindow() const { return window_; }
    virtual WNDPROC OriginalProc(HWND /*window*/) const { return original_; }
    // A kind's own handling of a message, before the shared one; true when handled.
    virtual bool OnKindMessage(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/,
                               LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
    // A character typed into the window, after the model's filter let it through as key.
    virtual LRESULT OnTyped(HWND /*window*/, int16_t /*key*/, LPARAM /*lParam*/) { return 0; }
    // Copies the window's caret and selection to the model.
    virtual void SyncSelection() {}
    virtual bool RaisesDoubleClick() const { return false; }
    // Mouse position in the units of the control's events.
    virtual float EventX(int pixels) const;
    virtual float EventY(int pixels) const;

    // ---- Shared by the kinds
    HWND ParentWindow() const;
    bool Shows() const;
    void Repaint(BOOL erase);
    void RemoveToolTip();
    void Subclass(HWND window);
    LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    // A character the user entered: through the model's KeyPress filter, then OnTyped.
    LRESULT TypeChar(HWND window, wchar_t c, LPARAM lParam);
    // Characters an input method commits to an edit window (WM_IME_CHAR, and the result
    // string of WM_IME_COMPOSITION, which the edit control would otherwise insert itself)
    // go through TypeChar one by one, as typed ones do. True when handled.
    bool OnImeInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT HandleInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Win32Host& host_;
    forms::Control& control_;
    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    HBRUSH brush_ = nullptr;
    bool applying_ = false;  // the window is being set from the model: no events back

    void ApplyGeometry();

  private:
    void ApplyLook();
    void ApplyToolTip();
    TOOLINFOW ToolInfo() const;
    LRESULT OnColor(HDC dc);
    void RaiseMouse(const forms::MouseHandler& handler, WPARAM keys, LPARAM position) const;
    LRESULT OnMouseButton(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDropFiles(HDROP drop);

    HFONT font_ = nullptr;
    forms::Font fontMade_;    // the font font_ was made from
    bool toolAdded_ = false;  // the tool tip window holds a tool for this window
};

// Rounds a length in twips to pixels.
int ToPixels(double twips, double tpp);
// The whole text of a window.
std::wstring WindowText(HWND window);

}  // namespace win32
