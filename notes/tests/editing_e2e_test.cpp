// Pindorel.exe's note text box at the limit of what a note holds, edited as a user does:
// text typed and pasted into the real edit control.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "e2e/window_driver_win.h"
#include "one_note_e2e_win.h"

namespace {

using namespace e2e;

constexpr int kNoteEdit = 1001;  // MNU_Edit

void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::pair<int, int> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return {int(start), int(end)};
}

TEST(PindorelEditing, AChangeRefusedAtTheLimitKeepsTheCaretAndTheSelection) {
    // 65,535 bytes, all a note holds, in short lines (the edit control of Wine takes minutes
    // to lay out one line of this length).
    std::wstring full = std::wstring(99, L'a');
    for (int line = 0; line < 797; ++line) {
        full += L"\r\n" + std::wstring(40, L'あ');
    }
    full += L"\r\n" + std::wstring(40, L'い');
    Sandbox sandbox;
    std::unique_ptr<Process> process;
    const HWND window = pindorel_e2e::StartWithOneNote(sandbox, full, process);
    ASSERT_NE(window, nullptr);
    const HWND edit = FindChild(window, {.className = L"Edit"});
    ASSERT_NE(edit, nullptr);
    SendMessageW(window, WM_COMMAND, kNoteEdit, 0);

    // A character typed at the caret.
    SendMessageW(edit, EM_SETSEL, 50, 50);
    SendMessageW(edit, WM_CHAR, L'b', 1);
    EXPECT_EQ(Selection(edit), std::make_pair(50, 50));
    // Three one-byte characters selected and replaced by two of two bytes each.
    PutOnClipboard(L"いう");
    SendMessageW(edit, EM_SETSEL, 10, 13);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Selection(edit), std::make_pair(10, 13));
    EXPECT_EQ(TextOf(edit), full);
    process->Kill();
}

TEST(PindorelEditing, EscapeEndsTheEditAndTheNoteTakesNoMoreTyping) {
    Sandbox sandbox;
    std::unique_ptr<Process> process;
    const HWND window = pindorel_e2e::StartWithOneNote(sandbox, L"メモ", process);
    ASSERT_NE(window, nullptr);
    const HWND edit = FindChild(window, {.className = L"Edit"});
    ASSERT_NE(edit, nullptr);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const auto focus = [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    };
    SendMessageW(window, WM_COMMAND, kNoteEdit, 0);
    ASSERT_EQ(focus(), edit);

    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageW(edit, WM_CHAR, VK_ESCAPE, 1);
    EXPECT_NE(focus(), edit);
    EXPECT_FALSE(IsWindowEnabled(GetParent(edit)));
    EXPECT_EQ(TextOf(edit), L"メモ");
    process->Kill();
}

}  // namespace
