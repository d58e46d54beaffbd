// FRM_AGT5 "時間割": the timetable editor. It edits the timetable file row by row and day
// by day, lists what will not work as meant while the user edits, and saves only the keys
// whose value changed, leaving everything else in the file as it was.
#pragma once

#include <functional>
#include <string>

#include "agent/agent_shared.h"
#include "agent/timetable_draft.h"
#include "forms/forms.h"

namespace agent {

class TimetableEditor : public forms::Form {
  public:
    // restart: saves the settings, starts a new copy of the program and ends this one;
    // returns only when the new copy could not be started.
    TimetableEditor(AgentState& state, std::function<void()> restart);

    // Reads the timetable file (offering to start a new one when there is none) and shows
    // the editor modally; does nothing when the user declines or the file cannot be read.
    void Open();

    forms::ListBox LST_Rows{*this, L"LST_Rows"};
    forms::Label LBL_Name{*this, L"LBL_Name"};
    forms::TextBox TXT_Name{*this, L"TXT_Name"};
    forms::CheckBox CHK_Use{*this, L"CHK_Use"};
    forms::Label LBL_Start{*this, L"LBL_Start"};
    forms::TextBox TXT_Start{*this, L"TXT_Start"};
    forms::Label LBL_End{*this, L"LBL_End"};
    forms::TextBox TXT_End{*this, L"TXT_End"};
    forms::Label LBL_Remark{*this, L"LBL_Remark"};
    forms::TextBox TXT_Remark{*this, L"TXT_Remark"};
    forms::Label LBL_Plans{*this, L"LBL_Plans"};
    forms::ControlArray<forms::Label> LBL_Day{*this, L"LBL_Day"};
    forms::ControlArray<forms::TextBox> TXT_Plan{*this, L"TXT_Plan"};

  private:
    // The day plans' labels and boxes are made here, before the controls below, so that
    // they keep their place in the control order (the tab order on Windows).
    [[maybe_unused]] bool plansMade_ = DesignPlans();

  public:
    forms::Label LBL_Adjust{*this, L"LBL_Adjust"};
    forms::TextBox TXT_Adjust{*this, L"TXT_Adjust"};
    forms::Label LBL_Check{*this, L"LBL_Check"};
    forms::ListBox LST_Check{*this, L"LST_Check"};
    forms::CommandButton CMD_Save{*this, L"CMD_Save"};
    forms::CommandButton CMD_Cancel{*this, L"CMD_Cancel"};

  private:
    void Design();
    bool DesignPlans();
    void Form_Load();
    void Form_Unload(int16_t& cancel);
    void LST_Rows_Click();
    void ShowRow(int row);
    void RowEdited();
    void TextKeyPress(int16_t& key);
    void TextChange(forms::TextBox& box);
    void CheckedChange(forms::TextBox& box);
    void CheckedLostFocus(forms::TextBox& box);
    bool Accept(forms::TextBox& box);
    forms::TextBox* Unaccepted();
    bool HoldOnUnaccepted();
    void Refuse(forms::TextBox& box);
    void RefreshFindings();
    bool Changed();
    bool TextsStorable();
    void CMD_Save_Click();

    AgentState& state_;
    std::function<void()> restart_;
    std::wstring path_;          // the timetable file
    bool newFile_ = false;       // the file does not exist yet: saving creates it
    bool setsSchedule_ = false;  // no Schedule set: saving names the new file
    TimetableDraft asRead_;
    TimetableDraft draft_;
    int16_t adjust_ = 0;
    int row_ = 0;
    bool loading_ = false;  // boxes being filled: their events change nothing
    bool closing_ = false;
    bool saved_ = false;
    forms::TextBox* refused_ = nullptr;  // the box whose entry was just refused
};

}  // namespace agent
