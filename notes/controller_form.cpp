#include "controller_form.h"

#include "pindorel_forms.h"

namespace pindorel {

namespace {

constexpr std::wstring_view kIconFailed = L"通知領域にアイコンを登録できませんでした。";
constexpr std::wstring_view kExitAnyway =
    L"付箋を保存できませんでした。このまま終了すると、保存されていない変更は失われます。\r\n"
    L"終了しますか?";
constexpr std::wstring_view kAlreadyRunning = L"このフォルダーの Pindorel はすでに起動しています。";

}  // namespace

DummyForm::DummyForm() : Form(L"frmDUMMY") {
    SetBorderStyle(0);
    SetShowInTaskbar(false);
    OnLoad = [this] { Move(0, 0, 0, 0); };
}

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
    forms::ShowStartUpItem(MNU_StartUp);
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
    MNU_StartUp.Click = [this] { forms::ChooseStartUpItem(MNU_StartUp); };
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
            forms::ShowStartUpItem(MNU_StartUp);  // the user may have changed it elsewhere
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

}  // namespace pindorel
