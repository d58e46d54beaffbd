// The base of every control, and control arrays addressed by index.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/host.h"
#include "forms/types.h"

namespace forms {

class Form;

enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    OptionButton,
    TextBox,
    ListBox,
    ComboBox,
    PictureBox,
    Frame,
    VScrollBar,
    Line,
    Timer,
    Menu,
};

// Handler types. A key handler may set the key to 0 to swallow it, or change it.
using Handler = std::function<void()>;
using KeyHandler = std::function<void(int16_t& key)>;
using KeyDownHandler = std::function<void(int16_t& keyCode, int shift)>;
// button: kLeftButton... (held buttons for a move); x, y in the scale units of a picture
// box for its own events, else in the form's scale units, relative to the control.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using DropHandler = std::function<void(const std::vector<std::wstring>& files)>;

// A control belongs to one form, in the form's control order (the order of creation).
// Its geometry is in twips relative to its container (the form, a frame or a picture box).
class Control {
  public:
    Control(Form& form, std::wstring name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& Parent() const { return form_; }
    const std::wstring& Name() const { return name_; }
    int Index() const { return index_; }  // -1 when not part of a control array
    ControlKind Kind() const { return kind_; }

    // nullptr: the form itself.
    Control* Container() const { return container_; }
    void SetContainer(Control* container);

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v) { Move(v, top_, width_, height_); }
    void SetTop(double v) { Move(left_, v, width_, height_); }
    void SetWidth(double v) { Move(left_, top_, v, height_); }
    void SetHeight(double v) { Move(left_, top_, width_, v); }
    virtual void Move(double left, double top, double width, double height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Visible and every container up to the form visible too.
    bool ShownInForm() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag) { tag_ = std::move(tag); }
    const std::wstring& ToolTip() const { return toolTip_; }
    void SetToolTip(std::wstring text);

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color color);
    const forms::Font& Font() const { return font_; }
    void SetFont(const forms::Font& font);

    // 0: to the front of its container; 1: to the back.
    void ZOrder(int position = 0);
    int64_t ZStamp() const { return zStamp_; }  // larger is further in front

    void SetFocus();
    bool HasFocus() const;

    // The window behind the control (0 without one).
    NativeHandle Handle() const;
    Peer* GetPeer() const { return peer_.get(); }

    // Events. Every kind raises those that apply to it.
    Handler Click;
    Handler DblClick;
    Handler Change;
    Handler GotFocus;
    Handler LostFocus;
    KeyHandler KeyPress;
    KeyDownHandler KeyDown;
    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;
    DropHandler DropFiles;

    // A control marked so gets its window when it is first shown in its form (it and each of
    // its containers visible), not when the form loads; the controls inside it wait with it.
    // For forms holding thousands of controls of which few are ever seen at once.
    void SetWindowWhenShown(bool waits) { windowWhenShown_ = waits; }

    // ---- For backends and the model itself.
    // Creates the control's window when its form is loaded (and its container's first),
    // unless the window waits until the control is shown.
    void Realize();
    void AttachPeer(std::unique_ptr<Peer> peer);
    void DetachPeer();
    void Notify(Aspect aspect) const;
    // Runs the handler, if any.
    static void Raise(const Handler& handler);
    void SetIndex(int index) { index_ = index; }
    // Copies the design of another control of the same kind (for control array elements).
    virtual void CopyDesignFrom(const Control& other);
    // Twips of the control's position relative to the form's client area.
    double FormLeft() const;
    double FormTop() const;

  protected:
    Form& form_;

  private:
    bool WindowWaits() const;
    bool Inside(const Control& container) const;
    void RealizeShown();

    std::wstring name_;
    ControlKind kind_;
    int index_ = -1;
    Control* container_ = nullptr;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool windowWhenShown_ = false;
    std::wstring tag_;
    std::wstring toolTip_;
    Color backColor_ = 0xF0F0F0;
    Color foreColor_ = kBlack;
    forms::Font font_;
    int64_t zStamp_ = 0;
    std::unique_ptr<Peer> peer_;
};

class ControlArrayBase {
  public:
    virtual ~ControlArrayBase() = default;
};

// Controls of one name addressed by index. Elements are created with Load (the first at
// design time, more at run time as copies of the lowest element, hidden) and removed with
// Unload. The array's handlers receive the element's index.
template <class T>
class ControlArray : public ControlArrayBase {
  public:
    ControlArray(Form& form, std::wstring name) : form_(form), name_(std::move(name)) {}

    const std::wstring& Name() const { return name_; }

    // Creates element index. A run-time element copies the lowest element and starts hidden.
    // A container given puts the element in it from the start (its window is created there).
    T& Load(int index, Control* container = nullptr) {
        auto element = std::make_unique<T>(form_, name_);
        T& ref = *element;
        ref.SetIndex(index);
        if (!elements_.empty()) {
            ref.CopyDesignFrom(*elements_.begin()->second);
            ref.SetVisible(ref.Kind() == ControlKind::Menu);
        }
        if (container != nullptr) {
            ref.SetContainer(container);
        }
        Wire(ref, index);
        elements_[index] = std::move(element);
        ref.Realize();
        return ref;
    }
    void Unload(int index) { elements_.erase(index); }

    bool Exists(int index) const { return elements_.count(index) != 0; }
    T& operator[](int index) { return *elements_.at(index); }
    const T& operator[](int index) const { return *elements_.at(index); }
    int Count() const { return int(elements_.size()); }
    int LBound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
    int UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
    std::vector<int> Indices() const {
        std::vector<int> result;
        for (const auto& entry : elements_) {
            result.push_back(entry.first);
        }
        return result;
    }

    std::function<void(int index)> Click;
    std::function<void(int index)> DblClick;
    std::function<void(int index)> Change;
    std::function<void(int index)> GotFocus;
    std::function<void(int index)> LostFocus;
    std::function<void(int index, int16_t& key)> KeyPress;
    std::function<void(int index, int16_t& keyCode, int shift)> KeyDown;
    std::function<void(int index, int button, int shift, float x, float y)> MouseDown;
    std::function<void(int index, int button, int shift, float x, float y)> MouseMove;
    std::function<void(int index, int button, int shift, float x, float y)> MouseUp;
    std::function<void(int index, const std::vector<std::wstring>& files)> DropFiles;

  private:
    void Wire(T& element, int index) {
        auto plain = [index](const std::function<void(int)>* handler) {
            return [handler, index] {
                if (*handler) {
                    (*handler)(index);
                }
            };
        };
        element.Click = plain(&Click);
        element.DblClick = plain(&DblClick);
        element.Change = plain(&Change);
        element.GotFocus = plain(&GotFocus);
        element.LostFocus = plain(&LostFocus);
        element.KeyPress = [this, index](int16_t& key) {
            if (KeyPress) {
                KeyPress(index, key);
            }
        };
        element.KeyDown = [this, index](int16_t& keyCode, int shift) {
            if (KeyDown) {
                KeyDown(index, keyCode, shift);
            }
        };
        auto mouse = [index](const decltype(MouseDown)* handler) {
            return [handler, index](int button, int shift, float x, float y) {
                if (*handler) {
                    (*handler)(index, button, shift, x, y);
                }
            };
        };
        element.MouseDown = mouse(&MouseDown);
        element.MouseMove = mouse(&MouseMove);
        element.MouseUp = mouse(&MouseUp);
        element.DropFiles = [this, index](const std::vector<std::wstring>& files) {
            if (DropFiles) {
                DropFiles(index, files);
            }
        };
    }

    Form& form_;
    std::wstring name_;
    std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace forms
