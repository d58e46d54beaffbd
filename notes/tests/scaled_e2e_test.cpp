// Pindorel.exe at 150 % display scaling (144 dpi), in a Wine prefix of that scale: a note's
// point size is the one its font dialog shows, and a size chosen there is the one stored.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/window_driver_win.h"
#include "one_note_e2e_win.h"

namespace {

using namespace e2e;
using pindorel_e2e::kWaitMs;

constexpr int kControllerExit = 1010;  // MNU_Exit
constexpr int kNoteFont = 1005;        // MNU_Font
constexpr int kSizeBox = 1138;         // the font dialog's size box (cmb3)

class PindorelAt150Percent : public ::testing::Test {
  protected:
    void SetUp() override {
        noteWindow = pindorel_e2e::StartWithOneNote(sandbox, L"九ポイント", process);
        ASSERT_NE(noteWindow, nullptr);
        controller =
            process->WaitForWindow({.className = L"SuiteForm", .caption = L"Pindorel"}, kWaitMs);
        ASSERT_NE(controller, nullptr);
    }
    // Opens the note's font dialog; its size box.
    HWND OpenFontDialog() {
        PostCommand(noteWindow, kNoteFont);
        dialog = process->WaitForWindow({.className = L"#32770", .visibleOnly = true}, kWaitMs);
        return dialog != nullptr ? FindChild(dialog, {.id = kSizeBox}) : nullptr;
    }
    bool CloseFontDialog(int button) {
        PostCommand(dialog, button);
        return WaitUntil([&] { return !IsWindow(dialog); }, kWaitMs);
    }

    Sandbox sandbox;
    std::unique_ptr<Process> process;
    HWND controller = nullptr;
    HWND noteWindow = nullptr;
    HWND dialog = nullptr;
};

TEST_F(PindorelAt150Percent, TheFontDialogShowsAndStoresTheNotesPointSize) {
    RECT rect{};
    GetWindowRect(noteWindow, &rect);
    ASSERT_EQ(rect.right - rect.left, 240) << "2400 twips are 240 pixels at 144 dpi only";

    HWND sizeBox = OpenFontDialog();
    ASSERT_NE(sizeBox, nullptr);
    EXPECT_EQ(TextOf(sizeBox), L"9");
    // The user picks 12 from the size box's list and confirms.
    const LRESULT twelve = SendMessageW(sizeBox, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(L"12"));
    ASSERT_GE(twelve, 0);
    SendMessageW(sizeBox, CB_SETCURSEL, WPARAM(twelve), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSizeBox, CBN_SELCHANGE), LPARAM(sizeBox));
    ASSERT_TRUE(CloseFontDialog(IDOK));

    sizeBox = OpenFontDialog();
    ASSERT_NE(sizeBox, nullptr);
    EXPECT_EQ(TextOf(sizeBox), L"12");
    ASSERT_TRUE(CloseFontDialog(IDCANCEL));

    PostCommand(controller, kControllerExit);
    ASSERT_TRUE(process->WaitForExit(kWaitMs).has_value());
    const std::optional<std::string> stored = sandbox.Read(pindorel::NoteFileName(1));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(pindorel::DecodeNote(*stored).record.font.size, 12);
}

}  // namespace
