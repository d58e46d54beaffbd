#include "mensato_forms.h"

#include <utility>

#include "core/runtime.h"
#include "core/text.h"

namespace mensato {

namespace {

constexpr int16_t kEnter = 13;

constexpr int kNewButton = 0;
constexpr int kRegisterButton = 1;
constexpr int kDeleteButton = 2;

// A box's leading number as a 16-bit integer (to the nearest); nullopt when it does not fit.
std::optional<int16_t> WholeNumber(const forms::TextBox& box) {
    return core::RoundToInt16(core::Val(box.Text()));
}

}  // namespace

std::wstring SettingsPath(const forms::App& app) {
    return core::AppFilePath(app.Path(), app.ExeName() + L".ini");
}

// ---- Ruler window

RulerForm::RulerForm() : Form(L"Form2") {
    SetBorderStyle(0);
    SetShowInTaskbar(false);
    SetScaleMode(forms::ScaleMode::Twips);
    forms::Font font;
    font.name = L"MS UI Gothic";
    font.size = 9;
    SetFont(font);
    MouseMove = [this](int button, int, float, float) {
        if (button == forms::kLeftButton) {
            BeginDrag();
        }
    };
}

void RulerForm::DrawRuler(const RulerLayout& layout) {
    Move(Left(), Top(), layout.width, layout.height);
    Cls();
    const Segment& base = layout.baseLine;
    Line(base.x1, base.y1, base.x2, base.y2, forms::kBlack);
    for (const Segment& tick : layout.ticks) {
        Line(tick.x1, tick.y1, tick.x2, tick.y2, forms::kBlack);
    }
    for (const ScaleNumber& number : layout.numbers) {
        SetCurrent(number.x, number.y);
        Print(number.text);
    }
}

// ---- Settings window

SettingsForm::SettingsForm(Module1& module, RulerForm& ruler)
    : Form(L"Form1"), module_(module), ruler_(ruler) {
    SetCaption(L"物差し");
    SetBorderStyle(1);
    Move(0, 0, 4410, 3330);
    BuildControls();

    OnLoad = [this] { Form_Load(); };
    OnResize = [this] { Form_Resize(); };
    OnUnload = [this](int16_t&) { Form_Unload(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Command1.Click = [this](int index) {
        if (index == kNewButton) {
            ProposeForScreen();
        } else if (index == kRegisterButton) {
            RegisterCalibration();
        } else if (index == kDeleteButton) {
            DeleteCalibration();
        }
    };
    Command2.Click = [this] { ApplyBoxes(); };
    Command3.Click = [this] { SwitchOrientation(); };
    ruler_.DblClick = [this] { SwitchOrientation(); };
    Text1.KeyPress = [this](int16_t& key) { Text1_KeyPress(key); };
    Text2.KeyPress = [this](int, int16_t& key) { Text2_KeyPress(key); };
    MNU_Exit.Click = [this] { Unload(); };
}

void SettingsForm::BuildControls() {
    struct LabelDesign {
        const wchar_t* caption;
        double left, top, width;
    };
    static constexpr LabelDesign kLabels[] = {{L"画面の大きさと解像度", 120, 120, 4080},
                                              {L"1cmの大きさ", 120, 1365, 1215},
                                              {L"Twips", 2535, 1365, 615},
                                              {L"余白", 120, 1785, 1215},
                                              {L"物差しの長さ", 120, 2205, 1215}};
    for (int i = 0; i < 5; ++i) {
        forms::Label& label = Label1.Load(i);
        label.SetCaption(kLabels[i].caption);
        label.Move(kLabels[i].left, kLabels[i].top, kLabels[i].width, 255);
        label.SetVisible(true);
    }
    Combo1.SetStyle(0);
    Combo1.Move(120, 390, 4080, 315);

    static constexpr const wchar_t* kButtons[] = {L"新規", L"登録", L"削除"};
    for (int i = 0; i < 3; ++i) {
        forms::CommandButton& button = Command1.Load(i);
        button.SetCaption(kButtons[i]);
        button.Move(120 + i * 1410, 810, 1260, 375);
        button.SetVisible(true);
    }
    Text1.SetMaxLength(7);
    Text1.SetImeOff(true);
    Text1.Move(1380, 1320, 1095, 315);
    for (int i = 0; i < 2; ++i) {
        forms::TextBox& box = Text2.Load(i);
        box.SetMaxLength(2);
        box.SetImeOff(true);
        box.Move(1380, 1740 + i * 420, 495, 315);
        box.SetVisible(true);
    }
    Command2.SetCaption(L"&cm");
    Command2.Move(1935, 2145, 540, 345);
    Command3.SetCaption(L"縦 ⇔ 横");
    Command3.Move(2940, 1740, 1260, 750);
    MNU_Exit.SetCaption(L"終了(&X)");
}

void SettingsForm::Form_Load() {
    // At log-off or shutdown the system ends the program without unloading this window.
    GetApp().OnSessionEnd = [this] { SaveRulerSettings(); };
    Move(0, 0, Width(), Height());
    ruler_.Load();
    module_.shape = RulerShape{};
    ProposeForScreen();
    Text1.SetText(TwipsPerCmText(module_.twipsPerCm));
    Text2[0].SetText(std::to_wstring(module_.shape.marginMm));
    Text2[1].SetText(std::to_wstring(module_.shape.lengthCm));

    const bool settingsExist = LoadRulerSettings();
    for (const CalibrationEntry& entry : module_.calibrations) {
        Combo1.AddItem(entry.name);
    }
    if (module_.currentEntry != 0) {
        SelectEntry(module_.currentEntry);
    }
    ApplyBoxes();
    CentreRuler();
    ruler_.Show();
    if (module_.currentEntry != 0) {
        Show();
        Command3.SetFocus();
    }
    if (!settingsExist) {
        forms::MsgBox(*this, kInstruction, forms::kMbOk | forms::kMbInformation);
    }
}

bool SettingsForm::LoadRulerSettings() {
    const CalibrationsFile file = LoadCalibrations(module_.settingsPath);
    module_.calibrations = file.stored.entries;
    module_.loadedCalibrations = file.stored.entries;
    module_.loadedCurrentEntry = file.stored.currentEntry;
    module_.currentEntry = UsableCurrentEntry(file.stored.currentEntry, file.stored.entries.size());
    module_.settingsUnread = file.readError != 0;
    if (module_.settingsUnread) {
        forms::MsgBox(*this, std::wstring(kReadFailedMessage) + std::to_wstring(file.readError),
                      forms::kMbOk | forms::kMbError);
    }
    return file.exists;
}

void SettingsForm::Form_Resize() {
    if (WindowState() == forms::WindowState::Minimized) {
        ruler_.Hide();
    } else if (!ruler_.Visible()) {
        ruler_.Show();
    }
}

void SettingsForm::Form_Unload() {
    SaveRulerSettings();
    ruler_.Unload();
}

void SettingsForm::SaveRulerSettings() {
    if (module_.settingsUnread) {
        return;
    }
    const int error = SaveCalibrations(module_.settingsPath,
                                       {module_.loadedCurrentEntry, module_.loadedCalibrations},
                                       {module_.currentEntry, module_.calibrations});
    if (error != 0) {
        forms::MsgBox(*this, std::wstring(kWriteFailedMessage) + std::to_wstring(error),
                      forms::kMbOk | forms::kMbError);
        return;
    }
    // The file now holds this state: a later save (the window unloading after the session
    // end) writes nothing again.
    module_.loadedCalibrations = module_.calibrations;
    module_.loadedCurrentEntry = module_.currentEntry;
}

void SettingsForm::Combo1_Click() {
    const int index = Combo1.ListIndex();
    if (index < 0) {
        return;
    }
    const CalibrationEntry& entry = module_.calibrations[size_t(index)];
    Text1.SetText(TwipsPerCmText(entry.twipsPerCm));
    module_.currentEntry = static_cast<int16_t>(index + 1);
    ApplyBoxes();
}

void SettingsForm::SelectEntry(int k) {
    if (Combo1.ListIndex() == k - 1) {
        Combo1.SetText(Combo1.List(k - 1));
        Combo1_Click();
    } else {
        Combo1.SetListIndex(k - 1);
    }
}

void SettingsForm::ProposeForScreen() {
    // Asked afresh: the resolution may have changed since the program started.
    const forms::ScreenInfo screen = GetApp().GetHost().Screen();
    const Proposal proposal =
        ProposeCalibration({screen.widthPixels, screen.heightPixels, screen.widthMillimetres,
                            screen.heightMillimetres, screen.tpp});
    Text1.SetText(TwipsPerCmText(proposal.twipsPerCm));
    Combo1.SetText(proposal.name);
    UseRuler(proposal.twipsPerCm, module_.shape);
}

int SettingsForm::FindEntry() const {
    const std::wstring name = core::Trim(Combo1.Text());
    for (size_t k = 0; k < module_.calibrations.size(); ++k) {
        if (module_.calibrations[k].name == name) {
            return int(k) + 1;
        }
    }
    return 0;
}

void SettingsForm::RegisterCalibration() {
    const std::wstring name = core::Trim(Combo1.Text());
    if (name.empty() || !NameSurvivesSettingsFile(name)) {
        forms::MsgBox(*this, name.empty() ? kEnterNameMessage : kUnstorableNameMessage,
                      forms::kMbOk | forms::kMbError);
        Combo1.SetFocus();
        return;
    }
    const auto value = TwipsPerCmFromText(Text1.Text());
    if (!RulerFits(module_.shape, value, GetApp().Screen().tpp)) {
        forms::MsgBox(*this, kEnterNumberMessage, forms::kMbOk | forms::kMbError);
        Text1.SetFocus();
        return;
    }
    if (forms::MsgBox(*this, kRegisterQuestion, forms::kMbYesNo | forms::kMbQuestion) !=
        forms::kIdYes) {
        return;
    }
    int k = FindEntry();
    if (k != 0) {
        module_.calibrations[size_t(k - 1)] = {name, value};
        Combo1.SetList(k - 1, name);
    } else {
        module_.calibrations.push_back({name, value});
        Combo1.AddItem(name);
        k = Combo1.ListCount();
    }
    module_.currentEntry = static_cast<int16_t>(k);
    SelectEntry(k);
}

void SettingsForm::DeleteCalibration() {
    if (Combo1.ListIndex() < 0) {
        forms::MsgBox(*this, kChooseEntryMessage, forms::kMbOk | forms::kMbError);
        return;
    }
    if (forms::MsgBox(*this, kDeleteQuestion, forms::kMbYesNo | forms::kMbExclamation) !=
        forms::kIdYes) {
        return;
    }
    const int k = FindEntry();
    if (k == 0) {
        return;
    }
    module_.calibrations.erase(module_.calibrations.begin() + (k - 1));
    Combo1.RemoveItem(k - 1);
    if (module_.calibrations.empty()) {
        module_.currentEntry = 0;
        Combo1.SetListIndex(-1);
    } else {
        SelectEntry(1);
    }
}

void SettingsForm::SwitchOrientation() {
    ApplyBoxes(module_.shape.orientation == Orientation::Horizontal ? Orientation::Vertical
                                                                    : Orientation::Horizontal);
}

bool SettingsForm::ApplyBoxes(Orientation orientation) {
    // A margin or length beyond 16 bits becomes -1, which no ruler accepts.
    const RulerShape shape{WholeNumber(Text2[0]).value_or(-1), WholeNumber(Text2[1]).value_or(-1),
                           orientation};
    return UseRuler(TwipsPerCmFromText(Text1.Text()), shape);
}

bool SettingsForm::UseRuler(float twipsPerCm, const RulerShape& shape) {
    if (!RulerFits(shape, twipsPerCm, GetApp().Screen().tpp)) {
        GetApp().GetHost().Beep();
        return false;
    }
    module_.twipsPerCm = twipsPerCm;
    module_.shape = shape;
    ruler_.DrawRuler(LayOutRuler(shape, twipsPerCm));
    return true;
}

void SettingsForm::CentreRuler() {
    const forms::App& app = GetApp();
    const int32_t left = core::RoundToInt32((app.ScreenWidth() - ruler_.Width()) / 2).value_or(0);
    const int32_t top = core::RoundToInt32((app.ScreenHeight() - ruler_.Height()) / 2).value_or(0);
    ruler_.Move(left, top, ruler_.Width(), ruler_.Height());
}

void SettingsForm::Text1_KeyPress(int16_t& key) {
    if (key == kEnter) {
        key = 0;
        ApplyBoxes();
    } else {
        forms::DigitsOnly(key, L".");
    }
}

void SettingsForm::Text2_KeyPress(int16_t& key) {
    if (key == kEnter) {
        key = 0;
        ApplyBoxes();
    } else {
        forms::DigitsOnly(key);
    }
}

}  // namespace mensato
