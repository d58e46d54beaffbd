// Pindorel's program-wide state and its windows: the hidden controller with the
// notification icon (Form1), the note windows (Form2), the options dialog (Form3) and the
// zero-size helper shown around the icon's actions (frmDUMMY).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controller_form.h"
#include "core/profile.h"
#include "forms/forms.h"
#include "note_settings.h"
#include "note_store.h"
#include "note_window.h"
#include "options_dialog.h"

namespace pindorel {

// The program-wide state and what the windows share: the list of notes, the change flag,
// the options, the store.
class Notes {
  public:
    explicit Notes(forms::App& app);
    ~Notes();

    forms::App& app;
    DiskFolder folder;
    NoteStore store{folder};
    core::ProfileFile settingsFile;
    NoteSettings settings;
    NoteSettings settingsAsRead;
    bool notesChanged = false;
    // Every note window of the run, in order of creation; removed ones stay unloaded.
    std::vector<std::unique_ptr<NoteForm>> notes;

    OptionsForm form3{*this};
    DummyForm frmDUMMY;
    ControllerForm form1{*this};

    // A new note window, loaded and hidden, with the defaults applied and text set.
    NoteForm& CreateNote(std::wstring_view text, const NoteRecord* record = nullptr);
    // Creates a note and shows it at the next free place.
    NoteForm& ShowNewNote(std::wstring_view text);
    // Notes from the files; a file that cannot be read is reported once and kept, and so
    // is each of unplaced (new versions that could not be put in place).
    void LoadNotes(const std::vector<std::wstring>& unplaced = {});
    // Writes what changed. False when a write failed (the user has been told).
    bool SaveNotes();
    // Saves when the option to save at the end of an edit is on.
    void SaveIfSavingOnEditEnd();
    void ArrangeNotes(int side);
    void ReadSettings();
    void WriteSettings();
    // The clipboard's text for a note: cut to what a note holds, with a beep when it was.
    std::wstring ClipboardNoteText();
    // Saves like an exit, without asking: the session is ending.
    void EndSession();

  private:
    double NextCascadeOffset();

    int shownNewNotes_ = 0;
};

// The settings file beside the program.
std::wstring SettingsPath(const forms::App& app);

}  // namespace pindorel
