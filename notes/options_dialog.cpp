#include "options_dialog.h"

#include "core/runtime.h"
#include "core/text.h"
#include "form_common.h"
#include "pindorel_forms.h"

namespace pindorel {

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

}  // namespace pindorel
