// What Pindorel's smaller end-to-end tests share: the program started in a sandbox that
// holds one note.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "note_record.h"
#include "note_store.h"

namespace pindorel_e2e {

inline constexpr DWORD kWaitMs = 30000;

// Starts Pindorel.exe in the sandbox with one note of the text, in a 9-point font, as
// TagData1.dat; the note's window once it shows (nullptr when it does not).
inline HWND StartWithOneNote(e2e::Sandbox& sandbox, std::wstring text,
                             std::unique_ptr<e2e::Process>& process) {
    pindorel::NoteRecord note;
    note.left = 1500;
    note.top = 1500;
    note.width = 2400;
    note.height = 1500;
    note.font = {L"ＭＳ Ｐゴシック", 9, 0, 0, 0, 0, 0};
    note.text = std::move(text);
    sandbox.Write(pindorel::NoteFileName(1), pindorel::EncodeNote(note));
    process = std::make_unique<e2e::Process>(sandbox.CopyIn(e2e::BuildPath(PROGRAM_EXE)), L"",
                                             sandbox.Folder());
    return process->WaitForWindow({.className = L"SuiteForm", .caption = L"", .visibleOnly = true},
                                  kWaitMs);
}

}  // namespace pindorel_e2e
