#include "agent/timetable_editor.h"

#include <tuple>
#include <utility>

#include "agent/agent_paths.h"
#include "agent/dialog_common.h"
#include "agent/option_checks.h"
#include "agent/read_errors.h"
#include "agent/timetable_checks.h"
#include "core/files.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr wchar_t kNewFileName[] = L"Timetable.ini";
constexpr wchar_t kTimeRefused[] = L"時刻は 8:50 のように入力して下さい。";
constexpr wchar_t kPlanRefused[] =
    L"時間割は 1 2 3 4 5 のように、時限の番号 (1～21) を空白で区切って入力して下さい。";
constexpr wchar_t kAdjustRefused[] =
    L"チャイムとの差は -3599 から 3599 までの秒数で入力して下さい。";
constexpr const wchar_t* kDayCaptions[kWeekdays] = {L"月", L"火", L"水", L"木",
                                                    L"金", L"土", L"日"};

// Design (twips): the row list on the left, the selected row and the day plans on the
// right, the clock adjustment, the findings and the buttons below.
constexpr double kFormWidth = 9960;
constexpr double kFormHeight = 8130;
constexpr double kRightLabel = 4860;
constexpr double kRightField = 5580;
constexpr double kFieldWidth = 4140;
constexpr double kBoxHeight = 330;
constexpr double kPlanTop = 2160;
constexpr double kPlanStep = 390;

bool InCodePage(wchar_t c) {
    const std::wstring one(1, c);
    return core::FromCp932(core::ToCp932(one)) == one;
}

// The text without the characters the file's code page cannot hold, nor control
// characters (pasted text does not pass the key filter).
std::wstring StorableCharacters(std::wstring_view text) {
    std::wstring kept;
    for (wchar_t c : text) {
        if (c >= L' ' && InCodePage(c)) {
            kept += c;
        }
    }
    return kept;
}

void Place(forms::Control& control, double left, double top, double width, double height) {
    control.Move(left, top, width, height);
    control.SetVisible(true);
}

}  // namespace

TimetableEditor::TimetableEditor(AgentState& state, std::function<void()> restart)
    : Form(L"FRM_AGT5"), state_(state), restart_(std::move(restart)) {
    Design();
    OnLoad = [this] { Form_Load(); };
    OnUnload = [this](int16_t& cancel) { Form_Unload(cancel); };
    KeyPress = [this](int16_t& key) { CloseOnEscape(*this, key); };
    LST_Rows.Click = [this] { LST_Rows_Click(); };
    for (forms::TextBox* box : {&TXT_Name, &TXT_Remark}) {
        box->KeyPress = [this](int16_t& key) { TextKeyPress(key); };
        box->Change = [this, box] { TextChange(*box); };
    }
    CHK_Use.Click = [this] {
        if (!loading_) {
            draft_.rows[std::size_t(row_)].takesPart = CHK_Use.Value() == 1;
            RowEdited();
        }
    };
    for (forms::TextBox* box : {&TXT_Start, &TXT_End, &TXT_Adjust}) {
        box->Change = [this, box] { CheckedChange(*box); };
        box->LostFocus = [this, box] { CheckedLostFocus(*box); };
    }
    TXT_Plan.Change = [this](int index) { CheckedChange(TXT_Plan[index]); };
    TXT_Plan.LostFocus = [this](int index) { CheckedLostFocus(TXT_Plan[index]); };
    CMD_Save.Click = [this] { CMD_Save_Click(); };
    CMD_Cancel.Click = [this] { Unload(); };
}

void TimetableEditor::Design() {
    SetCaption(L"時間割");
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, kFormWidth, kFormHeight);

    // Fixed-pitch, so the list's columns line up.
    LST_Rows.SetFont({L"ＭＳ ゴシック", 9});
    LST_Rows.Move(120, 120, 4560, 4680);
    const std::pair<forms::Label*, const wchar_t*> labels[] = {
        {&LBL_Name, L"名前"}, {&LBL_Start, L"開始"}, {&LBL_End, L"終了"}, {&LBL_Remark, L"備考"}};
    for (const auto& [label, caption] : labels) {
        label->SetCaption(caption);
    }
    LBL_Name.Move(kRightLabel, 165, 660, 255);
    TXT_Name.Move(kRightField, 120, kFieldWidth, kBoxHeight);
    CHK_Use.SetCaption(L"使用する");
    CHK_Use.Move(kRightField, 540, 2400, 300);
    LBL_Start.Move(kRightLabel, 975, 660, 255);
    TXT_Start.Move(kRightField, 930, 900, kBoxHeight);
    LBL_End.Move(6720, 975, 660, 255);
    TXT_End.Move(7440, 930, 900, kBoxHeight);
    LBL_Remark.Move(kRightLabel, 1395, 660, 255);
    TXT_Remark.Move(kRightField, 1350, kFieldWidth, kBoxHeight);

    LBL_Adjust.SetCaption(L"チャイムとの差（秒）");
    LBL_Adjust.Move(120, 5025, 2400, 255);
    TXT_Adjust.Move(2580, 4980, 900, kBoxHeight);
    LBL_Check.SetCaption(L"確認");
    LBL_Check.Move(120, 5460, 1200, 255);
    LST_Check.Move(120, 5730, 9600, 1260);
    CMD_Save.SetCaption(L"保存(&S)");
    CMD_Save.Move(6240, 7140, 1680, 420);
    CMD_Cancel.SetCaption(L"キャンセル(&C)");
    CMD_Cancel.Move(8040, 7140, 1680, 420);
}

bool TimetableEditor::DesignPlans() {
    LBL_Plans.SetCaption(L"曜日ごとの時間割 (時限の番号を空白で区切る)");
    LBL_Plans.Move(kRightLabel, 1830, 4860, 255);
    for (int day = 0; day < kWeekdays; ++day) {
        const double top = kPlanTop + day * kPlanStep;
        forms::Label& label = LBL_Day.Load(day);
        label.SetCaption(kDayCaptions[day]);
        Place(label, kRightLabel + 240, top + 45, 420, 255);
        Place(TXT_Plan.Load(day), kRightField, top, kFieldWidth, kBoxHeight);
    }
    return true;
}

void TimetableEditor::Open() {
    const std::wstring& programDir = state_.environment.programDir;
    const std::wstring& schedule = state_.settings.values.schedule;
    path_ = schedule.empty() ? core::AppFilePath(programDir, kNewFileName)
                             : ResolveAgentPath(programDir, schedule);
    setsSchedule_ = schedule.empty();
    newFile_ = !core::FileExists(path_);
    if ((setsSchedule_ || newFile_) &&
        forms::MsgBox(L"時間割ファイルがありません。作成しますか?",
                      forms::kMbQuestion | forms::kMbYesNo) != forms::kIdYes) {
        return;
    }
    std::string content;
    if (!newFile_) {
        // Without a Schedule, a file of the new file's name already beside the program is
        // taken as it is rather than overwritten key by key.
        core::FileRead read = core::ReadFileBytes(path_);
        if (read.error != 0) {
            forms::MsgBox(ReadFailureMessage(read.error), forms::kMbError);
            return;
        }
        content = std::move(read.bytes);
    }
    asRead_ = ReadDraft(std::move(content));
    draft_ = asRead_;
    adjust_ = state_.settings.values.clockAdjust;
    Show(true);
}

void TimetableEditor::Form_Load() {
    CentreOnScreen(*this);
    SetKeyPreview(true);
    saved_ = false;
    closing_ = false;
    refused_ = nullptr;
    loading_ = true;
    LST_Rows.Clear();
    for (int row = 0; row < kTimetableRows; ++row) {
        LST_Rows.AddItem(RowSummary(row, draft_.rows[std::size_t(row)]));
    }
    for (int day = 0; day < kWeekdays; ++day) {
        TXT_Plan[day].SetText(PlanShown(draft_.plans[std::size_t(day)]));
    }
    TXT_Adjust.SetText(std::to_wstring(adjust_));
    LST_Rows.SetListIndex(0);
    loading_ = false;
    ShowRow(0);
    RefreshFindings();
}

void TimetableEditor::Form_Unload(int16_t& cancel) {
    if (!saved_ && Changed() &&
        forms::MsgBox(*this, L"変更を破棄してよろしいですか?",
                      forms::kMbExclamation | forms::kMbYesNo) != forms::kIdYes) {
        cancel = 1;
        return;
    }
    closing_ = true;
}

// ---- The selected row

void TimetableEditor::LST_Rows_Click() {
    if (loading_) {
        return;
    }
    const int row = LST_Rows.ListIndex();
    if (row < 0 || row == row_) {
        return;
    }
    if (!HoldOnUnaccepted()) {
        ShowRow(row);
        return;
    }
    // A time of the row shown is still refused: the selection stays with that row.
    loading_ = true;
    LST_Rows.SetListIndex(row_);
    loading_ = false;
}

void TimetableEditor::ShowRow(int row) {
    row_ = row;
    const DraftRow& r = draft_.rows[std::size_t(row)];
    loading_ = true;
    TXT_Name.SetText(r.name);
    CHK_Use.SetValue(r.takesPart ? 1 : 0);
    TXT_Start.SetText(TimeShown(r.start));
    TXT_End.SetText(TimeShown(r.end));
    TXT_Remark.SetText(r.remark);
    loading_ = false;
}

void TimetableEditor::RowEdited() {
    const std::wstring line = RowSummary(row_, draft_.rows[std::size_t(row_)]);
    if (LST_Rows.List(row_) != line) {
        loading_ = true;
        LST_Rows.SetList(row_, line);
        loading_ = false;
    }
    RefreshFindings();
}

// ---- Names and remarks: whatever the file's code page holds

void TimetableEditor::TextKeyPress(int16_t& key) {
    const wchar_t c = forms::KeyChar(key);
    if (c >= L' ' && !InCodePage(c)) {
        key = 0;
    }
}

void TimetableEditor::TextChange(forms::TextBox& box) {
    if (loading_) {
        return;
    }
    const std::wstring kept = StorableCharacters(box.Text());
    if (kept != box.Text()) {
        box.SetText(kept);  // raises Change again with the kept text
        box.SetSelStart(int(kept.size()));
        return;
    }
    DraftRow& r = draft_.rows[std::size_t(row_)];
    (&box == &TXT_Name ? r.name : r.remark) = kept;
    RowEdited();
}

// ---- Times, day plans and the clock adjustment: taken as typed when they read as one,
// refused on leaving the box when they do not

bool TimetableEditor::Accept(forms::TextBox& box) {
    const std::wstring& text = box.Text();
    if (&box == &TXT_Start || &box == &TXT_End) {
        DraftTime& time = &box == &TXT_Start ? draft_.rows[std::size_t(row_)].start
                                             : draft_.rows[std::size_t(row_)].end;
        if (text == TimeShown(time)) {
            return true;  // as it was, also a text from the file that is no time
        }
        const auto minutes = ParseTypedTime(text);
        if (minutes) {
            time = {*minutes, L""};
        }
        return minutes.has_value();
    }
    if (&box == &TXT_Adjust) {
        const auto seconds = ParseTypedSeconds(text);
        adjust_ = seconds.value_or(adjust_);
        return seconds.has_value();
    }
    std::wstring& plan = draft_.plans[std::size_t(box.Index())];
    if (text == PlanShown(plan)) {
        return true;
    }
    const auto typed = ParseTypedPlan(text);
    plan = typed.value_or(plan);
    return typed.has_value();
}

void TimetableEditor::CheckedChange(forms::TextBox& box) {
    if (loading_) {
        return;
    }
    if (Accept(box)) {
        refused_ = nullptr;
        RowEdited();
    }
}

void TimetableEditor::CheckedLostFocus(forms::TextBox& box) {
    // Cancel and closing need no valid entry; they ask before discarding it.
    if (loading_ || closing_ || !Visible() || ActiveControl() == &CMD_Cancel || Accept(box)) {
        return;
    }
    Refuse(box);
}

forms::TextBox* TimetableEditor::Unaccepted() {
    for (forms::TextBox* box : {&TXT_Start, &TXT_End, &TXT_Adjust}) {
        if (!Accept(*box)) {
            return box;
        }
    }
    for (int day = 0; day < kWeekdays; ++day) {
        if (!Accept(TXT_Plan[day])) {
            return &TXT_Plan[day];
        }
    }
    return nullptr;
}

// True when a box holds an entry that is refused: it is reported (unless leaving it has
// just done so) and gets the focus back.
bool TimetableEditor::HoldOnUnaccepted() {
    forms::TextBox* box = Unaccepted();
    if (box == nullptr) {
        return false;
    }
    if (refused_ == box) {
        refused_ = nullptr;
        box->SetFocus();
    } else {
        Refuse(*box);
    }
    return true;
}

void TimetableEditor::Refuse(forms::TextBox& box) {
    const wchar_t* message = &box == &TXT_Adjust ? kAdjustRefused
                             : box.Index() >= 0  ? kPlanRefused
                                                 : kTimeRefused;
    refused_ = &box;
    forms::MsgBox(*this, message, forms::kMbError);
    box.SetFocus();
    box.Select(0, -1);
}

void TimetableEditor::RefreshFindings() {
    const std::vector<std::wstring> findings =
        TimetableFindings(draft_, state_.catalogue.excludedMeals);
    if (findings == LST_Check.Items()) {
        return;
    }
    LST_Check.Clear();
    for (const std::wstring& finding : findings) {
        LST_Check.AddItem(finding);
    }
}

// ---- Saving and closing

bool TimetableEditor::Changed() {
    return Unaccepted() != nullptr || !ChangedKeys(asRead_, draft_).empty() ||
           adjust_ != state_.settings.values.clockAdjust;
}

// Every changed name and remark must read back from the file as it was typed.
bool TimetableEditor::TextsStorable() {
    for (int row = 0; row < kTimetableRows; ++row) {
        const DraftRow& r = draft_.rows[std::size_t(row)];
        const DraftRow& was = asRead_.rows[std::size_t(row)];
        for (const auto& [text, before, box] :
             {std::tuple{&r.name, &was.name, &TXT_Name}, {&r.remark, &was.remark, &TXT_Remark}}) {
            const StoreProblem problem = CheckStorable(core::Trim(*text));
            if (*text != *before && problem != StoreProblem::None) {
                LST_Rows.SetListIndex(row);
                forms::MsgBox(*this, StoreProblemMessage(problem), forms::kMbError);
                box->SetFocus();
                return false;
            }
        }
    }
    return true;
}

void TimetableEditor::CMD_Save_Click() {
    if (HoldOnUnaccepted() || !TextsStorable()) {
        return;
    }
    const std::vector<KeyChange> changes = ChangedKeys(asRead_, draft_);
    const bool timetableChanged = !changes.empty() || newFile_;
    if (timetableChanged) {
        const int error = WriteKeyChanges(path_, changes);
        if (error != 0) {
            forms::MsgBox(*this, L"ファイルの書き込みを失敗しました Err=" + std::to_wstring(error),
                          forms::kMbError);
            return;
        }
        if (setsSchedule_) {
            state_.settings.values.schedule = path_;
        }
    }
    state_.settings.values.clockAdjust = adjust_;
    saved_ = true;
    if (timetableChanged &&
        forms::MsgBox(*this, L"時間割を保存しました。再起動して反映しますか?",
                      forms::kMbQuestion | forms::kMbYesNo) == forms::kIdYes &&
        restart_) {
        restart_();
    }
    Unload();
}

}  // namespace agent
