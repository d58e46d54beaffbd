// A form: a top-level window with its controls, menus and events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/drawing.h"
#include "forms/host.h"
#include "forms/types.h"

namespace forms {

class App;
class Menu;

// A program's form derives from Form, creates its controls as members (their declaration
// order is the control order), sets their design in its constructor and assigns handlers.
// Geometry is in twips: Left/Top/Width/Height are the outer window, ScaleWidth/ScaleHeight
// the client area in the form's scale units. A form can be drawn on like a picture box.
class Form : public Drawing {
  public:
    explicit Form(std::wstring name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::wstring& Name() const { return name_; }
    App& GetApp() const { return app_; }

    // ---- Life cycle
    // Creates the windows (hidden) and raises Load. Loading a loaded form does nothing.
    void Load();
    // Loads if needed and shows. A modal show returns when the form is hidden or unloaded.
    // A modal form belongs to its opener: owner when given, else the program's active form.
    // The opener stays below it; when it closes, the opener is active again.
    void Show(bool modal = false, Form* owner = nullptr);
    // Shows the form without activating it: a window put up beside the one in use.
    void ShowInactive();
    bool ShowingInactive() const { return showingInactive_; }
    void Hide();
    // Raises Unload; unless a handler cancels, destroys the windows. True when unloaded.
    bool Unload();
    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    bool Modal() const { return modal_; }
    // While shown modally: the form that opened it (nullptr when none was active).
    Form* Opener() const { return opener_; }

    // ---- Properties
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v) { Move(v, top_, width_, height_); }
    void SetTop(double v) { Move(left_, v, width_, height_); }
    void SetWidth(double v) { Move(left_, top_, v, height_); }
    void SetHeight(double v) { Move(left_, top_, width_, v); }
    // Raises Resize when the size changes on a loaded form.
    void Move(double left, double top, double width, double height);
    // 0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool window, 5 sizable tool.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    forms::WindowState WindowState() const { return windowState_; }
    void SetWindowState(forms::WindowState state);
    // The client area in pixels.
    int PixelWidth() const override;
    int PixelHeight() const override;
    // The form's window sees keys before its controls.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color color) { foreColor_ = color; }
    bool ShowInTaskbar() const { return showInTaskbar_; }
    void SetShowInTaskbar(bool show) { showInTaskbar_ = show; }
    // Design-time: a sizable form (style 2) without control box and with an empty caption
    // has no title bar; it can then be sized down to its frame.
    bool ControlBox() const { return controlBox_; }
    void SetControlBox(bool controlBox) { controlBox_ = controlBox; }
    bool HasTitleBar() const;
    // 0: the program's icon.
    NativeHandle Icon() const { return icon_; }
    void SetIcon(NativeHandle icon);
    const forms::Font& Font() const { return font_; }
    void SetFont(const forms::Font& font) { font_ = font; }

    // ---- Window operations
    // The system chooses where a new window appears (its Left and Top are then the
    // system's); set before the form loads. Otherwise the window appears at Left and Top.
    bool PlacedBySystem() const { return placedBySystem_; }
    void SetPlacedBySystem(bool placed) { placedBySystem_ = placed; }
    bool Topmost() const { return topmost_; }
    void SetTopmost(bool topmost);
    // Shapes the window; nullptr gives the whole window back.
    void SetRegion(const Region* region);
    const std::optional<Region>& WindowRegion() const { return region_; }
    // Brings the window to the front and activates it.
    void Activate();
    // Starts a drag of the window by the mouse (the left button being held).
    void BeginDrag();
    void PopupMenu(Menu& menu);
    NativeHandle Handle() const;
    FormPeer* GetPeer() const { return peer_.get(); }

    // ---- Controls
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* Find(std::wstring_view name, int index = -1) const;
    Control* ActiveControl() const { return activeControl_; }
    // The first menu item of the form (and its menu state) for frame measuring.
    std::vector<Menu*> TopMenus() const;

    // ---- Events
    // (Load, Activate, Unload and Resize are named On... beside the methods of those names.)
    Handler OnLoad;
    Handler OnActivate;
    Handler OnDeactivate;
    Handler OnResize;
    // Set cancel to non-zero to keep the form loaded.
    std::function<void(int16_t& cancel)> OnUnload;
    KeyHandler KeyPress;
    KeyDownHandler KeyDown;
    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;
    Handler Click;
    Handler DblClick;

    // ---- For backends (and the headless user driver): what the user did.
    // The key filters: the form first when KeyPreview, then the control. Returns the key
    // that remains (0: swallowed).
    int16_t FilterKeyPress(Control* target, int16_t key);
    int16_t FilterKeyDown(Control* target, int16_t keyCode, int shift);
    void NoteFocus(Control* control);
    void NoteActivated();
    void NoteDeactivated();
    // The window was moved or sized by the user (outer twips).
    void NoteMoved(double left, double top, double width, double height);
    void NoteWindowState(forms::WindowState state);
    // The user closed the window (close box). Returns false when Unload was cancelled.
    bool NoteCloseRequest();
    void NoteMenuChosen(Menu& menu);

    // ---- For controls
    void Register(Control& control);
    void Unregister(Control& control);
    void MenusChanged();
    int64_t NextZStamp(bool front);
    int NextMenuId() { return nextMenuId_++; }

  protected:
    Color DrawingBackColor() const override { return backColor_; }
    Color DrawingForeColor() const override { return foreColor_; }
    const forms::Font& DrawingFont() const override { return font_; }
    void DrawingChanged() override;

  private:
    core::FrameExtra FrameExtra() const;
    void RunModal();
    void Realize(Control& control);
    void Release();

    App& app_;
    std::wstring name_;
    bool loaded_ = false;
    bool shownSinceLoad_ = false;
    bool visible_ = false;
    bool modal_ = false;
    Form* opener_ = nullptr;
    std::wstring caption_;
    double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    int borderStyle_ = 2;
    forms::WindowState windowState_ = forms::WindowState::Normal;
    bool keyPreview_ = false;
    Color backColor_ = 0xF0F0F0;
    Color foreColor_ = kBlack;
    bool showInTaskbar_ = true;
    bool controlBox_ = true;
    bool showingInactive_ = false;
    NativeHandle icon_ = 0;
    forms::Font font_;
    bool topmost_ = false;
    bool placedBySystem_ = false;
    std::optional<Region> region_;
    std::vector<Control*> controls_;
    Control* activeControl_ = nullptr;
    int64_t frontStamp_ = 0, backStamp_ = 0;
    int nextMenuId_ = 1000;
    std::unique_ptr<FormPeer> peer_;
    friend class Control;
};

}  // namespace forms
