// Pindorel's windows: the hidden controller with the notification icon (Form1), the note
// windows (Form2), the options dialog (Form3) and the zero-size helper shown around the
// icon's actions (frmDUMMY).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/profile.h"
#include "forms/forms.h"
#include "note_settings.h"
#include "note_store.h"

namespace pindorel {

class Notes;

// One sticky note (Form2). In the view state the face (Picture1, disabled) lets the mouse
// through to the window: drag to move, double-click to edit, right button for the menu. In
// the edit state Text1 takes the keyboard.
class NoteForm : public forms::Form {
  public:
    explicit NoteForm(Notes& notes);

    forms::PictureBox Picture1{*this, L"Picture1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::Menu MNU_Popup{*this, L"MNU_Popup"};
    forms::Menu MNU_Edit{*this, L"MNU_Edit", &MNU_Popup};
    forms::Menu MNU_Delete{*this, L"MNU_Delete", &MNU_Popup};
    forms::Menu MNU_New{*this, L"MNU_New", &MNU_Popup};
    forms::Menu MNU_Pipe1{*this, L"MNU_Pipe1", &MNU_Popup};
    forms::Menu MNU_Font{*this, L"MNU_Font", &MNU_Popup};
    forms::Menu MNU_Color_B{*this, L"MNU_Color_B", &MNU_Popup};
    forms::Menu MNU_Color_F{*this, L"MNU_Color_F", &MNU_Popup};
    forms::Menu MNU_Pipe2{*this, L"MNU_Pipe2", &MNU_Popup};
    forms::Menu MNU_Clip_Cut{*this, L"MNU_Clip_Cut", &MNU_Popup};
    forms::Menu MNU_Clip_Copy{*this, L"MNU_Clip_Copy", &MNU_Popup};
    forms::Menu MNU_Clip_Paste{*this, L"MNU_Clip_Paste", &MNU_Popup};
    forms::Menu MNU_Pipe3{*this, L"MNU_Pipe3", &MNU_Popup};
    forms::Menu MNU_Size{*this, L"MNU_Size", &MNU_Popup};

    bool Editing() const { return editing_; }
    // The note as it would be stored.
    NoteRecord Record() const;
    // Shows a stored note: geometry, font, colours and text.
    void ApplyRecord(const NoteRecord& record);
    // Sets the text, cut to what a note can hold.
    void SetNoteText(std::wstring_view text);
    void SetNoteFont(const core::FontSpec& font);

  private:
    void Form_Load();
    void Form_Resize();
    void FitFace();
    void Form_MouseMove(int button);
    void Form_MouseUp(int button);
    void Form_Deactivate();
    void Text1_KeyPress(int16_t key);
    void Text1_Change();
    void SetShownText(const std::wstring& text, int caret);
    void MNU_Edit_Click();
    void MNU_Delete_Click();
    void MNU_Font_Click();
    void ChooseColour(bool background);
    void MNU_Clip_Cut_Click();
    void MNU_Clip_Paste_Click();
    void MNU_Size_Click();

    Notes& notes_;
    bool editing_ = false;
    bool restored_ = false;  // given a stored record
    bool removing_ = false;  // unloaded by its delete or cut command
    std::wstring textAtEditStart_;
    std::wstring acceptedText_;  // the text as last accepted by Text1_Change
    bool adjusting_ = false;     // Text1_Change is setting the text
};

// The options dialog (Form3).
class OptionsForm : public forms::Form {
  public:
    explicit OptionsForm(Notes& notes);

    forms::CheckBox Check2{*this, L"Check2"};
    forms::CheckBox Check1{*this, L"Check1"};
    forms::TextBox Text1{*this, L"Text1"};
    forms::ControlArray<forms::CommandButton> Command2{*this, L"Command2"};
    forms::CommandButton Command3{*this, L"Command3"};
    forms::ControlArray<forms::CommandButton> Command1{*this, L"Command1"};

  private:
    void Form_Load();
    void Command1_Click(int index);
    void Command2_Click(int index);
    void Command3_Click();

    Notes& notes_;
    forms::Font factoryFont_;
    forms::Color factoryBack_ = 0;
    forms::Color factoryFore_ = 0;
};

// The zero-size window shown around the icon's clicks (frmDUMMY).
class DummyForm : public forms::Form {
  public:
    DummyForm();
};

// The hidden controller (Form1): owns the icon and its menu; its load is the start-up and
// its unload the exit of the program.
class ControllerForm : public forms::Form {
  public:
    explicit ControllerForm(Notes& notes);

    forms::Menu MNU_Popup{*this, L"MNU_Popup"};
    forms::Menu MNU_Tag_New{*this, L"MNU_Tag_New", &MNU_Popup};
    forms::Menu MNU_Clip_Paste{*this, L"MNU_Clip_Paste", &MNU_Popup};
    forms::Menu MNU_Tag_Pipe1{*this, L"MNU_Tag_Pipe1", &MNU_Popup};
    forms::Menu MNU_Tag_Left{*this, L"MNU_Tag_Left", &MNU_Popup};
    forms::Menu MNU_Tag_Right{*this, L"MNU_Tag_Right", &MNU_Popup};
    forms::Menu MNU_Tag_Pipe2{*this, L"MNU_Tag_Pipe2", &MNU_Popup};
    forms::Menu MNU_Option{*this, L"MNU_Option", &MNU_Popup};
    forms::Menu MNU_Pipe{*this, L"MNU_Pipe", &MNU_Popup};
    forms::Menu MNU_Exit{*this, L"MNU_Exit", &MNU_Popup};

  private:
    void Form_Load();
    void Form_Unload(int16_t& cancel);
    void Form_MouseMove(float x);
    void MNU_Clip_Paste_Click();

    Notes& notes_;
    bool started_ = false;  // the icon is registered and this copy owns the folder
};

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
    // A new note from the clipboard's text (cut to what a note holds).
    std::wstring ClipboardNoteText();
    // Saves like an exit, without asking: the session is ending.
    void EndSession();

  private:
    int shownNewNotes_ = 0;
};

// The settings file beside the program.
std::wstring SettingsPath(const forms::App& app);

}  // namespace pindorel
