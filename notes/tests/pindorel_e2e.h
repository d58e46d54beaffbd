// What the end-to-end tests of Pindorel.exe share: the program started in a fresh folder
// with prepared note files, its windows found and driven through window messages.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"
#include "note_record.h"
#include "note_store.h"

namespace pindorel_e2e {

using namespace e2e;
using pindorel::DecodeNote;
using pindorel::EncodeNote;
using pindorel::NoteFileName;
using pindorel::NoteRecord;

constexpr DWORD kWaitMs = 30000;
// Menu command ids: 1000 + the order in which a form's menu items are declared.
constexpr int kControllerNewNote = 1001;  // MNU_Tag_New
constexpr int kControllerExit = 1010;     // MNU_Exit
constexpr int kNoteEdit = 1001;           // MNU_Edit
constexpr int kNoteDelete = 1002;         // MNU_Delete
constexpr int kNoteFitToText = 1013;      // MNU_Size
constexpr int kNoteColorB = 1006;         // MNU_Color_B

inline NoteRecord Note(std::wstring text, float left) {
    NoteRecord r;
    r.left = left;
    r.top = 1500;
    r.width = 2400;
    r.height = 1500;
    r.font = {L"ＭＳ Ｐゴシック", 10.5, 0, 0, 0, 0, 0};
    r.backColor = 0x99FFFF;
    r.text = std::move(text);
    return r;
}

struct NoteWindow {
    HWND window;
    HWND edit;
    std::wstring text;
};

class PindorelE2e : public ::testing::Test {
  protected:
    void Put(int number, const NoteRecord& record) {
        sandbox.Write(NoteFileName(number), EncodeNote(record));
    }
    void Start() {
        exe = sandbox.CopyIn(BuildPath(PROGRAM_EXE));
        process = std::make_unique<Process>(exe, L"", sandbox.Folder());
        controller =
            process->WaitForWindow({.className = L"SuiteForm", .caption = L"Pindorel"}, kWaitMs);
        ASSERT_NE(controller, nullptr);
    }
    // The visible note windows, from left to right.
    std::vector<NoteWindow> Notes() const {
        std::vector<NoteWindow> notes;
        for (HWND window : process->TopWindows()) {
            if (!IsWindowVisible(window) || ClassOf(window) != L"SuiteForm" ||
                !TextOf(window).empty()) {
                continue;
            }
            HWND edit = FindChild(window, {.className = L"Edit"});
            notes.push_back({window, edit, edit != nullptr ? TextOf(edit) : L""});
        }
        std::sort(notes.begin(), notes.end(), [](const NoteWindow& a, const NoteWindow& b) {
            RECT ra, rb;
            GetWindowRect(a.window, &ra);
            GetWindowRect(b.window, &rb);
            return ra.left < rb.left;
        });
        return notes;
    }
    std::vector<NoteWindow> WaitForNotes(size_t count) const {
        WaitUntil([&] { return Notes().size() == count; }, kWaitMs);
        return Notes();
    }
    HWND WaitForMessageBox() const {
        return process->WaitForWindow(
            {.className = L"#32770", .caption = L"Pindorel", .visibleOnly = true}, kWaitMs);
    }
    static std::wstring MessageText(HWND box) { return TextOf(FindChild(box, {.id = 0xFFFF})); }
    // Of three note files the second could not be read: its report, then the other two notes.
    std::vector<NoteWindow> AcceptReadFailureOfTheSecond() const {
        HWND box = WaitForMessageBox();
        EXPECT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), L"ファイルの読み込みを失敗しました\r\nTagData2.dat");
        PostCommand(box, IDOK);
        return WaitForNotes(2);
    }
    void ExitAndWait() {
        PostCommand(controller, kControllerExit);
        ASSERT_TRUE(process->WaitForExit(kWaitMs).has_value());
    }
    std::wstring TextIn(int number) const {
        const std::optional<std::string> bytes = sandbox.Read(NoteFileName(number));
        return bytes ? DecodeNote(*bytes).record.text : L"(missing)";
    }
    FILETIME WriteTime(int number) const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(sandbox.PathOf(NoteFileName(number)).c_str(), GetFileExInfoStandard,
                             &data);
        return data.ftLastWriteTime;
    }
    void AgeFile(int number) const {
        HANDLE file = CreateFileW(sandbox.PathOf(NoteFileName(number)).c_str(),
                                  FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const FILETIME old{0x10000000, 0x01C00000};
        SetFileTime(file, nullptr, nullptr, &old);
        CloseHandle(file);
    }

    Sandbox sandbox;
    std::wstring exe;
    std::unique_ptr<Process> process;
    HWND controller = nullptr;
};

}  // namespace pindorel_e2e
