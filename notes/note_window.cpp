#include "note_window.h"

#include <algorithm>

#include "core/geometry.h"
#include "core/runtime.h"
#include "core/text.h"
#include "form_common.h"
#include "pindorel_forms.h"

namespace pindorel {

namespace {

// The margin fit-to-text adds around the text, twips.
constexpr double kFitMargin = 120;
// A new note's size, twips.
constexpr double kNewNoteWidth = 2880;
constexpr double kNewNoteHeight = 2160;

constexpr std::wstring_view kClipboardFailed = L"クリップボードに書き込めませんでした。";

bool FitsNote(std::wstring_view text) {
    return LimitNoteText(text) == WithCrLf(text);
}

struct Selection {
    int start = 0;
    int length = 0;
};

// The selection the user had in the text before, found from the text after a change and
// its caret: typing, pasting or an input method's text replaces the selection, keeps the
// text before and after it and leaves the caret after what it put in. Where what was put
// in begins as the selection did, the selection found is the part the change altered.
Selection SelectionBefore(std::wstring_view before, std::wstring_view after, int caret) {
    const size_t insertedEnd = std::min(size_t(std::max(caret, 0)), after.size());
    const size_t kept = std::min(after.size() - insertedEnd, before.size());
    const size_t end = before.size() - kept;
    const size_t limit = std::min(end, insertedEnd);
    const size_t start = size_t(
        std::mismatch(before.begin(), before.begin() + ptrdiff_t(limit), after.begin()).first -
        before.begin());
    return {int(start), int(end - start)};
}

}  // namespace

NoteForm::NoteForm(Notes& notes) : Form(L"Form2"), notes_(notes) {
    SetCaption(L"");
    SetBorderStyle(2);
    SetControlBox(false);
    SetShowInTaskbar(false);
    Move(0, 0, kNewNoteWidth, kNewNoteHeight);
    FitFace();
    const forms::ScreenInfo& screen = GetApp().Screen();
    Picture1.SetBorderStyle(0);
    Text1.SetContainer(&Picture1);
    Text1.SetMultiLine(true);
    Text1.SetMaxLength(int(kMaxTextBytes));
    Text1.SetBackColor(screen.windowColor);
    Text1.SetForeColor(screen.windowTextColor);

    MNU_Popup.SetCaption(L"Popup");
    MNU_Popup.SetVisible(false);
    MNU_Edit.SetCaption(L"編集(&E)");
    MNU_Delete.SetCaption(L"削除(&D)");
    MNU_New.SetCaption(L"新規作成(&N)");
    MNU_Pipe1.SetCaption(L"-");
    MNU_Font.SetCaption(L"フォント(&F)...");
    MNU_Color_B.SetCaption(L"背景色(&B)...");
    MNU_Color_F.SetCaption(L"前景色(&W)...");
    MNU_Pipe2.SetCaption(L"-");
    MNU_Clip_Cut.SetCaption(L"クリップボードに切り取り(&T)");
    MNU_Clip_Copy.SetCaption(L"クリップボードにコピー(&C)");
    MNU_Clip_Paste.SetCaption(L"クリップボードから貼り付け(&P)");
    MNU_Pipe3.SetCaption(L"-");
    MNU_Size.SetCaption(L"サイズの調整(&S)");

    OnLoad = [this] { Form_Load(); };
    OnResize = [this] { Form_Resize(); };
    OnDeactivate = [this] { Form_Deactivate(); };
    OnUnload = [this](int16_t& cancel) {
        // Only the note's own commands remove it; the system's close (Alt+F4) does not.
        if (!removing_) {
            cancel = 1;
            return;
        }
        notes_.notesChanged = true;
    };
    MouseMove = [this](int button, int, float, float) { Form_MouseMove(button); };
    MouseUp = [this](int button, int, float, float) { Form_MouseUp(button); };
    DblClick = [this] { MNU_Edit_Click(); };
    Text1.KeyPress = [this](int16_t& key) { Text1_KeyPress(key); };
    Text1.Change = [this] { Text1_Change(); };
    MNU_Edit.Click = [this] { MNU_Edit_Click(); };
    MNU_Delete.Click = [this] { MNU_Delete_Click(); };
    MNU_New.Click = [this] { notes_.ShowNewNote(L""); };
    MNU_Font.Click = [this] { MNU_Font_Click(); };
    MNU_Color_B.Click = [this] { ChooseColour(true); };
    MNU_Color_F.Click = [this] { ChooseColour(false); };
    MNU_Clip_Cut.Click = [this] { MNU_Clip_Cut_Click(); };
    MNU_Clip_Copy.Click = [this] { forms::GetHost().SetClipboardText(Text1.Text()); };
    MNU_Clip_Paste.Click = [this] { MNU_Clip_Paste_Click(); };
    MNU_Size.Click = [this] { MNU_Size_Click(); };
}

void NoteForm::Form_Load() {
    FitFace();
    // A note restored from its file keeps the file's font and colours: the defaults are
    // for new notes.
    const NoteDefaults& defaults = notes_.settings.defaults;
    if (!restored_ && !core::Trim(defaults.font.name).empty()) {
        SetNoteFont(defaults.font);
        Text1.SetBackColor(forms::Color(defaults.backColor));
        Text1.SetForeColor(forms::Color(defaults.foreColor));
    }
    editing_ = false;
}

// The face and the text box fill the note. Also done before the note loads, so that their
// windows are made at their size.
void NoteForm::FitFace() {
    Picture1.Move(0, 0, Width(), Height());
    Text1.Move(0, 0, Width(), Height());
}

void NoteForm::SetNoteFont(const core::FontSpec& font) {
    Text1.SetFont(FontOf(font));
    Picture1.SetFont(Text1.Font());
}

void NoteForm::SetNoteText(std::wstring_view text) {
    Text1.SetText(LimitNoteText(text));
}

NoteRecord NoteForm::Record() const {
    NoteRecord r;
    r.left = float(Left());
    r.top = float(Top());
    r.width = float(Width());
    r.height = float(Height());
    r.font = SpecOf(Text1.Font());
    r.backColor = int32_t(Text1.BackColor());
    r.foreColor = int32_t(Text1.ForeColor());
    r.text = Text1.Text();
    return r;
}

void NoteForm::ApplyRecord(const NoteRecord& record) {
    restored_ = true;
    const forms::App& app = GetApp();
    double left = record.left;
    double top = record.top;
    const core::Position asStored{core::RoundToInt32(left).value_or(0),
                                  core::RoundToInt32(top).value_or(0)};
    core::Position position = asStored;
    core::KeepOnScreen(record.width, record.height, position, app.Screen().metrics,
                       app.Screen().tpp, app.ScreenWidth(), app.ScreenHeight());
    if (position.left != asStored.left) {
        left = position.left;
    }
    if (position.top != asStored.top) {
        top = position.top;
    }
    Move(left, top, record.width, record.height);
    FitFace();
    SetNoteFont(record.font);
    const forms::ScreenInfo& screen = app.Screen();
    Text1.SetBackColor(forms::Color(ResolveColour(record.backColor, int32_t(screen.windowColor),
                                                  int32_t(screen.windowTextColor))));
    Text1.SetForeColor(forms::Color(ResolveColour(record.foreColor, int32_t(screen.windowColor),
                                                  int32_t(screen.windowTextColor))));
    SetNoteText(record.text);
}

void NoteForm::Form_Resize() {
    FitFace();
    notes_.notesChanged = true;
}

void NoteForm::Form_MouseMove(int button) {
    if ((button & forms::kLeftButton) == 0) {
        return;
    }
    BeginDrag();
    notes_.notesChanged = true;
}

void NoteForm::Form_MouseUp(int button) {
    if (button == forms::kRightButton) {
        PopupMenu(MNU_Popup);
    }
}

void NoteForm::MNU_Edit_Click() {
    editing_ = true;
    textAtEditStart_ = Text1.Text();
    notes_.notesChanged = true;
    Picture1.SetEnabled(true);
    if (GetApp().ActiveForm() != this) {
        Activate();
    }
    Text1.SetFocus();
    Text1.Select(int(Text1.Text().size()), 0);  // typing goes on at the end
}

void NoteForm::Form_Deactivate() {
    Picture1.SetEnabled(false);
    if (!editing_) {
        return;
    }
    editing_ = false;
    if (Text1.Text() != textAtEditStart_) {
        notes_.SaveIfSavingOnEditEnd();
    }
}

void NoteForm::Text1_KeyPress(int16_t key) {
    if (key == kEscape) {
        Form_Deactivate();
        LeaveText();
    }
}

// The view state takes no typing: the keyboard goes from the text box to the window itself,
// as it leaves the note when another window is activated.
void NoteForm::LeaveText() {
    if (!Text1.HasFocus()) {
        return;
    }
    NoteFocus(nullptr);
    if (forms::FormPeer* peer = GetPeer()) {
        peer->Focus();
    }
}

// The text box holds what the note file will hold. A change that would take the text past
// what a note can store is refused, leaving the text, the caret and the selection as they
// were; a character the file's code page cannot hold shows at once as what will be stored.
// Either way the user hears it.
void NoteForm::Text1_Change() {
    if (adjusting_) {
        return;
    }
    const std::wstring text = Text1.Text();
    const int caret = Text1.SelStart();
    if (!FitsNote(text)) {
        const Selection kept = SelectionBefore(acceptedText_, text, caret);
        SetShownText(acceptedText_, kept.start, kept.length);
        forms::GetHost().Beep();
        return;
    }
    const std::wstring stored = core::FromCp932(core::ToCp932(text));
    if (stored != text) {
        const std::wstring_view head = std::wstring_view(text).substr(0, size_t(caret));
        SetShownText(stored, int(core::FromCp932(core::ToCp932(head)).size()), 0);
        forms::GetHost().Beep();
        return;
    }
    acceptedText_ = text;
}

void NoteForm::SetShownText(const std::wstring& text, int selStart, int selLength) {
    adjusting_ = true;
    Text1.SetText(text);
    adjusting_ = false;
    acceptedText_ = text;
    Text1.Select(selStart, selLength);
}

void NoteForm::MNU_Delete_Click() {
    notes_.notesChanged = true;
    removing_ = true;
    Unload();
    removing_ = false;
}

void NoteForm::MNU_Font_Click() {
    core::FontSpec spec = SpecOf(Text1.Font());
    if (forms::GetHost().FontDialog(this, spec) != 0) {
        return;
    }
    notes_.notesChanged = true;
    SetNoteFont(spec);
}

void NoteForm::ChooseColour(bool background) {
    if (ChooseBoxColour(*this, Text1, background)) {
        notes_.notesChanged = true;
    }
}

void NoteForm::MNU_Clip_Cut_Click() {
    const std::wstring text = Text1.Text();
    forms::Host& host = forms::GetHost();
    host.SetClipboardText(text);
    if (host.ClipboardText() != text) {
        forms::MsgBox(*this, kClipboardFailed, forms::kMbError);
        return;
    }
    MNU_Delete_Click();
}

void NoteForm::MNU_Clip_Paste_Click() {
    const std::wstring clip = notes_.ClipboardNoteText();
    if (!Text1.Text().empty()) {
        notes_.ShowNewNote(clip);
    } else {
        SetNoteText(clip);
        notes_.notesChanged = true;
    }
    if (!clip.empty()) {
        notes_.SaveIfSavingOnEditEnd();
    }
}

void NoteForm::MNU_Size_Click() {
    const std::wstring& text = Text1.Text();
    Move(Left(), Top(), Picture1.TextWidth(text) + kFitMargin,
         Picture1.TextHeight(text) + kFitMargin);
}

}  // namespace pindorel
