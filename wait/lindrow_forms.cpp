#include "lindrow_forms.h"

#include "burst.h"
#include "core/runtime.h"
#include "core/text.h"
#include "window_settings.h"

namespace lindrow {

namespace {

constexpr int16_t kEnter = 13;
constexpr int16_t kEscape = 27;
constexpr int kOptionCount = 3;

constexpr std::wstring_view kWriteFailed = L"ファイルの書き込みを失敗しました Err=";

// The controls that stay usable while waiting.
constexpr std::wstring_view kKeepPanel = L"Picture2";
constexpr std::wstring_view kKeepTimer = L"Timer1";
constexpr std::wstring_view kKeepStop = L"Command2";

int32_t WholeTwips(double twips) {
    return core::RoundToInt32(twips).value_or(0);
}

// A settings write that failed, reported to the user; the file keeps what it held.
void ReportWriteError(forms::Form& owner, int error) {
    if (error != 0) {
        forms::MsgBox(owner, std::wstring(kWriteFailed) + std::to_wstring(error),
                      forms::kMbOk | forms::kMbError);
    }
}

}  // namespace

std::wstring SettingsPath(const forms::App& app) {
    return core::AppFilePath(app.Path(), app.ExeName() + L".ini");
}

std::wstring VersionText(int major, int minor) {
    const std::wstring whole =
        L"     " + std::to_wstring(major) + L"." + core::FormatNumber(minor, L"00");
    return L"Ver." + whole.substr(whole.size() - 5);
}

// ---- Options dialog

OptionsForm::OptionsForm(Module1& module) : Form(L"Form2"), module_(module) {
    SetCaption(L"Options");
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, 3885, 2400);

    Frame1.SetCaption(L"Value");
    Frame1.Move(120, 60, 2295, 1515);
    for (int i = 0; i < kOptionCount; ++i) {
        forms::Label& label = Label1.Load(i);
        label.SetContainer(&Frame1);
        label.SetCaption(L"Level " + std::to_wstring(i + 1));
        label.Move(120, 300 + i * 390, 735, 255);
        label.SetVisible(true);
        forms::TextBox& box = Text1.Load(i);
        box.SetContainer(&Frame1);
        box.SetMaxLength(10);
        box.SetImeOff(true);
        // Wide enough for the ten digits of the largest count.
        box.Move(840, 255 + i * 390, 1335, 330);
        box.SetVisible(true);
    }
    Command1.SetCaption(L"&OK");
    Command1.Move(2535, 165, 1170, 420);
    LBL_Version.Move(2535, 1260, 1170, 255);
    LBL_Version.SetAlignment(1);
    MNU_Cancel.SetCaption(L"&Cancel");

    OnLoad = [this] { Form_Load(); };
    KeyPress = [this](int16_t& key) { Form_KeyPress(key); };
    Text1.KeyPress = [this](int, int16_t& key) { Text1_KeyPress(key); };
    Command1.Click = [this] { Command1_Click(); };
    MNU_Cancel.Click = [this] { Unload(); };
}

void OptionsForm::Form_Load() {
    const forms::App& app = GetApp();
    Move(WholeTwips((app.ScreenWidth() - Width()) / 2),
         WholeTwips((app.ScreenHeight() - Height()) / 2), Width(), Height());
    SetKeyPreview(true);
    for (int i = 0; i < kOptionCount; ++i) {
        Text1[i].SetText(L"");
        Text1[i].SetText(CountText(module_.levelCounts[i]));
    }
    LBL_Version.SetCaption(VersionText(app.Program().major, app.Program().minor));
}

void OptionsForm::Form_KeyPress(int16_t& key) {
    if (key == kEscape) {
        key = 0;
        Unload();
    }
}

void OptionsForm::Text1_KeyPress(int16_t& key) {
    forms::DigitsOnly(key);
}

void OptionsForm::Command1_Click() {
    if (forms::MsgBox(*this, L"更新してもよろしいですか?", forms::kMbYesNo | forms::kMbQuestion) !=
        forms::kIdYes) {
        return;
    }
    module_.levelCounts = {};
    for (int i = 0; i < kOptionCount; ++i) {
        std::wstring text = Text1[i].Text();
        module_.levelCounts[i] = CountFromBox(text);
        Text1[i].SetText(text);
    }
    ReportWriteError(*this, SaveLevelCounts(module_.settings, module_.levelCounts));
    Unload();
}

// ---- Main window

MainForm::MainForm(Module1& module, OptionsForm& options)
    : Form(L"Form1"), module_(module), options_(options) {
    SetCaption(L"Lindrow");
    SetBorderStyle(1);
    Move(0, 0, 3240, 2325);

    Picture2.SetBorderStyle(0);
    Picture2.Move(0, 0, 3135, 1665);
    Picture1.SetContainer(&Picture2);
    Picture1.SetBorderStyle(0);
    Picture1.Move(120, 120, 1455, 1335);
    for (int i = 0; i < kOptionCount; ++i) {
        forms::OptionButton& option = Option1.Load(i);
        option.SetContainer(&Picture1);
        option.SetCaption(L"Level " + std::to_wstring(i + 1));
        option.Move(120, 120 + i * 390, 1215, 315);
        option.SetVisible(true);
    }
    Command1.SetContainer(&Picture2);
    Command1.SetCaption(L"&Go");
    Command1.Move(1815, 180, 1200, 435);
    Command2.SetContainer(&Picture2);
    Command2.SetCaption(L"&Stop");
    Command2.Move(1815, 840, 1200, 435);
    MNU_Exit.SetCaption(L"E&xit");
    MNU_Option.SetCaption(L"&Options");

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this](int16_t&) { Form_Unload(); };
    Option1.KeyPress = [this](int, int16_t& key) {
        if (key == kEnter) {
            key = 0;
            Command1.SetFocus();
        }
    };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    MNU_Exit.Click = [this] { Unload(); };
    MNU_Option.Click = [this] { options_.Show(true); };
}

void MainForm::Form_Load() {
    // At log-off or shutdown the system ends the program without unloading this window.
    GetApp().OnSessionEnd = [this] { SaveWindowSettings(); };
    LoadWindowSettings();
    module_.levelCounts = LoadLevelCounts(module_.settings);
    Timer1.SetInterval(0);
    forms::MeasureWindowFrame(*this);
    Picture2.SetLeft(WholeTwips((Width() - Picture2.Width() - forms::FrameExtraWidth()) / 2));
    Command2.SetEnabled(false);
}

void MainForm::LoadWindowSettings() {
    const StoredWindow stored = LoadStoredWindow(module_.settings);
    loadedLevelIndex_ = stored.level;
    Option1[LevelButtonFor(stored.level)].SetValue(true);

    const forms::App& app = GetApp();
    core::Position position =
        StartPosition(stored, Width(), Height(), app.ScreenWidth(), app.ScreenHeight());
    core::KeepOnScreen(static_cast<float>(Width()), static_cast<float>(Height()), position,
                       app.Screen().metrics, app.Screen().tpp, app.ScreenWidth(),
                       app.ScreenHeight());
    Move(position.left, position.top, Width(), Height());
    loadedLeft_ = WholeTwips(Left());
    loadedTop_ = WholeTwips(Top());
}

void MainForm::Form_Unload() {
    Timer1.SetInterval(0);
    SaveWindowSettings();
}

void MainForm::SaveWindowSettings() {
    SetWindowState(forms::WindowState::Normal);
    const lindrow::WindowState now{SelectedLevel(), WholeTwips(Left()), WholeTwips(Top())};
    const int error = lindrow::SaveWindowSettings(
        module_.settings, {loadedLevelIndex_, loadedLeft_, loadedTop_}, now);
    ReportWriteError(*this, error);
    if (error == 0) {
        // The file now holds this state: the unload after a session end writes nothing again.
        loadedLevelIndex_ = now.level;
        loadedLeft_ = now.left;
        loadedTop_ = now.top;
    }
}

int MainForm::SelectedLevel() const {
    for (int i = 0; i < kOptionCount; ++i) {
        if (Option1[i].Value()) {
            return i;
        }
    }
    return kDefaultLevel;
}

void MainForm::Command1_Click() {
    runningLevel_ = SelectedLevel();
    Timer1.SetInterval(1);
    Command2.SetEnabled(true);
    forms::SetControlsEnabled(*this, false, kKeepPanel, kKeepTimer, kKeepStop);
}

void MainForm::Command2_Click() {
    Timer1.SetInterval(0);
    Command2.SetEnabled(false);
    forms::SetControlsEnabled(*this, true, kKeepPanel, kKeepTimer, kKeepStop);
}

void MainForm::Timer1_Timer() {
    // The backends never nest a timer's ticks, so the message pass cannot recurse here.
    RunBurst(module_.levelCounts[runningLevel_]);
    ++bursts_;
    forms::DoEvents();
}

}  // namespace lindrow
