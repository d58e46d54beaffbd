// Pindorel.exe in a folder it shares: another program adds, replaces and removes note
// files while it runs, and a copy of the program under another name is started beside it.
#include <cwctype>

#include "pindorel_e2e.h"

namespace {

using namespace pindorel_e2e;

constexpr std::wstring_view kAlreadyRunning = L"このフォルダーの Pindorel はすでに起動しています。";

void AppendToNote(const NoteWindow& note, std::wstring_view text) {
    PostCommand(note.window, kNoteEdit);
    PostText(note.edit, text);
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(note.edit).find(text) != std::wstring::npos; }, kWaitMs));
}

// The test itself is the other program (a sync client): between the start and the exit it
// adds a note file, replaces two, and removes one; the user edits two notes, one of them
// also replaced. The exit save writes the user's notes and leaves every file the other
// program wrote as it is, and says once that a version was kept aside.
TEST_F(PindorelE2e, FilesAnotherProgramChangesDuringTheRunKeepWhatItWrote) {
    Put(1, Note(L"a", 1500));
    Put(2, Note(L"b", 4500));
    Put(3, Note(L"c", 7500));
    Put(4, Note(L"d", 10500));
    Start();
    const std::vector<NoteWindow> notes = WaitForNotes(4);
    ASSERT_EQ(notes.size(), 4u);

    Put(5, Note(L"added there", 1500));
    Put(2, Note(L"b from the other PC", 4500));
    Put(3, Note(L"c from the other PC", 7500));
    ASSERT_TRUE(DeleteFileW(sandbox.PathOf(NoteFileName(4)).c_str()));
    AppendToNote(notes[0], L"!");
    AppendToNote(notes[2], L"?");

    PostCommand(controller, kControllerExit);
    HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    const std::wstring message = MessageText(box);
    EXPECT_NE(message.find(L"ほかのプログラムの内容はそのまま別の付箋として残し"),
              std::wstring::npos);
    EXPECT_NE(message.find(L"\r\nTagData3.dat"), std::wstring::npos);
    PostCommand(box, IDOK);
    ASSERT_TRUE(process->WaitForExit(kWaitMs).has_value());

    EXPECT_EQ(TextIn(1), L"a!");
    EXPECT_EQ(TextIn(2), L"b from the other PC");
    EXPECT_EQ(TextIn(3), L"c from the other PC");
    EXPECT_EQ(TextIn(4), L"c?");  // the user's version, in the first free number
    EXPECT_EQ(TextIn(5), L"added there");
    EXPECT_FALSE(sandbox.Exists(NoteFileName(6)));
}

// The claim is the folder's: a second start of the program file, a copy of it under another
// name, and the same file reached by a path spelled in other letter case find it taken.
TEST_F(PindorelE2e, ASecondCopyUnderAnyNameOrPathSaysSoAndTouchesNothing) {
    Put(1, Note(L"only", 1500));
    Start();
    ASSERT_EQ(WaitForNotes(1).size(), 1u);
    std::wstring otherCase = exe;
    std::transform(otherCase.begin(), otherCase.end(), otherCase.begin(), std::towupper);
    const std::wstring copy = sandbox.CopyIn(BuildPath(PROGRAM_EXE), L"Pindorel - コピー.exe");
    for (const std::wstring& path : {exe, copy, otherCase}) {
        Process second(path, L"", sandbox.Folder());
        HWND box = second.WaitForWindow(
            {.className = L"#32770", .caption = L"Pindorel", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), kAlreadyRunning);
        PostCommand(box, IDOK);
        EXPECT_TRUE(second.WaitForExit(kWaitMs).has_value());
    }
    EXPECT_TRUE(process->Running());
    PostCommand(controller, kControllerNewNote);
    ASSERT_EQ(WaitForNotes(2).size(), 2u);
    ExitAndWait();
    EXPECT_EQ(TextIn(1), L"only");
    EXPECT_EQ(TextIn(2), L"");
}

}  // namespace
