// The boundary between the forms model and the system that shows it: the Host gives every
// OS service the programs use, creates the peers that put forms and controls on screen,
// and the drawing surfaces of picture boxes. The Win32 backend implements it with real
// windows; the headless backend answers from a script a test sets up.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/font.h"
#include "core/geometry.h"
#include "core/runtime.h"
#include "forms/types.h"

namespace forms {

class Control;
class Form;
class Menu;
class Timer;

// What a running copy claims for itself (App::ClaimInstance).
enum class ClaimScope {
    ProgramFile,  // the program file: copies under other names run side by side
    Folder,       // the folder the program file is in
};

// What changed in the model, so a peer brings its window up to date.
enum class Aspect {
    Geometry,  // left, top, width, height (or a form's window state)
    Text,      // caption or text
    Visible,
    Enabled,
    Look,       // colours, font, border style, appearance, alignment
    Value,      // check state, option value, scroll value and range
    Items,      // list entries
    ListIndex,  // selected list entry
    Selection,  // text selection
    ZOrder,
    Picture,  // picture box drawing or a button's picture
    ToolTip,
    Menus,  // any menu item of the form
    Icon,
};

// A window behind a control or form.
class Peer {
  public:
    virtual ~Peer() = default;
    virtual void Apply(Aspect aspect) = 0;
    virtual NativeHandle Handle() const = 0;
    virtual void Focus() = 0;
};

// The extra window operations of a top-level form.
class FormPeer : public Peer {
  public:
    virtual void SetRegion(const Region* region) = 0;  // nullptr: the whole window again
    virtual void SetTopmost(bool topmost) = 0;
    virtual void Activate() = 0;
    // Lets the user drag the window with the mouse button held, as if by its caption.
    virtual void BeginDrag() = 0;
};

// A picture box's persistent drawing, in pixels. Lines include both end points; boxes and
// filled boxes include both corners.
class Surface {
  public:
    virtual ~Surface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Changes the size; what fits of the old drawing stays, new area takes background.
    virtual void Resize(int width, int height, Color background) = 0;
    virtual void Clear(Color background) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, Color color, int width) = 0;
    virtual void FillBox(int x1, int y1, int x2, int y2, Color color) = 0;
    // A circle of radius r around (cx, cy): outline in color, inside in fill when given.
    virtual void Circle(int cx, int cy, int r, Color color, int width,
                        std::optional<Color> fill) = 0;
    // Fills the polygon (winding rule).
    virtual void Polygon(const std::vector<Point>& points, Color fill) = 0;
    virtual void Text(int x, int y, std::wstring_view text, const Font& font, Color color) = 0;
    virtual TextExtent MeasureText(std::wstring_view text, const Font& font) const = 0;
    virtual void Draw(const Image& image, int x, int y) = 0;
    virtual Image Read() const = 0;
};

struct ScreenInfo {
    int widthPixels = 1024;
    int heightPixels = 768;
    core::TwipsPerPixel tpp;
    core::SystemMetrics metrics;
    int smallIconWidth = 16;      // SM_CXSMICON
    int smallIconHeight = 16;     // SM_CYSMICON
    int widthMillimetres = 270;   // physical size (HORZSIZE)
    int heightMillimetres = 203;  // VERTSIZE
    Color windowColor = kWhite;   // the system's window background colour
    Color windowTextColor = kBlack;
};

// The window the user works in, as a program that may step aside for it sees it.
struct ForegroundWindow {
    // A window of another program that is neither the desktop nor one of the shell's own
    // windows (task bar, desktop background); false also when no window has the foreground.
    bool otherProgram = false;
    Rect clientArea;  // its client area, in screen pixels
};

struct ProgramInfo {
    std::wstring directory;  // without trailing separator, except a drive root such as C:\ .
    std::wstring exeName;    // file name without extension
    std::wstring title;      // the program's own name, which a renamed file keeps
    int major = 1;
    int minor = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // ---- Backend: peers, surfaces, timers, event loop
    // nullptr when the backend keeps no window for it (the model then is the whole truth).
    virtual std::unique_ptr<FormPeer> CreateFormPeer(Form& form) = 0;
    virtual std::unique_ptr<Peer> CreateControlPeer(Control& control) = 0;
    virtual std::unique_ptr<Surface> CreateSurface() = 0;
    // Called whenever a timer's interval or enabled state or its form's load state changed.
    virtual void TimerChanged(Timer& timer) = 0;
    // Runs until the form is hidden or unloaded.
    virtual void RunModal(Form& form) = 0;
    // Handles all pending events and returns.
    virtual void DoEvents() = 0;
    // Shows the menu's items as a pop-up at the mouse; the chosen item's Click has run when
    // this returns.
    virtual void PopupMenu(Form& form, Menu& menu) = 0;
    // Ends the program at once.
    [[noreturn]] virtual void EndProgram() = 0;
    // Claims the program file or its folder for the running copy (see
    // App::ClaimInstance); false when another running copy keeps it longer than the wait.
    virtual bool ClaimInstance(int waitMilliseconds, ClaimScope scope) = 0;
    // Gives the claim up; nothing when not holding it.
    virtual void ReleaseInstance() = 0;

    // ---- System
    virtual ScreenInfo Screen() const = 0;
    virtual ProgramInfo Program() const = 0;
    virtual int16_t OsPlatform() const = 0;  // 1: Windows 95 family, 2: NT family
    virtual core::DateTime Now() const = 0;
    virtual std::wstring ClipboardText() = 0;
    virtual void SetClipboardText(std::wstring_view text) = 0;
    virtual void Beep() = 0;
    // Plays a wave file asynchronously; false when it could not be played.
    virtual bool PlaySoundFile(std::wstring_view path) = 0;
    // Opens a file or program with the shell (ShellExecute, no verb, normal window); the
    // shell's result: above 32 on success.
    virtual intptr_t ShellOpen(Form* owner, std::wstring_view file, std::wstring_view params,
                               std::wstring_view directory) = 0;
    // 0 on success, else the shell's result. recycle: only 1 selects the recycle bin.
    virtual int16_t ShellDelete(Form* owner, std::wstring_view path, int16_t recycle,
                                int16_t confirm) = 0;
    // A BMP, GIF, JPEG or PNG file; nullopt when it cannot be read.
    virtual std::optional<Image> LoadPictureFile(std::wstring_view path) = 0;
    // The shell's small icon for the file's type (the file need not exist), drawn on a
    // background colour.
    virtual Image FileTypeIcon(std::wstring_view path, Color background) = 0;
    // Screen pixels, in pixels of the primary screen.
    virtual Image ReadScreen(int x, int y, int width, int height) = 0;
    virtual ForegroundWindow Foreground() = 0;
    // Each monitor's rectangle in screen pixels, the primary monitor first.
    virtual std::vector<Rect> Monitors() = 0;
    // The user's list of programs started with Windows, one entry by name (on Windows the
    // values of HKCU\Software\Microsoft\Windows\CurrentVersion\Run): the entry's text,
    // nullopt when there is none.
    virtual std::optional<std::wstring> StartUpEntry(std::wstring_view name) = 0;
    // Writes the entry, or removes it when text is nullopt (removing a missing entry
    // succeeds); false when the list could not be changed.
    virtual bool SetStartUpEntry(std::wstring_view name,
                                 const std::optional<std::wstring>& text) = 0;

    // ---- Dialogs; owner may be nullptr
    virtual int ShowMessageBox(Form* owner, std::wstring_view text, std::wstring_view caption,
                               uint32_t style) = 0;
    virtual std::wstring OpenFileDialog(Form* owner, std::wstring_view filter,
                                        std::wstring_view initialDir, int16_t& filterIndex) = 0;
    virtual std::wstring SaveFileDialog(Form* owner, std::wstring_view filter,
                                        std::wstring_view initialDir, std::wstring_view defaultName,
                                        std::wstring_view defaultExt, int16_t& filterIndex) = 0;
    // The chosen colour, or -1 when cancelled.
    virtual int32_t ColorDialog(Form* owner, Color initial) = 0;
    // 0 when confirmed (font then holds the choice), -1 when cancelled.
    virtual int16_t FontDialog(Form* owner, core::FontSpec& font) = 0;
    // NIM_ADD 0, NIM_MODIFY 1, NIM_DELETE 2; icon 0 = the form's own icon. 0 or -1.
    // Icons added here are added again by the backend when the shell restarts.
    virtual int16_t NotifyIcon(Form& form, uint32_t message, std::wstring_view tip,
                               NativeHandle icon) = 0;
};

}  // namespace forms
