#include "pindorel_forms.h"

#include <algorithm>

#include "core/geometry.h"
#include "core/runtime.h"
#include "core/text.h"

namespace pindorel {

namespace {

constexpr int16_t kEscape = 27;
// The margin fit-to-text adds around the text, twips.
constexpr double kFitMargin = 120;
// A new note's size and the cascade of new notes' positions, twips.
constexpr double kNewNoteWidth = 2880;
constexpr double kNewNoteHeight = 2160;
constexpr double kCascadeStart = 600;
constexpr double kCascadeStep = 360;
constexpr int kCascadeSteps = 8;

constexpr std::wstring_view kIconFailed = L"通知領域にアイコンを登録できませんでした。";
constexpr std::wstring_view kReadFailed = L"ファイルの読み込みを失敗しました";
constexpr std::wstring_view kWriteFailed = L"ファイルの書き込みを失敗しました Err=";
constexpr std::wstring_view kExitAnyway =
    L"付箋を保存できませんでした。このまま終了すると、保存されていない変更は失われます。\r\n"
    L"終了しますか?";
constexpr std::wstring_view kAlreadyRunning = L"このフォルダーの Pindorel はすでに起動しています。";
constexpr std::wstring_view kClipboardFailed = L"クリップボードに書き込めませんでした。";

core::FontSpec SpecOf(const forms::Font& font) {
    return {font.name,
            font.size,
            font.bold ? -1 : 0,
            uint8_t(font.italic ? 255 : 0),
            uint8_t(font.underline ? 255 : 0),
            uint8_t(font.strikethrough ? 255 : 0),
            0};
}

forms::Font FontOf(const core::FontSpec& spec) {
    return {spec.name,        spec.size,           spec.bold != 0,
            spec.italic != 0, spec.underline != 0, spec.strikethrough != 0};
}

// The colour dialog for a text box's background or text colour; true when one was chosen.
bool ChooseBoxColour(forms::Form& owner, forms::TextBox& box, bool background) {
    const int32_t chosen =
        forms::GetHost().ColorDialog(&owner, background ? box.BackColor() : box.ForeColor());
    if (chosen < 0) {
        return false;
    }
    if (background) {
        box.SetBackColor(forms::Color(chosen));
    } else {
        box.SetForeColor(forms::Color(chosen));
    }
    return true;
}

bool FitsNote(std::wstring_view text) {
    return LimitNoteText(text) == WithCrLf(text);
}

}  // namespace

std::wstring SettingsPath(const forms::App& app) {
    return core::AppFilePath(app.Path(), app.ExeName() + L".ini");
}

// ---- Note window

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
    }
}

// The text box holds what the note file will hold. A change that would take the text past
// what a note can store is refused, leaving the text and the caret where they were; a
// character the file's code page cannot hold shows at once as what will be stored. Either
// way the user hears it.
void NoteForm::Text1_Change() {
    if (adjusting_) {
        return;
    }
    const std::wstring text = Text1.Text();
    const int caret = Text1.SelStart();
    if (!FitsNote(text)) {
        const int before = std::max(0, caret - int(text.size() - acceptedText_.size()));
        SetShownText(acceptedText_, std::min(before, int(acceptedText_.size())));
        forms::GetHost().Beep();
        return;
    }
    const std::wstring stored = core::FromCp932(core::ToCp932(text));
    if (stored != text) {
        const std::wstring_view head = std::wstring_view(text).substr(0, size_t(caret));
        SetShownText(stored, int(core::FromCp932(core::ToCp932(head)).size()));
        forms::GetHost().Beep();
        return;
    }
    acceptedText_ = text;
}

void NoteForm::SetShownText(const std::wstring& text, int caret) {
    adjusting_ = true;
    Text1.SetText(text);
    adjusting_ = false;
    acceptedText_ = text;
    Text1.Select(caret, 0);
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

// ---- Options dialog

OptionsForm::OptionsForm(Notes& notes) : Form(L"Form3"), notes_(notes) {
    SetCaption(L"オプション");
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, 4800, 3900);
    Check2.SetCaption(L"編集終了時にデータを保存");
    Check2.Move(240, 180, 4200, 300);
    Check1.SetCaption(L"変更前のファイルをごみ箱に送る");
    Check1.Move(240, 540, 4200, 300);
    Text1.SetMultiLine(true);
    Text1.SetLocked(true);
    Text1.Move(240, 1020, 2640, 1320);
    const forms::ScreenInfo& screen = GetApp().Screen();
    Text1.SetBackColor(screen.windowColor);
    Text1.SetForeColor(screen.windowTextColor);
    const wchar_t* captions[] = {L"フォント(&F)", L"背景色(&B)", L"前景色(&W)"};
    for (int i = 0; i < 3; ++i) {
        forms::CommandButton& button = Command2.Load(i);
        button.SetCaption(captions[i]);
        button.Move(3060, 1020 + i * 480, 1500, 360);
        button.SetVisible(true);
    }
    Command3.SetCaption(L"デフォルト(&D)");
    Command3.Move(240, 2460, 1500, 360);
    const wchar_t* answers[] = {L"決定(&O)", L"キャンセル(&C)"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command1.Load(i);
        button.SetCaption(answers[i]);
        button.Move(1860 + i * 1440, 3000, 1260, 360);
        button.SetVisible(true);
    }
    // The factory look Command3 restores: the sample's design.
    factoryFont_ = Text1.Font();
    factoryBack_ = Text1.BackColor();
    factoryFore_ = Text1.ForeColor();

    OnLoad = [this] { Form_Load(); };
    KeyPress = [this](int16_t& key) {
        if (key == kEscape) {
            key = 0;
            Unload();
        }
    };
    Command1.Click = [this](int index) { Command1_Click(index); };
    Command2.Click = [this](int index) { Command2_Click(index); };
    Command3.Click = [this] { Command3_Click(); };
}

void OptionsForm::Form_Load() {
    const forms::App& app = GetApp();
    Move(double(core::RoundToInt32(app.ScreenWidth() - Width()).value_or(0) / 2),
         double(core::RoundToInt32(app.ScreenHeight() - Height()).value_or(0) / 2), Width(),
         Height());
    SetKeyPreview(true);
    Check1.SetValue(notes_.settings.deleteToRecycleBin == 1 ? 1 : 0);
    Check2.SetValue(notes_.settings.saveOnEditEnd == 1 ? 1 : 0);
    Command3_Click();
    const NoteDefaults& defaults = notes_.settings.defaults;
    if (!core::Trim(defaults.font.name).empty()) {
        Text1.SetFont(FontOf(defaults.font));
        Text1.SetBackColor(forms::Color(defaults.backColor));
        Text1.SetForeColor(forms::Color(defaults.foreColor));
    }
    Text1.SetText(L"サンプル");
}

void OptionsForm::Command1_Click(int index) {
    if (index == 0) {
        notes_.settings.deleteToRecycleBin = Check1.Value() == 1 ? 1 : 0;
        notes_.settings.saveOnEditEnd = Check2.Value() == 1 ? 1 : 0;
        notes_.settings.defaults = {SpecOf(Text1.Font()), int32_t(Text1.BackColor()),
                                    int32_t(Text1.ForeColor())};
    }
    Unload();
}

void OptionsForm::Command2_Click(int index) {
    forms::Host& host = forms::GetHost();
    if (index == 0) {
        core::FontSpec spec = SpecOf(Text1.Font());
        if (host.FontDialog(this, spec) == 0) {
            Text1.SetFont(FontOf(spec));
        }
        return;
    }
    ChooseBoxColour(*this, Text1, index == 1);
}

void OptionsForm::Command3_Click() {
    Text1.SetFont(factoryFont_);
    Text1.SetBackColor(factoryBack_);
    Text1.SetForeColor(factoryFore_);
}

// ---- Helper window

DummyForm::DummyForm() : Form(L"frmDUMMY") {
    SetBorderStyle(0);
    SetShowInTaskbar(false);
    OnLoad = [this] { Move(0, 0, 0, 0); };
}

// ---- Controller

ControllerForm::ControllerForm(Notes& notes) : Form(L"Form1"), notes_(notes) {
    SetCaption(L"Pindorel");
    SetShowInTaskbar(false);
    SetScaleMode(forms::ScaleMode::Pixels);
    MNU_Popup.SetCaption(L"Popup");
    MNU_Popup.SetVisible(false);
    MNU_Tag_New.SetCaption(L"新規作成(&N)");
    MNU_Clip_Paste.SetCaption(L"クリップボードから貼り付け(&P)");
    MNU_Tag_Pipe1.SetCaption(L"-");
    MNU_Tag_Left.SetCaption(L"左上から再配置(&L)");
    MNU_Tag_Right.SetCaption(L"右上から再配置(&R)");
    MNU_Tag_Pipe2.SetCaption(L"-");
    MNU_Option.SetCaption(L"オプション(&O)...");
    MNU_Pipe.SetCaption(L"-");
    MNU_Exit.SetCaption(L"終了(&X)");

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this](int16_t& cancel) { Form_Unload(cancel); };
    MouseMove = [this](int, int, float x, float) { Form_MouseMove(x); };
    MNU_Tag_New.Click = [this] { notes_.ShowNewNote(L""); };
    MNU_Clip_Paste.Click = [this] { MNU_Clip_Paste_Click(); };
    MNU_Tag_Left.Click = [this] { notes_.ArrangeNotes(0); };
    MNU_Tag_Right.Click = [this] { notes_.ArrangeNotes(1); };
    MNU_Option.Click = [this] { notes_.form3.Show(true); };
    MNU_Exit.Click = [this] { Unload(); };
}

void ControllerForm::Form_Load() {
    forms::App& app = GetApp();
    if (!app.ClaimInstance(0, forms::ClaimScope::Folder)) {
        // Another copy shows and saves the notes of this folder: touch nothing.
        forms::MsgBox(kAlreadyRunning, forms::kMbInformation);
        app.End();
    }
    if (forms::GetHost().NotifyIcon(*this, forms::kIconAdd, Caption(), 0) != 0) {
        forms::MsgBox(kIconFailed, forms::kMbError);
        app.ReleaseInstance();
        app.End();
    }
    started_ = true;
    app.OnSessionEnd = [this] { notes_.EndSession(); };
    notes_.ReadSettings();
    notes_.LoadNotes(notes_.store.Recover());
    notes_.notesChanged = false;
}

void ControllerForm::Form_Unload(int16_t& cancel) {
    if (!started_) {
        return;
    }
    if (!notes_.SaveNotes() &&
        forms::MsgBox(kExitAnyway, forms::kMbYesNo | forms::kMbExclamation |
                                       forms::kMbDefaultButton2) != forms::kIdYes) {
        cancel = 1;
        return;
    }
    notes_.WriteSettings();
    forms::GetHost().NotifyIcon(*this, forms::kIconDelete, Caption(), 0);
    GetApp().ReleaseInstance();
    GetApp().End();
}

void ControllerForm::Form_MouseMove(float x) {
    forms::App& app = GetApp();
    if (app.ModalOpen()) {
        return;
    }
    switch (int(x)) {
        case forms::kIconLeftDown:
            notes_.frmDUMMY.Show();
            notes_.frmDUMMY.Unload();
            break;
        case forms::kIconRightDown:
            notes_.frmDUMMY.Show();
            PopupMenu(MNU_Popup);
            notes_.frmDUMMY.Unload();
            break;
        case forms::kIconLeftDoubleClick:
            notes_.ShowNewNote(L"");
            break;
        default:
            break;
    }
}

void ControllerForm::MNU_Clip_Paste_Click() {
    const std::wstring clip = notes_.ClipboardNoteText();
    notes_.ShowNewNote(clip);
    if (!clip.empty()) {
        notes_.SaveIfSavingOnEditEnd();
    }
}

// ---- Program state

Notes::Notes(forms::App& application)
    : app(application),
      folder(application.Path(),
             [this](const std::wstring& path, int16_t recycle) {
                 return int(forms::GetHost().ShellDelete(&form1, path, recycle, 0));
             }),
      settingsFile(SettingsPath(application)) {}

Notes::~Notes() = default;

NoteForm& Notes::CreateNote(std::wstring_view text, const NoteRecord* record) {
    notes.push_back(std::make_unique<NoteForm>(*this));
    NoteForm& note = *notes.back();
    // A stored note is given its record before it loads, so that its windows are made as
    // the record says: changing each window after it exists costs a round trip to the
    // window system per change, which a start with hundreds of notes feels.
    if (record != nullptr) {
        note.ApplyRecord(*record);
    }
    note.Picture1.SetEnabled(false);
    note.Load();
    if (!text.empty()) {
        note.SetNoteText(text);
    }
    return note;
}

NoteForm& Notes::ShowNewNote(std::wstring_view text) {
    NoteForm& note = CreateNote(text);
    const double offset = kCascadeStart + kCascadeStep * (shownNewNotes_++ % kCascadeSteps);
    note.Move(offset, offset, note.Width(), note.Height());
    note.Show();
    return note;
}

void Notes::LoadNotes(const std::vector<std::wstring>& unplaced) {
    FolderScan scan = store.Load(notes.size());
    scan.damaged.insert(scan.damaged.end(), unplaced.begin(), unplaced.end());
    for (const StoredNote& stored : scan.notes) {
        NoteForm& note = CreateNote(L"", &stored.record);
        note.ShowInactive();  // activating each of many notes in turn would only cost time
    }
    if (!scan.damaged.empty()) {
        std::wstring text(kReadFailed);
        for (const std::wstring& name : scan.damaged) {
            text += L"\r\n" + name;
        }
        forms::MsgBox(text, forms::kMbError);
    }
}

bool Notes::SaveNotes() {
    if (!notesChanged) {
        return true;
    }
    std::vector<KeyedNote> snapshot;
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i]->Visible()) {
            snapshot.push_back({i, notes[i]->Record()});
        }
    }
    const SaveOutcome outcome = store.Save(snapshot, settings.deleteToRecycleBin == 1);
    if (!outcome.keptAside.empty()) {
        forms::MsgBox(KeptAsideMessage(outcome.keptAside), forms::kMbInformation);
    }
    if (outcome.failed) {
        forms::MsgBox(std::wstring(kWriteFailed) + std::to_wstring(outcome.error), forms::kMbError);
        return false;
    }
    return true;
}

void Notes::SaveIfSavingOnEditEnd() {
    if (settings.saveOnEditEnd == 1) {
        SaveNotes();
    }
}

void Notes::ArrangeNotes(int side) {
    const double screenWidth = app.ScreenWidth();
    const double screenHeight = app.ScreenHeight();
    double x = side == 0 ? 0 : screenWidth;
    double y = 0;
    double columnWidth = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        NoteForm& note = *notes[i];
        if (!note.Visible()) {
            continue;
        }
        note.Move(side == 0 ? x : x - note.Width(), y, note.Width(), note.Height());
        columnWidth = std::max(columnWidth, note.Width());
        y += note.Height();
        if (i + 1 < notes.size() && float(notes[i + 1]->Height() + y) > screenHeight) {
            x = side == 0 ? x + columnWidth : x - columnWidth;
            y = 0;
            columnWidth = 0;
        }
    }
    notesChanged = true;
}

void Notes::ReadSettings() {
    settings = pindorel::ReadSettings(settingsFile);
    // System colours are painted as what they stand for, as in a note file; the file keeps
    // them unless the options dialog changes the colour.
    const forms::ScreenInfo& screen = app.Screen();
    for (int32_t* colour : {&settings.defaults.backColor, &settings.defaults.foreColor}) {
        *colour =
            ResolveColour(*colour, int32_t(screen.windowColor), int32_t(screen.windowTextColor));
    }
    settingsAsRead = settings;
}

void Notes::WriteSettings() {
    pindorel::WriteSettings(settingsFile, settingsAsRead, settings);
}

std::wstring Notes::ClipboardNoteText() {
    return LimitNoteText(forms::GetHost().ClipboardText());
}

void Notes::EndSession() {
    SaveNotes();
    WriteSettings();
    forms::GetHost().NotifyIcon(form1, forms::kIconDelete, form1.Caption(), 0);
    app.ReleaseInstance();
}

}  // namespace pindorel
