#include "agent/tray_form.h"

#include <memory>

#include "agent/option_checks.h"
#include "core/runtime.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr int kPlainIconSize = 16;
constexpr intptr_t kShellOpened = 32;  // the shell's results above this are successes

constexpr std::wstring_view kMinimise = L"最小化(&N)";
constexpr std::wstring_view kRestore = L"元のサイズに戻す(&R)";

}  // namespace

DummyForm::DummyForm() : Form(L"frmDUMMY") {
    SetBorderStyle(0);
    SetShowInTaskbar(false);
    OnLoad = [this] { Move(0, 0, 0, 0); };
}

TrayForm::TrayForm(AgentWindow& agent)
    : Form(L"FRM_TTI"),
      agent_(agent),
      launcherDialog_(agent.State().settings, agent.State().environment,
                      [this] {
                          agent_.BuildLaunchers();
                          agent_.SetLauncherToolTips();
                      }),
      detailDialog_(agent.State().settings, agent.State().environment, laidOut_,
                    DetailDialogLinks{[this] { return agent_.State().catalogue.HasPictures(); },
                                      [this] { Restart(); }}),
      timetableEditor_(agent.State(), [this] { Restart(); }) {
    // Never shown; the caption names the window for tools that look for it.
    SetCaption(L"FRM_TTI");
    SetShowInTaskbar(false);
    MNU_Popup.SetCaption(L"MNU_Popup");
    MNU_Popup.SetVisible(false);
    MNU_Hide.SetCaption(std::wstring(kMinimise));
    MNU_P_Pipe1.SetCaption(L"-");
    MNU_Launcher.SetCaption(L"ランチャー(&L)");
    forms::Menu& none = MNU_L_Col.Load(0);
    none.SetParentMenu(&MNU_Launcher);
    none.SetCaption(L"(なし)");
    MNU_Setting.SetCaption(L"設定(&S)");
    MNU_Set_Launcher.SetCaption(L"ランチャー設定(&L)...");
    MNU_Set_Detail.SetCaption(L"詳細設定(&D)...");
    MNU_Set_Text.SetCaption(L"テキスト(&T)...");
    MNU_Set_Timetable.SetCaption(L"時間割(&M)...");
    MNU_P_Pipe3.SetCaption(L"-");
    MNU_Restart.SetCaption(L"再起動(&R)");
    MNU_FullScreenHide.SetCaption(L"全画面のときは隠れる(&F)");
    forms::ShowStartUpItem(MNU_StartUp);
    MNU_Show.SetCaption(L"画面の表示(&D)");
    MNU_P_Front.SetCaption(L"常に手前に表示(&A)");
    MNU_P_Pipe2.SetCaption(L"-");
    MNU_P_Exit.SetCaption(L"終了(&X)");

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this](int16_t&) { Form_Unload(); };
    MouseMove = [this](int, int, float x, float) { Form_MouseMove(x); };
    MNU_Hide.Click = [this] { Command([this] { MNU_Hide_Click(); }); };
    MNU_L_Col.Click = [this](int index) {
        Command([this, index] { agent_.LaunchSlot(int(core::Val(MNU_L_Col[index].Tag()))); });
    };
    MNU_Set_Launcher.Click = [this] { Command([this] { launcherDialog_.Show(true); }); };
    MNU_Set_Detail.Click = [this] { Command([this] { detailDialog_.Show(true); }); };
    MNU_Set_Text.Click = [this] { Command([this] { MNU_Set_Text_Click(); }); };
    MNU_Set_Timetable.Click = [this] { Command([this] { timetableEditor_.Open(); }); };
    MNU_Restart.Click = [this] { Command([this] { Restart(); }); };
    MNU_Show.Click = [this] { Command([this] { MNU_Show_Click(); }); };
    MNU_P_Front.Click = [this] {
        Command([this] {
            MNU_P_Front.SetChecked(!MNU_P_Front.Checked());
            agent_.State().alwaysOnTop = MNU_P_Front.Checked();
        });
    };
    MNU_FullScreenHide.Click = [this] {
        Command([this] {
            MNU_FullScreenHide.SetChecked(!MNU_FullScreenHide.Checked());
            agent_.State().settings.values.fullScreenHide = MNU_FullScreenHide.Checked() ? 1 : 0;
        });
    };
    MNU_StartUp.Click = [this] { Command([this] { forms::ChooseStartUpItem(MNU_StartUp); }); };
    MNU_P_Exit.Click = [this] { Command([this] { Unload(); }); };
    SetHooks();
}

void TrayForm::SetHooks() {
    TrayHooks& hooks = agent_.Hooks();
    hooks.load = [this] { Load(); };
    hooks.unload = [this] { Unload(); };
    hooks.popupMenu = [this] {
        // The agent's right-click while a box, dialog or menu is open does nothing.
        if (!Busy()) {
            ShowPopup();
        }
    };
    hooks.rebuildLauncherMenu = [this](const LauncherTitles& titles) {
        RebuildLauncherMenu(titles);
    };
    hooks.minimisedChanged = [this](bool hidden) { SetMinimised(hidden); };
    hooks.startMenuState = [this](bool inUse) {
        MNU_P_Front.SetChecked(false);
        MNU_Show.SetChecked(inUse);
        MNU_Hide.SetEnabled(inUse);
    };
}

void TrayForm::Command(const std::function<void()>& action) {
    action();
    agent_.State().menuOpen = false;
}

void TrayForm::Form_Load() {
    AgentState& state = agent_.State();
    const forms::App& app = GetApp();
    laidOut_ = EffectiveOptions(state.settings.asRead);
    MNU_FullScreenHide.SetChecked(state.settings.values.fullScreenHide != 0);
    if (app.Screen().smallIconWidth > kPlainIconSize &&
        app.Screen().smallIconHeight > kPlainIconSize) {
        SetIcon(agent_.Window().Icon());
    }
    // The icon's mouse messages arrive as the x coordinate of a mouse move, in pixels.
    SetScaleMode(forms::ScaleMode::Pixels);
    GetApp().OnSessionEnd = [this] {
        SaveSettings();
        RemoveIcon();
    };
    if (AddIcon() != 0) {
        forms::MsgBox(L"通知領域にアイコンを登録出来ませんでした。", forms::kMbError);
        // The menu's ticks are not set up yet: saving now would store the agent as hidden.
        startFailed_ = true;
        Unload();
    }
}

void TrayForm::Form_Unload() {
    if (!startFailed_) {
        SaveSettingsReporting();
    }
    RemoveIcon();
    agent_.UnloadMessageWindow();
    GetApp().End();
}

int16_t TrayForm::AddIcon() {
    return forms::GetHost().NotifyIcon(*this, forms::kIconAdd, agent_.Window().Caption(), 0);
}

void TrayForm::RemoveIcon() {
    forms::GetHost().NotifyIcon(*this, forms::kIconDelete, L"", 0);
}

int TrayForm::SaveSettings() {
    AgentState& state = agent_.State();
    return SaveAgentSettings(state.settings, state.environment, agent_.Frame(), MNU_Show.Checked());
}

// Saves the settings, telling the user when they could not be stored (the file is then
// left as it was).
void TrayForm::SaveSettingsReporting() {
    const int error = SaveSettings();
    if (error != 0) {
        forms::MsgBox(L"ファイルの書き込みを失敗しました Err=" + std::to_wstring(error),
                      forms::kMbError);
    }
}

// Clicks on the icon do nothing while the settings dialogs, a message box or a menu of
// the program are open, so no command can run inside another modal loop.
bool TrayForm::Busy() const {
    return GetApp().ModalOpen() || launcherDialog_.Visible() || detailDialog_.Visible() ||
           timetableEditor_.Visible();
}

void TrayForm::Form_MouseMove(float x) {
    const int message = int(x);
    if ((message != forms::kIconLeftDown && message != forms::kIconRightDown) || Busy()) {
        return;
    }
    if (message == forms::kIconLeftDown) {
        IconLeftDown();
    } else {
        IconRightDown();
    }
}

void TrayForm::IconLeftDown() {
    forms::Form& window = agent_.Window();
    if (!window.Visible() && MNU_Show.Checked()) {
        MNU_Hide.SetCaption(std::wstring(kMinimise));
        window.Show();
    }
    agent_.BringToFront(false);
    agent_.State().menuOpen = false;
}

void TrayForm::IconRightDown() {
    forms::Form& window = agent_.Window();
    window.SetTopmost(true);
    window.SetTopmost(false);
    agent_.State().menuOpen = true;
    PopupMenuOver();
    agent_.State().menuOpen = false;
}

// The menu needs a foreground window: the agent window when it is shown, else frmDUMMY.
void TrayForm::PopupMenuOver() {
    forms::Form& window = agent_.Window();
    const bool useDummy = !window.Visible();
    if (useDummy) {
        dummy_.Show();
    } else {
        window.Show();
    }
    ShowPopup();
    if (useDummy) {
        dummy_.Unload();
    }
}

void TrayForm::ShowPopup() {
    forms::ShowStartUpItem(MNU_StartUp);
    PopupMenu(MNU_Popup);
}

void TrayForm::RebuildLauncherMenu(const LauncherTitles& titles) {
    for (; launcherItems_ > 0; --launcherItems_) {
        MNU_L_Col.Unload(launcherItems_);
    }
    forms::Menu& none = MNU_L_Col[0];
    none.SetCaption(L"(なし)");
    none.SetTag(L"");
    none.SetEnabled(false);
    for (int slot = 0; slot < kLauncherCount; ++slot) {
        const std::wstring& title = titles[size_t(slot)];
        if (title.empty()) {
            continue;
        }
        forms::Menu& item = slot == 0 ? none : MNU_L_Col.Load(++launcherItems_);
        item.SetParentMenu(&MNU_Launcher);
        item.SetEnabled(true);
        item.SetVisible(true);
        item.SetCaption(title);
        item.SetTag(std::to_wstring(slot));
    }
}

void TrayForm::SetMinimised(bool hidden) {
    MNU_Hide.SetCaption(std::wstring(hidden ? kRestore : kMinimise));
}

void TrayForm::MNU_Hide_Click() {
    forms::Form& window = agent_.Window();
    if (window.Visible()) {
        SetMinimised(true);
        window.Hide();
    } else {
        SetMinimised(false);
        window.Show();
    }
}

void TrayForm::MNU_Set_Text_Click() {
    const AgentState& state = agent_.State();
    const intptr_t result = forms::GetHost().ShellOpen(&agent_.Window(), state.cataloguePath, L"",
                                                       state.environment.programDir);
    if (result <= kShellOpened) {
        forms::MsgBox(L"ファイルを開けませんでした。", forms::kMbError);
    }
}

void TrayForm::MNU_Show_Click() {
    forms::Form& window = agent_.Window();
    if (MNU_Show.Checked()) {
        MNU_Show.SetChecked(false);
        MNU_Hide.SetEnabled(false);
        SetMinimised(false);
        agent_.SetTicking(false);
        window.Hide();
    } else {
        MNU_Show.SetChecked(true);
        MNU_Hide.SetEnabled(true);
        agent_.SetTicking(true);
        window.Show();
    }
}

// Saves, gives up the single-copy claim and the icon, and starts the program file again;
// the new copy takes over. When the system refuses to start it, this copy keeps running.
void TrayForm::Restart() {
    forms::App& app = GetApp();
    AgentState& state = agent_.State();
    SaveSettingsReporting();
    RemoveIcon();
    app.ReleaseInstance();
    const std::wstring exe = core::AppFilePath(app.Path(), app.ExeName() + L".exe");
    if (forms::GetHost().ShellOpen(nullptr, exe, L"", app.Path()) > kShellOpened) {
        agent_.UnloadMessageWindow();
        app.End();
    }
    app.ClaimInstance();
    AddIcon();
    // The file now holds what is in memory: later saves compare against that.
    state.settings.asRead = state.settings.values;
    state.settings.asRead.formShow = int16_t(MNU_Show.Checked() ? 1 : 0);
    state.settings.readLeft = core::RoundToInt32(agent_.Frame().Left()).value_or(0);
    state.settings.readTop = core::RoundToInt32(agent_.Frame().Top()).value_or(0);
    forms::MsgBox(L"プログラムを再起動できませんでした。", forms::kMbError);
}

void AttachTray(AgentWindow& agent) {
    static std::unique_ptr<TrayForm> tray;
    tray = std::make_unique<TrayForm>(agent);
}

}  // namespace agent
