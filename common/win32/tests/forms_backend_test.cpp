// The Win32 backend: model controls as real windows, window messages reaching the model,
// menus, drawing read back as pixels, regions, timers and modal loops.
#include <gtest/gtest.h>
#include <windows.h>
// Declarations that build on windows.h.
#include <commctrl.h>
#include <richedit.h>
#include <shlobj.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "forms/forms.h"
#include "win32/win32_host.h"

namespace {

using namespace forms;

std::wstring ClassOf(NativeHandle handle) {
    wchar_t name[64] = {};
    GetClassNameW(HWND(handle), name, 64);
    return name;
}

std::wstring TextOf(NativeHandle handle) {
    wchar_t text[256] = {};
    GetWindowTextW(HWND(handle), text, 256);
    return text;
}

SIZE SizeOf(NativeHandle handle) {
    RECT rect;
    GetWindowRect(HWND(handle), &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

class SampleForm : public Form {
  public:
    SampleForm() : Form(L"Form1") {
        SetCaption(L"見本");
        SetBorderStyle(1);
        Move(0, 0, 7200, 5400);
        Label1.SetCaption(L"ラベル");
        Label1.Move(120, 120, 1500, 300);
        Command1.SetCaption(L"決定(&O)");
        Command1.Move(120, 480, 1500, 450);
        Check1.SetCaption(L"保存");
        Check1.Move(120, 1020, 1500, 300);
        Check1.SetValue(1);
        Frame1.SetCaption(L"方向");
        Frame1.Move(1800, 120, 2400, 900);
        for (int i = 0; i < 2; ++i) {
            OptionButton& option = Option1.Load(i);
            option.SetContainer(&Frame1);
            option.Move(120 + i * 1000, 360, 900, 300);
            option.SetVisible(true);
        }
        Option1[0].SetCaption(L"上");
        Option1[1].SetCaption(L"下");
        Text1.SetMaxLength(5);
        Text1.Move(120, 1440, 1500, 330);
        List1.Move(1800, 1200, 1500, 1200);
        List1.AddItem(L"国語");
        List1.AddItem(L"数学");
        List1.AddItem(L"理科");
        Combo1.SetStyle(2);
        Combo1.Move(3600, 1200, 1500, 330);
        Combo1.AddItem(L"一");
        Combo1.AddItem(L"二");
        Picture1.SetBorderStyle(0);
        Picture1.Move(120, 2640, 1500, 1500);
        VScroll1.Move(6600, 120, 255, 2400);
        VScroll1.SetRange(0, 50);
        VScroll1.SetSmallChange(5);
    }
    Label Label1{*this, L"Label1"};
    CommandButton Command1{*this, L"Command1"};
    CheckBox Check1{*this, L"Check1"};
    Frame Frame1{*this, L"Frame1"};
    ControlArray<OptionButton> Option1{*this, L"Option1"};
    TextBox Text1{*this, L"Text1"};
    ListBox List1{*this, L"List1"};
    ComboBox Combo1{*this, L"Combo1"};
    PictureBox Picture1{*this, L"Picture1"};
    VScrollBar VScroll1{*this, L"VScroll1"};
    Timer Timer1{*this, L"Timer1"};
    Menu MNU_File{*this, L"MNU_File"};
    Menu MNU_Save{*this, L"MNU_Save", &MNU_File};
    Menu MNU_Pipe{*this, L"MNU_Pipe", &MNU_File};
    Menu MNU_Exit{*this, L"MNU_Exit", &MNU_File};
    Menu MNU_Popup{*this, L"MNU_Popup"};
    Menu MNU_Copy{*this, L"MNU_Copy", &MNU_Popup};
};

class BackendTest : public ::testing::Test {
  protected:
    void SetUp() override { form.Show(); }
    int Px(double twips) const { return int(std::lround(twips / app.TwipsPerPixelX())); }

    win32::Win32Host host;
    App app{host};
    SampleForm form;
};

TEST_F(BackendTest, EveryControlKindIsARealWindowWithItsProperties) {
    EXPECT_EQ(ClassOf(form.Handle()), L"SuiteForm");
    EXPECT_EQ(TextOf(form.Handle()), L"見本");
    EXPECT_EQ(SizeOf(form.Handle()).cx, Px(7200));

    EXPECT_EQ(ClassOf(form.Label1.Handle()), L"Static");
    EXPECT_EQ(TextOf(form.Label1.Handle()), L"ラベル");
    EXPECT_EQ(ClassOf(form.Command1.Handle()), L"Button");
    EXPECT_EQ(TextOf(form.Command1.Handle()), L"決定(&O)");
    EXPECT_EQ(SizeOf(form.Command1.Handle()).cx, Px(1500));
    EXPECT_EQ(SizeOf(form.Command1.Handle()).cy, Px(450));
    EXPECT_EQ(SendMessageW(HWND(form.Check1.Handle()), BM_GETCHECK, 0, 0), BST_CHECKED);
    form.Check1.SetValue(2);
    EXPECT_EQ(SendMessageW(HWND(form.Check1.Handle()), BM_GETCHECK, 0, 0), BST_INDETERMINATE);

    // Option buttons live inside their frame's window.
    EXPECT_EQ(GetParent(HWND(form.Option1[1].Handle())), HWND(form.Frame1.Handle()));
    EXPECT_EQ(TextOf(form.Frame1.Handle()), L"方向");

    EXPECT_EQ(ClassOf(form.Text1.Handle()), L"Edit");
    EXPECT_EQ(SendMessageW(HWND(form.Text1.Handle()), EM_GETLIMITTEXT, 0, 0), 5);
    form.Text1.SetText(L"あいう");
    EXPECT_EQ(TextOf(form.Text1.Handle()), L"あいう");

    EXPECT_EQ(SendMessageW(HWND(form.List1.Handle()), LB_GETCOUNT, 0, 0), 3);
    form.List1.SetListIndex(2);
    EXPECT_EQ(SendMessageW(HWND(form.List1.Handle()), LB_GETCURSEL, 0, 0), 2);
    form.List1.RemoveItem(0);
    EXPECT_EQ(SendMessageW(HWND(form.List1.Handle()), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(HWND(form.List1.Handle()), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(HWND(form.Combo1.Handle()), CB_GETCOUNT, 0, 0), 2);

    EXPECT_EQ(ClassOf(form.VScroll1.Handle()), L"ScrollBar");
    form.VScroll1.SetValue(20);
    EXPECT_EQ(GetScrollPos(HWND(form.VScroll1.Handle()), SB_CTL), 20);

    form.Command1.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(HWND(form.Command1.Handle())));
    form.Label1.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(HWND(form.Label1.Handle())));
    form.Command1.SetToolTip(L"ヒント");
    EXPECT_EQ(form.Timer1.Handle(), 0u);  // timers and menus have no window of their own
}

TEST_F(BackendTest, ClicksAndKeysSentAsMessagesReachTheModel) {
    int clicks = 0;
    form.Command1.Click = [&] { ++clicks; };
    SendMessageW(HWND(form.Command1.Handle()), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    std::vector<int> optionClicks;
    form.Option1.Click = [&](int index) { optionClicks.push_back(index); };
    SendMessageW(HWND(form.Option1[1].Handle()), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.Option1[1].Value());
    EXPECT_FALSE(form.Option1[0].Value());
    EXPECT_EQ(optionClicks, std::vector<int>{1});
    SendMessageW(HWND(form.Check1.Handle()), BM_CLICK, 0, 0);
    EXPECT_EQ(form.Check1.Value(), 0);

    // The form sees keys first (it swallows "x"), then the box's filter (digits out,
    // letters upper-cased); what is left is typed into the window.
    form.SetKeyPreview(true);
    form.KeyPress = [](int16_t& key) {
        if (key == 'x') {
            key = 0;
        }
    };
    form.Text1.KeyPress = [](int16_t& key) {
        if (key >= '0' && key <= '9') {
            key = 0;
        } else if (key >= 'a' && key <= 'z') {
            key = int16_t(key - 'a' + 'A');
        }
    };
    // Characters from U+8000 up pass the filters as negative keys and are typed unchanged.
    for (wchar_t c : std::wstring(L"a1xbc電")) {
        SendMessageW(HWND(form.Text1.Handle()), WM_CHAR, c, 1);
    }
    EXPECT_EQ(TextOf(form.Text1.Handle()), L"ABC電");
    EXPECT_EQ(form.Text1.Text(), L"ABC電");
    EXPECT_EQ(form.Text1.SelStart(), 4);

    int listClicks = 0;
    form.List1.Click = [&] { ++listClicks; };
    SendMessageW(HWND(form.List1.Handle()), LB_SETCURSEL, 1, 0);
    SendMessageW(HWND(form.Handle()), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 LPARAM(form.List1.Handle()));
    EXPECT_EQ(form.List1.ListIndex(), 1);
    EXPECT_EQ(listClicks, 1);

    int changes = 0;
    form.VScroll1.Change = [&] { ++changes; };
    SendMessageW(HWND(form.Handle()), WM_VSCROLL, SB_LINEDOWN, LPARAM(form.VScroll1.Handle()));
    EXPECT_EQ(form.VScroll1.Value(), 5);
    EXPECT_EQ(changes, 1);

    std::vector<float> down;
    form.Picture1.MouseDown = [&](int button, int, float x, float y) {
        down = {float(button), x, y};
    };
    SendMessageW(HWND(form.Picture1.Handle()), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    EXPECT_EQ(down, (std::vector<float>{float(kRightButton), float(10 * app.TwipsPerPixelX()),
                                        float(20 * app.TwipsPerPixelY())}));
}

// A container marked to wait gets its window, and those of the controls inside it, only when
// it is first shown; a control hidden inside it waits until it is shown itself.
TEST(WindowWhenShown, WindowsAreMadeWhenTheContainerFirstComesIntoView) {
    win32::Win32Host host;
    App app{host};
    Form form(L"Form1");
    PictureBox strip{form, L"Strip"};
    CheckBox box{form, L"Box"};
    CheckBox hidden{form, L"Hidden"};
    strip.SetWindowWhenShown(true);
    strip.SetVisible(false);
    box.SetContainer(&strip);
    box.SetCaption(L"ア");
    box.SetValue(1);
    hidden.SetContainer(&strip);
    hidden.SetVisible(false);
    form.Show();
    EXPECT_EQ(strip.Handle(), 0u);
    EXPECT_EQ(box.Handle(), 0u);
    strip.SetVisible(true);
    ASSERT_NE(box.Handle(), 0u);
    EXPECT_EQ(GetParent(HWND(box.Handle())), HWND(strip.Handle()));
    EXPECT_EQ(TextOf(box.Handle()), L"ア");
    EXPECT_EQ(SendMessageW(HWND(box.Handle()), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(hidden.Handle(), 0u);
    hidden.SetVisible(true);
    EXPECT_NE(hidden.Handle(), 0u);
    form.Unload();
}

TEST_F(BackendTest, ClosingTheWindowUnloadsTheFormUnlessCancelled) {
    HWND window = HWND(form.Handle());
    int16_t keep = 1;
    form.OnUnload = [&](int16_t& cancel) { cancel = keep; };
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(IsWindow(window));
    keep = 0;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(BackendTest, AButtonCanUnloadItsFormFromItsClick) {
    HWND button = HWND(form.Command1.Handle());
    form.Command1.Click = [&] { form.Unload(); };
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(IsWindow(button));
    form.Show();  // loads again with fresh windows
    EXPECT_TRUE(IsWindow(HWND(form.Command1.Handle())));
}

TEST_F(BackendTest, PostedKeysPassTheFiltersThroughTheMessageLoop) {
    std::vector<int> seen;
    form.Text1.KeyDown = [&](int16_t& code, int) { seen.push_back(-code); };
    form.Text1.KeyPress = [&](int16_t& key) { seen.push_back(key); };
    form.Text1.SetFocus();
    PostMessageW(HWND(form.Text1.Handle()), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    host.DoEvents();
    EXPECT_EQ(seen, (std::vector<int>{-13, 13}));
    EXPECT_EQ(form.ActiveControl(), &form.Text1);
    EXPECT_EQ(form.Text1.Text(), L"");  // Enter types nothing into a single-line box
}

// The width in pixels of a text in a window's font.
LONG TextWidth(HWND window, const std::wstring& text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

TEST_F(BackendTest, ListsShowEntriesLongerThanTheyAreWide) {
    const std::wstring longest = L"英語 単語テスト 第1回 (二学期の期末テスト)";
    const HWND combo = HWND(form.Combo1.Handle());
    form.Combo1.AddItem(longest);
    ASSERT_GT(TextWidth(combo, longest), SizeOf(form.Combo1.Handle()).cx);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_GT(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), TextWidth(combo, longest));
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

    const HWND list = HWND(form.List1.Handle());
    form.List1.AddItem(longest);
    EXPECT_GE(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), TextWidth(list, longest));
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0) << "the scroll bar shows";
}

TEST_F(BackendTest, EnterPressesTheFocusedCommandButtonUnlessAFilterTakesIt) {
    int clicks = 0;
    form.Command1.Click = [&] { ++clicks; };
    form.Command1.SetFocus();
    const HWND button = HWND(form.Command1.Handle());
    PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    host.DoEvents();
    EXPECT_EQ(clicks, 1);
    form.Command1.KeyPress = [](int16_t& key) { key = 0; };
    PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    host.DoEvents();
    EXPECT_EQ(clicks, 1);
}

// The shell sends a notification icon's mouse messages from its own thread. Their handler
// runs with the time the message came, not the time of the thread's last queued message:
// the window system gives the keyboard to a window activated then only with a fresh time.
TEST_F(BackendTest, AMouseMessageSentFromAnotherThreadIsHandledWithItsOwnTime) {
    LONG handledAt = 0;
    form.MouseMove = [&](int, int, float, float) { handledAt = GetMessageTime(); };
    host.DoEvents();  // nothing queued is taken from here on but the sent message
    const HWND window = HWND(form.Handle());
    DWORD sentAt = 0;
    std::thread shell([&] {
        Sleep(100);
        sentAt = GetTickCount();
        SendMessageW(window, WM_MOUSEMOVE, 0, WM_RBUTTONDOWN);
    });
    MSG message;
    for (int waits = 0; handledAt == 0 && waits < 50; ++waits) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_SENDMESSAGE);
        PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // takes sent ones
    }
    shell.join();
    EXPECT_GE(DWORD(handledAt), sentAt);
}

TEST_F(BackendTest, AltWithTheAccessKeyClicksTheButton) {
    int clicks = 0;
    form.Command1.Click = [&] { ++clicks; };
    form.Text1.SetFocus();
    PostMessageW(HWND(form.Text1.Handle()), WM_SYSCHAR, 'o', 0x20000001);
    host.DoEvents();
    EXPECT_EQ(clicks, 1);
}

TEST_F(BackendTest, MenusFollowTheModel) {
    form.MNU_File.SetCaption(L"ファイル(&F)");
    form.MNU_Save.SetCaption(L"保存(&S)");
    form.MNU_Pipe.SetCaption(L"-");
    form.MNU_Exit.SetCaption(L"終了(&X)");
    form.MNU_Popup.SetVisible(false);  // used only as a pop-up
    form.MNU_Save.SetChecked(true);
    form.MNU_Exit.SetEnabled(false);

    HMENU bar = GetMenu(HWND(form.Handle()));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    wchar_t caption[64] = {};
    GetMenuStringW(bar, 0, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(caption), L"ファイル(&F)");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);

    int saves = 0;
    form.MNU_Save.Click = [&] { ++saves; };
    SendMessageW(HWND(form.Handle()), WM_COMMAND, GetMenuItemID(file, 0), 0);
    EXPECT_EQ(saves, 1);
    // Items keep the command number of their creation order, menu bar or not.
    EXPECT_EQ(form.MNU_Save.CommandId(), 1001);
    EXPECT_EQ(GetMenuItemID(file, 0), 1001u);
    int copies = 0;
    form.MNU_Copy.Click = [&] { ++copies; };
    SendMessageW(HWND(form.Handle()), WM_COMMAND, form.MNU_Copy.CommandId(), 0);
    EXPECT_EQ(copies, 1);

    form.MNU_File.SetVisible(false);  // only hidden menus left: no menu bar
    EXPECT_EQ(GetMenu(HWND(form.Handle())), nullptr);
}

TEST_F(BackendTest, DrawingIsReadBackAsPixelsFromTheBoxAndTheScreen) {
    PictureBox& box = form.Picture1;
    box.SetScaleMode(ScaleMode::Pixels);
    box.SetBackground(kWhite);
    box.FilledBox(10, 10, 29, 19, 0x0000FF);
    box.SetDrawWidth(1);
    box.Line(0, 50, 99, 50, 0x00FF00);
    box.SetFillStyle(0);
    box.SetFillColor(0xFF0000);
    box.Circle(50, 80, 10, 0xFF0000);
    box.Polygon({{60, 0}, {90, 0}, {90, 30}});

    const Image pixels = box.Pixels();
    ASSERT_EQ(pixels.width, 100);
    EXPECT_EQ(pixels.At(10, 10), 0x0000FFu);
    EXPECT_EQ(pixels.At(29, 19), 0x0000FFu);  // both corners included
    EXPECT_EQ(pixels.At(30, 20), kWhite);
    EXPECT_EQ(pixels.At(0, 50), 0x00FF00u);
    EXPECT_EQ(pixels.At(99, 50), 0x00FF00u);  // both line ends included
    EXPECT_EQ(pixels.At(50, 80), 0xFF0000u);
    EXPECT_EQ(pixels.At(89, 5), 0xFF0000u);  // inside the triangle
    EXPECT_EQ(pixels.At(62, 25), kWhite);    // outside it

    // What the window shows on screen is the same drawing.
    form.SetTopmost(true);
    UpdateWindow(HWND(form.Handle()));
    host.DoEvents();
    POINT origin{0, 0};
    ClientToScreen(HWND(box.Handle()), &origin);
    const Image screen = host.ReadScreen(origin.x, origin.y, 100, 100);
    EXPECT_EQ(screen.At(15, 15), 0x0000FFu);
    EXPECT_EQ(screen.At(40, 50), 0x00FF00u);
    EXPECT_EQ(screen.At(40, 40), kWhite);
}

TEST_F(BackendTest, ALabelsColourChangeRedrawsItAndKeepsItsFont) {
    form.SetTopmost(true);
    const HWND label = HWND(form.Label1.Handle());
    const auto redIn = [&] {
        UpdateWindow(HWND(form.Handle()));
        host.DoEvents();
        POINT origin{0, 0};
        ClientToScreen(label, &origin);
        const Image screen = host.ReadScreen(origin.x, origin.y, 60, 18);
        int red = 0;
        for (int y = 0; y < screen.height; ++y) {
            for (int x = 0; x < screen.width; ++x) {
                red += screen.At(x, y) == 0x0000FFu ? 1 : 0;
            }
        }
        return red;
    };
    const LRESULT font = SendMessageW(label, WM_GETFONT, 0, 0);
    EXPECT_EQ(redIn(), 0);
    form.Label1.SetForeColor(0x0000FF);
    EXPECT_GT(redIn(), 0) << "the text is drawn red";
    EXPECT_EQ(SendMessageW(label, WM_GETFONT, 0, 0), font);
    forms::Font bold = form.Label1.Font();
    bold.bold = true;
    form.Label1.SetFont(bold);
    EXPECT_NE(SendMessageW(label, WM_GETFONT, 0, 0), font) << "a new font is made for a new face";
}

TEST_F(BackendTest, AFormIsDrawnOnLikeAPictureBox) {
    // Borderless, but with (hidden) menus: the window keeps a caption and a dialog frame,
    // as the form's frame measure counts them.
    form.SetBorderStyle(0);
    form.MNU_File.SetVisible(false);
    form.MNU_Popup.SetVisible(false);
    form.Move(0, 0, 200 * app.TwipsPerPixelX(), 100 * app.TwipsPerPixelY());
    form.Label1.SetVisible(false);
    form.Command1.SetVisible(false);
    form.Check1.SetVisible(false);
    form.SetScaleMode(ScaleMode::Pixels);
    EXPECT_TRUE(GetWindowLongW(HWND(form.Handle()), GWL_STYLE) & WS_CAPTION);
    RECT client;
    GetClientRect(HWND(form.Handle()), &client);
    EXPECT_EQ(form.ScaleWidth(), client.right);
    EXPECT_EQ(form.ScaleHeight(), client.bottom);

    form.Cls();
    form.Line(0, 2, form.ScaleWidth() - 1, 2, 0x0000FF);
    EXPECT_EQ(form.Pixels().At(int(form.ScaleWidth()) - 1, 2), 0x0000FFu);
    form.SetTopmost(true);
    UpdateWindow(HWND(form.Handle()));
    host.DoEvents();
    POINT origin{0, 0};
    ClientToScreen(HWND(form.Handle()), &origin);
    const Image screen = host.ReadScreen(origin.x, origin.y, 100, 5);
    EXPECT_EQ(screen.At(5, 2), 0x0000FFu);
    EXPECT_EQ(screen.At(5, 3), form.BackColor());
}

TEST_F(BackendTest, ARegionShapesTheWindow) {
    Region region;
    region.rects = {{0, 0, 40, 30}, {100, 50, 120, 60}};
    form.SetRegion(&region);
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(HWND(form.Handle()), applied), ERROR);
    EXPECT_TRUE(PtInRegion(applied, 5, 5));
    EXPECT_TRUE(PtInRegion(applied, 110, 55));
    EXPECT_FALSE(PtInRegion(applied, 60, 40));
    EXPECT_FALSE(PtInRegion(applied, 40, 30));  // right and bottom edges are outside
    form.SetRegion(nullptr);
    EXPECT_EQ(GetWindowRgn(HWND(form.Handle()), applied), ERROR);
    DeleteObject(applied);
}

TEST_F(BackendTest, ARegionTooFineForTheWindowSystemIsReducedToItsRows) {
    Region board;  // 512 x 80 one-pixel squares, none of them joinable: 40,960 rectangles
    for (int y = 0; y < 80; ++y) {
        for (int x = y % 2; x < 1024; x += 2) {
            board.rects.push_back({x, y, x + 1, y + 1});
        }
    }
    form.SetRegion(&board);
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(HWND(form.Handle()), applied), ERROR);
    EXPECT_EQ(GetRegionData(applied, 0, nullptr), sizeof(RGNDATAHEADER) + 80 * sizeof(RECT));
    EXPECT_TRUE(PtInRegion(applied, 2, 1));
    EXPECT_TRUE(PtInRegion(applied, 1022, 79));  // the gaps of a row are filled
    DeleteObject(applied);
}

TEST_F(BackendTest, TimersTickThroughTheMessageLoopWithoutReentering) {
    int ticks = 0;
    int depth = 0, deepest = 0;
    form.Timer1.Tick = [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        Sleep(15);
        host.DoEvents();  // a tick that lets messages through is not re-entered
        --depth;
    };
    form.Timer1.SetInterval(5);
    const DWORD start = GetTickCount();
    while (ticks < 4 && GetTickCount() - start < 5000) {
        host.DoEvents();
        Sleep(1);
    }
    form.Timer1.SetInterval(0);
    EXPECT_GE(ticks, 4);
    EXPECT_EQ(deepest, 1);
}

class Dialog : public Form {
  public:
    Dialog() : Form(L"Form2") {
        SetBorderStyle(3);
        OnLoad = [this] { PostMessageW(HWND(Handle()), WM_CLOSE, 0, 0); };
    }
};

TEST_F(BackendTest, AModalFormDisablesTheOthersUntilItCloses) {
    Dialog dialog;
    bool ownerEnabledMeanwhile = true;
    dialog.OnUnload = [&](int16_t&) {
        ownerEnabledMeanwhile = IsWindowEnabled(HWND(form.Handle()));
    };
    dialog.Show(true);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(HWND(form.Handle())));
}

TEST(ProgramInfoTest, TheProgramKnowsItsFolderNameAndTitle) {
    win32::Win32Host host;
    App app(host);
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    EXPECT_EQ(app.ExeName(), L"win32_tests");
    EXPECT_EQ(app.Title(), L"win32_tests");
    EXPECT_EQ(app.Path() + L"\\" + app.ExeName() + L".exe", full);
    EXPECT_EQ(app.Path().back() != L'\\', true);
}

TEST(ShellIconTest, AFileTypesSmallIconIsDrawnOnTheBackground) {
    win32::Win32Host host;
    const Image icon = host.FileTypeIcon(L"C:\\nowhere\\program.exe", 0x00FF00FF);
    ASSERT_EQ(icon.width, GetSystemMetrics(SM_CXSMICON));
    int drawn = 0;
    for (Color pixel : icon.pixels) {
        drawn += pixel != 0x00FF00FF ? 1 : 0;
    }
    EXPECT_GT(drawn, 0);  // the file need not exist: its type decides the icon
    EXPECT_LT(drawn, int(icon.pixels.size()));  // transparent parts show the background
}

TEST(PictureFileTest, ABitmapFileIsDecodedIntoPixels) {
    // A 2 x 2, 24-bit bottom-up bitmap: red, green over blue, white.
    const unsigned char bmp[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0,  // bottom row: blue, white
                                                                       // (B, G, R)
        0, 0, 255, 0, 255, 0, 0, 0,                                    // top row: red, green
    };
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"forms_picture_test.bmp";
    {
        std::ofstream out(std::filesystem::path(path), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    }
    win32::Win32Host host;
    const std::optional<Image> image = host.LoadPictureFile(path);
    DeleteFileW(path.c_str());
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 2);
    EXPECT_EQ(image->At(0, 0), 0x0000FFu);  // red
    EXPECT_EQ(image->At(1, 0), 0x00FF00u);  // green
    EXPECT_EQ(image->At(0, 1), 0xFF0000u);  // blue
    EXPECT_EQ(image->At(1, 1), kWhite);
    EXPECT_FALSE(host.LoadPictureFile(path).has_value());
}

}  // namespace

namespace {

class EditorForm : public Form {
  public:
    EditorForm() : Form(L"Form1") {
        SetBorderStyle(2);
        Move(0, 0, 6000, 4500);
        Text1.SetAcceptsFiles(true);
        Text1.Move(0, 0, 3000, 330);
        Combo1.Move(0, 600, 3000, 330);
        Combo1.AddItem(L"17.3inch 1024*768");
        Output.SetRichEdit(true);
        Output.SetMultiLine(true);
        Output.SetContainer(&Picture1);
        Output.Move(0, 0, 3000, 1500);
        Output.SetFont({L"ＭＳ Ｐゴシック", 8.8});
        Picture1.Move(0, 1200, 3000, 1500);
    }
    TextBox Text1{*this, L"Text1"};
    ComboBox Combo1{*this, L"Combo1"};
    PictureBox Picture1{*this, L"Picture1"};
    TextBox Output{*this, L"Output"};
};

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { form.Show(); }
    win32::Win32Host host;
    App app{host};
    EditorForm form;
};

TEST_F(EditorTest, FilesDroppedFromTheShellReachTheBox) {
    std::vector<std::wstring> dropped;
    form.Text1.DropFiles = [&](const std::vector<std::wstring>& files) { dropped = files; };
    const std::wstring names = std::wstring(L"C:\\a.exe") + L'\0' + L"C:\\二.txt" + L'\0' + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    names.copy(reinterpret_cast<wchar_t*>(drop + 1), names.size());
    GlobalUnlock(memory);
    SendMessageW(HWND(form.Text1.Handle()), WM_DROPFILES, WPARAM(memory), 0);
    EXPECT_EQ(dropped, (std::vector<std::wstring>{L"C:\\a.exe", L"C:\\二.txt"}));
}

TEST_F(EditorTest, TypingIntoAnEditableComboChangesItsText) {
    int changes = 0;
    form.Combo1.Change = [&] { ++changes; };
    HWND combo = HWND(form.Combo1.Handle());
    SetWindowTextW(combo, L"21inch 1920*1080");
    SendMessageW(HWND(form.Handle()), WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), LPARAM(combo));
    EXPECT_EQ(form.Combo1.Text(), L"21inch 1920*1080");
    EXPECT_EQ(changes, 1);
    form.Combo1.SetListIndex(0);
    EXPECT_EQ(TextOf(form.Combo1.Handle()), L"17.3inch 1024*768");
}

TEST_F(EditorTest, ARichEditBoxLivesInItsContainerWithTheModelsFont) {
    HWND output = HWND(form.Output.Handle());
    EXPECT_EQ(ClassOf(form.Output.Handle()).rfind(L"RichEdit", 0), 0u);
    EXPECT_EQ(GetParent(output), HWND(form.Picture1.Handle()));
    form.Output.SetText(L"第１文字列0\r\n第１文字列1\r\n");
    form.Output.Select(0, -1);
    DWORD start = 0, end = 0;
    SendMessageW(output, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_GT(end, 10u);
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    SendMessageW(output, EM_GETCHARFORMAT, SCF_DEFAULT, LPARAM(&format));
    EXPECT_EQ(format.yHeight, 176);
}

TEST_F(EditorTest, ARichEditBoxHoldsTextUpToItsMaximumLengthOrWithoutLimit) {
    HWND output = HWND(form.Output.Handle());
    EXPECT_EQ(SendMessageW(output, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "no maximum length";
    std::wstring text;  // 70,000 characters, beyond the control's own default limit
    for (int line = 100000; line < 107000; ++line) {
        text += L"連番" + std::to_wstring(line) + L"\r\n";
    }
    form.Output.SetText(text);
    EXPECT_EQ(GetWindowTextLengthW(output), 70000);

    form.Output.SetMaxLength(150000);
    EXPECT_EQ(SendMessageW(output, EM_GETLIMITTEXT, 0, 0), 150000);
    form.Output.SetText(L"");
    EXPECT_EQ(GetWindowTextLengthW(output), 0) << "emptied although the length differed";
}

TEST_F(EditorTest, TheUsersMovesAndTheModelsGeometryAgree) {
    HWND window = HWND(form.Handle());
    SetWindowPos(window, nullptr, 30, 40, 500, 300, SWP_NOZORDER);
    EXPECT_EQ(form.Left(), 30 * app.TwipsPerPixelX());
    EXPECT_EQ(form.Width(), 500 * app.TwipsPerPixelX());
    RECT client;
    GetClientRect(window, &client);
    EXPECT_NEAR(form.ScaleWidth(), client.right * app.TwipsPerPixelX(), app.TwipsPerPixelX());
    EXPECT_NEAR(form.ScaleHeight(), client.bottom * app.TwipsPerPixelY(), app.TwipsPerPixelY());
    RECT inner;
    GetClientRect(HWND(form.Picture1.Handle()), &inner);
    EXPECT_EQ(inner.right, form.Picture1.PixelWidth());  // the 3-D edge is outside the drawing
    form.Move(150, 150, 4500, 3000);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.right - outer.left, 300);
}

TEST_F(EditorTest, ToolTipsAreRegisteredForTheirControls) {
    form.Text1.SetToolTip(L"ランチャー");
    form.Text1.SetToolTip(L"ランチャー2");
    EXPECT_EQ(SendMessageW(host.ToolTips(), TTM_GETTOOLCOUNT, 0, 0), 1);
    form.Text1.SetToolTip(L"");
    EXPECT_EQ(SendMessageW(host.ToolTips(), TTM_GETTOOLCOUNT, 0, 0), 0);
    form.Text1.SetToolTip(L"ランチャー");
    form.Unload();  // a window that goes takes its tool with it
    EXPECT_EQ(SendMessageW(host.ToolTips(), TTM_GETTOOLCOUNT, 0, 0), 0);
}

}  // namespace
