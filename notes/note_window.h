// Pindorel's note window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/profile.h"
#include "forms/forms.h"
#include "note_record.h"

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
    void LeaveText();
    void Text1_Change();
    void SetShownText(const std::wstring& text, int selStart, int selLength);
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

}  // namespace pindorel
