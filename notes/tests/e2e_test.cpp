// Pindorel.exe started in a fresh folder with prepared note files, driven through window
// messages.
#include <functional>

#include "pindorel_e2e.h"

namespace {

using namespace pindorel_e2e;

// Mouse input as the user gives it, hit-tested by the window system.
void MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(50);
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

TEST_F(PindorelE2e, LoadedNotesShowTheirTextsAndAnEditRewritesThatFileOnly) {
    Put(1, Note(L"一番目", 1500));
    Put(2, Note(L"二番目", 4500));
    Put(3, Note(L"三番目\r\n二行目", 7500));
    for (int n = 1; n <= 3; ++n) {
        AgeFile(n);
    }
    const FILETIME first = WriteTime(1);
    const FILETIME third = WriteTime(3);
    Start();
    const std::vector<NoteWindow> notes = WaitForNotes(3);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].text, L"一番目");
    EXPECT_EQ(notes[1].text, L"二番目");
    EXPECT_EQ(notes[2].text, L"三番目\r\n二行目");
    RECT rect;
    GetWindowRect(notes[1].window, &rect);
    EXPECT_EQ(rect.left, 300);  // 4500 twips
    EXPECT_EQ(rect.right - rect.left, 160);

    PostCommand(notes[1].window, kNoteEdit);
    PostText(notes[1].edit, L"!");
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(notes[1].edit).find(L'!') != std::wstring::npos; }, kWaitMs));
    ExitAndWait();
    EXPECT_NE(TextIn(2).find(L'!'), std::wstring::npos);
    EXPECT_TRUE(SameTime(WriteTime(1), first));
    EXPECT_TRUE(SameTime(WriteTime(3), third));
    EXPECT_EQ(TextIn(3), L"三番目\r\n二行目");
}

TEST_F(PindorelE2e, DeletingTheMiddleOfThreeNotesLeavesTwoFilesNumberedOneAndTwo) {
    Put(1, Note(L"a", 1500));
    Put(2, Note(L"b", 4500));
    Put(3, Note(L"c", 7500));
    Start();
    const std::vector<NoteWindow> notes = WaitForNotes(3);
    ASSERT_EQ(notes.size(), 3u);
    PostCommand(notes[1].window, kNoteDelete);
    ASSERT_EQ(WaitForNotes(2).size(), 2u);
    ExitAndWait();
    EXPECT_EQ(TextIn(1), L"a");
    EXPECT_EQ(TextIn(2), L"c");
    EXPECT_FALSE(sandbox.Exists(NoteFileName(3)));
}

TEST_F(PindorelE2e, ADamagedFileIsReportedAndKeptWhileTheOthersLoad) {
    Put(1, Note(L"good one", 1500));
    const std::string damaged = EncodeNote(Note(L"damaged", 4500)).substr(0, 25);
    sandbox.Write(NoteFileName(2), damaged);
    Put(3, Note(L"good two", 7500));
    Start();
    const std::vector<NoteWindow> notes = AcceptReadFailureOfTheSecond();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].text, L"good one");
    EXPECT_EQ(notes[1].text, L"good two");

    PostCommand(controller, kControllerNewNote);
    ASSERT_EQ(WaitForNotes(3).size(), 3u);
    ExitAndWait();
    EXPECT_EQ(sandbox.Read(NoteFileName(2)), damaged);
    EXPECT_EQ(TextIn(3), L"good two");
    EXPECT_EQ(TextIn(4), L"");
}

TEST_F(PindorelE2e, AWriteFailureLeavesTheOldFilesIntact) {
    Put(1, Note(L"a", 1500));
    Put(2, Note(L"b", 4500));
    const std::string before1 = *sandbox.Read(NoteFileName(1));
    const std::string before2 = *sandbox.Read(NoteFileName(2));
    Start();
    const std::vector<NoteWindow> notes = WaitForNotes(2);
    ASSERT_EQ(notes.size(), 2u);
    PostCommand(notes[0].window, kNoteDelete);
    ASSERT_EQ(WaitForNotes(1).size(), 1u);

    // The folder and its files become read-only.
    for (int n = 1; n <= 2; ++n) {
        SetFileAttributesW(sandbox.PathOf(NoteFileName(n)).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    SetFileAttributesW(sandbox.Folder().c_str(), FILE_ATTRIBUTE_READONLY);
    PostCommand(controller, kControllerExit);
    HWND error = WaitForMessageBox();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(MessageText(error).rfind(L"ファイルの書き込みを失敗しました Err=", 0), 0u)
        << "shown: " << MessageText(error).size();
    PostCommand(error, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(error); }, kWaitMs));
    HWND question = WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_NE(MessageText(question).find(L"終了しますか?"), std::wstring::npos);
    PostCommand(question, IDYES);
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value());

    SetFileAttributesW(sandbox.Folder().c_str(), FILE_ATTRIBUTE_NORMAL);
    for (int n = 1; n <= 2; ++n) {
        SetFileAttributesW(sandbox.PathOf(NoteFileName(n)).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(sandbox.Read(NoteFileName(1)), before1);
    EXPECT_EQ(sandbox.Read(NoteFileName(2)), before2);
    EXPECT_FALSE(sandbox.Exists(NoteFileName(1) + L".new"));
}

TEST_F(PindorelE2e, TheNoteFaceTakesTheMouseAndFitToTextCanMakeANoteSmall) {
    Put(1, Note(L"drag me", 1500));
    Put(2, Note(L"", 7500));
    Start();
    const std::vector<NoteWindow> notes = WaitForNotes(2);
    ASSERT_EQ(notes.size(), 2u);
    HWND face = GetParent(notes[0].edit);
    EXPECT_FALSE(IsWindowEnabled(face));  // the view state

    // Dragging the face moves the window (from where the drag begins: the first move).
    const RECT before = WindowRect(notes[0].window);
    const int x = (before.left + before.right) / 2;
    const int y = (before.top + before.bottom) / 2;
    SetCursorPos(x, y);
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 8; ++step) {
        SetCursorPos(x + step * 10, y + step * 5);
        MouseInput(MOUSEEVENTF_MOVE);
    }
    MouseInput(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(
        WaitUntil([&] { return WindowRect(notes[0].window).left >= before.left + 60; }, kWaitMs))
        << "left edge at " << WindowRect(notes[0].window).left;

    // A double click on the face starts an edit.
    const RECT moved = WindowRect(notes[0].window);
    SetCursorPos((moved.left + moved.right) / 2, (moved.top + moved.bottom) / 2);
    for (int click = 0; click < 2; ++click) {
        MouseInput(MOUSEEVENTF_LEFTDOWN);
        MouseInput(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(face) != FALSE; }, kWaitMs));

    // An empty note fitted to its text is 120 twips (8 pixels) wide.
    PostCommand(notes[1].window, kNoteFitToText);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const RECT rect = WindowRect(notes[1].window);
            return rect.right - rect.left == 8;
        },
        kWaitMs))
        << "width " << WindowRect(notes[1].window).right - WindowRect(notes[1].window).left;
    const LONG left = WindowRect(notes[0].window).left;
    ExitAndWait();
    EXPECT_EQ(DecodeNote(*sandbox.Read(NoteFileName(1))).record.left, left * 15.0f);
}

TEST_F(PindorelE2e, AFileHeldOpenDuringTheStartKeepsItsBytesThroughTheSave) {
    Put(1, Note(L"a", 1500));
    Put(2, Note(L"b", 4500));
    Put(3, Note(L"c", 7500));
    const std::string held = *sandbox.Read(NoteFileName(2));
    HANDLE lock = CreateFileW(sandbox.PathOf(NoteFileName(2)).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start();
    const std::vector<NoteWindow> notes = AcceptReadFailureOfTheSecond();
    ASSERT_EQ(notes.size(), 2u);
    CloseHandle(lock);
    PostCommand(notes[0].window, kNoteDelete);  // "a" goes, "c" moves up a place
    ASSERT_EQ(WaitForNotes(1).size(), 1u);
    ExitAndWait();
    EXPECT_EQ(sandbox.Read(NoteFileName(2)), held);
    EXPECT_EQ(TextIn(1), L"c");
    EXPECT_FALSE(sandbox.Exists(NoteFileName(3)));
}

// The notification icon as the system tray shows it (the test's prefix shows only ours).
HWND TrayIcon() {
    HWND icon = nullptr;
    WaitUntil(
        [&] {
            icon = FindChild(GetDesktopWindow(), {.className = L"__winex11_tray_icon"});
            return icon != nullptr;
        },
        kWaitMs);
    return icon;
}

// Real input, hit-tested and routed by the window system as the user's.
void ClickAt(HWND window, DWORD down, DWORD up, int times = 1) {
    const RECT rect = WindowRect(window);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    for (int i = 0; i < times; ++i) {
        MouseInput(down);
        MouseInput(up);
    }
}

void KeyInput(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(50);
}

// A right click on the icon, then the menu item with the access key.
bool ChooseFromIconMenu(const Process& process, WORD key) {
    ClickAt(TrayIcon(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    const HWND menu = process.WaitForWindow({.className = L"#32768", .visibleOnly = true}, kWaitMs);
    if (menu == nullptr) {
        return false;
    }
    KeyInput(key);
    return WaitUntil([&] { return !IsWindowVisible(menu); }, kWaitMs);
}

TEST_F(PindorelE2e, TheIconKeepsAnsweringAfterTheOptionsDialogAndANotesDialogs) {
    Start();
    const auto options = [&] {
        return process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"オプション", .visibleOnly = true}, kWaitMs);
    };
    const auto doubleClickMakesANote = [&](size_t count) {
        ClickAt(TrayIcon(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
        return WaitForNotes(count).size() == count;
    };
    // Closed with its accept button, then with Escape.
    ASSERT_TRUE(ChooseFromIconMenu(*process, 'O'));
    HWND dialog = options();
    ASSERT_NE(dialog, nullptr);
    ClickAt(FindChild(dialog, {.className = L"Button", .caption = L"決定(&O)"}),
            MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, kWaitMs));
    ASSERT_TRUE(doubleClickMakesANote(1));

    ASSERT_TRUE(ChooseFromIconMenu(*process, 'O'));
    dialog = options();
    ASSERT_NE(dialog, nullptr);
    KeyInput(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, kWaitMs));
    ASSERT_TRUE(doubleClickMakesANote(2));

    // A note's colour dialog, cancelled.
    PostCommand(WaitForNotes(2)[0].window, kNoteColorB);
    const HWND colour =
        process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
    ASSERT_NE(colour, nullptr);
    KeyInput(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(colour); }, kWaitMs));
    ASSERT_TRUE(doubleClickMakesANote(3));

    // The menu still ends the program.
    ASSERT_TRUE(ChooseFromIconMenu(*process, 'X'));
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value());
    EXPECT_TRUE(sandbox.Exists(NoteFileName(3)));
}

// The icon's menu worked with the mouse alone. Its items are found as the user finds them:
// the pointer goes down the menu and each item it lights is counted (lines light none).
// Items touch, so an item is told by the top of the lit band.
int LitBandTop(HWND menu, int y) {
    const RECT rect = WindowRect(menu);
    HDC screen = GetDC(nullptr);
    const auto lit = [&](int at) {
        return GetPixel(screen, rect.left + 6, at) == GetSysColor(COLOR_MENUHILIGHT);
    };
    int top = -1;
    for (int at = y; at > rect.top && lit(at); --at) {
        top = at;
    }
    ReleaseDC(nullptr, screen);
    return top;
}

// Clicks the item'th text item (from 0) of the shown menu.
bool ClickMenuItem(HWND menu, int item) {
    const RECT rect = WindowRect(menu);
    const int x = (rect.left + rect.right) / 2;
    int lastTop = -1;
    int seen = -1;
    for (int y = rect.top + 3; y < rect.bottom - 3; y += 2) {
        SetCursorPos(x, y);
        Sleep(20);
        const int top = LitBandTop(menu, y);
        if (top < 0 || top == lastTop) {
            continue;
        }
        lastTop = top;
        if (++seen == item) {
            MouseInput(MOUSEEVENTF_LEFTDOWN);
            MouseInput(MOUSEEVENTF_LEFTUP);
            return true;
        }
    }
    return false;
}

TEST_F(PindorelE2e, TheIconKeepsAnsweringWhenItsMenuIsWorkedWithTheMouse) {
    // A damaged file's message box comes first; it is answered with a click.
    sandbox.Write(NoteFileName(1), EncodeNote(Note(L"damaged", 1500)).substr(0, 25));
    Start();
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    Sleep(500);
    ClickAt(FindChild(box, {.className = L"Button"}), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWaitMs));

    const auto openMenu = [&] {
        ClickAt(TrayIcon(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        return process->WaitForWindow({.className = L"#32768", .visibleOnly = true}, kWaitMs);
    };
    size_t notes = 0;
    const auto doubleClickMakesANote = [&] {
        ClickAt(TrayIcon(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
        ++notes;
        return WaitForNotes(notes).size() == notes;
    };
    // A common dialog opened by one of the options dialog's buttons, cancelled.
    const auto cancelCommonDialog = [&](HWND dialog, const wchar_t* button) {
        ClickAt(FindChild(dialog, {.className = L"Button", .caption = button}),
                MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        const HWND common =
            process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(common, nullptr);
        KeyInput(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(common); }, kWaitMs));
    };
    constexpr int kOptionsItem = 4;  // the fifth text item; lines are not counted
    // The options dialog, opened by a click on its item, closed by each of its ways out.
    const std::function<void(HWND)> closes[] = {
        [](HWND dialog) {
            ClickAt(FindChild(dialog, {.className = L"Button", .caption = L"決定(&O)"}),
                    MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        },
        [](HWND dialog) {
            ClickAt(FindChild(dialog, {.className = L"Button", .caption = L"キャンセル(&C)"}),
                    MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        },
        [](HWND) { KeyInput(VK_ESCAPE); },
        [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
        // The close box of its title bar, clicked.
        [](HWND dialog) {
            const RECT rect = WindowRect(dialog);
            const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
            SetCursorPos(rect.right - frame - GetSystemMetrics(SM_CXSIZE) / 2,
                         rect.top + frame + GetSystemMetrics(SM_CYSIZE) / 2);
            MouseInput(MOUSEEVENTF_LEFTDOWN);
            MouseInput(MOUSEEVENTF_LEFTUP);
        },
        // Its background colour dialog cancelled first, then its accept button.
        [&](HWND dialog) {
            cancelCommonDialog(dialog, L"背景色(&B)");
            ClickAt(FindChild(dialog, {.className = L"Button", .caption = L"決定(&O)"}),
                    MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        },
        // Its font dialog cancelled first, then Escape.
        [&](HWND dialog) {
            cancelCommonDialog(dialog, L"フォント(&F)");
            KeyInput(VK_ESCAPE);
        },
    };
    for (const auto& close : closes) {
        const HWND menu = openMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(ClickMenuItem(menu, kOptionsItem));
        const HWND dialog = process->WaitForWindow(
            {.className = L"SuiteForm", .caption = L"オプション", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(dialog, nullptr);
        close(dialog);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, kWaitMs));
        ASSERT_TRUE(doubleClickMakesANote());
    }
    // The menu dismissed without a choice: by Escape, then by a click beside it.
    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr);
    KeyInput(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, kWaitMs));
    ASSERT_TRUE(doubleClickMakesANote());
    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    const RECT rect = WindowRect(menu);
    SetCursorPos(rect.left > 40 ? rect.left - 20 : rect.right + 20, rect.top);
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, kWaitMs));
    ASSERT_TRUE(doubleClickMakesANote());
    // The menu's last item, clicked, still ends the program.
    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(ClickMenuItem(menu, 6));
    EXPECT_TRUE(process->WaitForExit(kWaitMs).has_value());
}

// Files in the sandbox matching the pattern.
int CountFiles(const Sandbox& sandbox, std::wstring_view pattern) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(sandbox.PathOf(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int count = 0;
    do {
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

TEST_F(PindorelE2e, AnExitSaveCutShortAtAnyMomentLeavesEveryNoteWholeAndOnce) {
    constexpr int kNotes = 30;
    constexpr int kArrangeFromTopLeft = 1004;  // MNU_Tag_Left: every note moves
    std::vector<std::wstring> texts;
    for (int n = 1; n <= kNotes; ++n) {
        texts.push_back(L"メモ" + std::to_wstring(n));
        NoteRecord record = Note(texts.back(), float(3000 + 60 * n));
        record.top = float(2000 + 45 * n);
        Put(n, record);
    }
    std::sort(texts.begin(), texts.end());
    // The save takes some hundred milliseconds here: the kills fall before, during and
    // after its file writes.
    for (const DWORD killAfterMs : {40, 60, 80, 100, 120, 150, 200, 300}) {
        SCOPED_TRACE(killAfterMs);
        Start();
        ASSERT_EQ(WaitForNotes(kNotes).size(), size_t(kNotes));
        PostCommand(controller, kArrangeFromTopLeft);
        PostCommand(controller, kControllerExit);
        Sleep(killAfterMs);
        process->Kill();
        process.reset();

        Start();  // recovers what the cut-short save left
        std::vector<std::wstring> shown;
        for (const NoteWindow& note : WaitForNotes(kNotes)) {
            shown.push_back(note.text);
        }
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, texts);
        EXPECT_EQ(CountFiles(sandbox, L"TagData*.dat.new*"), 0);
        EXPECT_EQ(CountFiles(sandbox, L"TagData*.dat"), kNotes);
        process->Kill();
        process.reset();
    }
}

}  // namespace
