#include "agent/launcher_dialog.h"

#include "agent/agent_paths.h"
#include "agent/dialog_common.h"
#include "agent/option_checks.h"
#include "core/runtime.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr int kCancel = 1;

constexpr double kRowTop = 660;
constexpr double kRowStep = 420;
constexpr double kBoxHeight = 330;

const wchar_t kProgramFilter[] = L"実行ファイル (*.exe)\0*.exe\0すべてのファイル\0*.*\0";

}  // namespace

LauncherDialog::LauncherDialog(AgentSettings& settings, const AgentEnvironment& environment,
                               std::function<void()> launchersChanged)
    : Form(L"FRM_AGT2"),
      settings_(settings),
      environment_(environment),
      launchersChanged_(std::move(launchersChanged)) {
    SetCaption(L"ランチャー設定");
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, 8100, 4395);

    const wchar_t* heads[] = {L"ランチャープログラム", L"ファイル", L"タイトル"};
    const double headPlaces[][2] = {{120, 120}, {180, 420}, {5280, 420}};
    for (int i = 0; i < 3; ++i) {
        forms::Label& label = Label1.Load(i);
        label.SetCaption(heads[i]);
        label.Move(headPlaces[i][0], headPlaces[i][1], 2400, 240);
        label.SetVisible(true);
    }
    for (int i = 0; i < kLauncherCount; ++i) {
        const double top = kRowTop + i * kRowStep;
        forms::TextBox& path = Text2.Load(i);
        path.SetAcceptsFiles(true);
        path.Move(120, top, 4320, kBoxHeight);
        path.SetVisible(true);
        forms::CommandButton& browse = Command3.Load(i);
        browse.SetCaption(L"参照");
        browse.Move(4500, top, 660, kBoxHeight);
        browse.SetVisible(true);
        forms::TextBox& title = Text1.Load(i);
        title.Move(5280, top, 2580, kBoxHeight);
        title.SetVisible(true);
    }
    Check1.SetCaption(L"ランチャーのタイトルをポップアップで表示する");
    Check1.Move(120, 2820, 6000, 300);
    const wchar_t* buttons[] = {L"決定(&O)", L"キャンセル(&C)"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command1.Load(i);
        button.SetCaption(buttons[i]);
        button.Move(4140 + i * 1920, 3300, 1800, 420);
        button.SetVisible(true);
    }

    OnLoad = [this] { Form_Load(); };
    KeyPress = [this](int16_t& key) { CloseOnEscape(*this, key); };
    Command1.Click = [this](int index) { Command1_Click(index); };
    Command3.Click = [this](int index) { Command3_Click(index); };
    Text2.DropFiles = [this](int index, const std::vector<std::wstring>& files) {
        Text2_DropFiles(index, files);
    };
}

void LauncherDialog::Form_Load() {
    CentreOnScreen(*this);
    SetKeyPreview(true);
    const AgentOptions& values = settings_.values;
    for (int i = 0; i < kLauncherCount; ++i) {
        Text1[i].SetText(values.launcherTitles[size_t(i)]);
        Text2[i].SetText(values.launcherPaths[size_t(i)]);
    }
    // A hand-edited flag other than 0 or 1 shows as the default (ticked).
    Check1.SetValue(values.lPopFlag == 0 ? 0 : 1);
}

void LauncherDialog::Command3_Click(int index) {
    const std::wstring path = BrowseForFile(*this, FilterText(kProgramFilter));
    if (!path.empty()) {
        Text2[index].SetText(path);
    }
}

void LauncherDialog::Text2_DropFiles(int index, const std::vector<std::wstring>& files) {
    if (!files.empty()) {
        Text2[index].SetText(files.front());
    }
}

void LauncherDialog::Command1_Click(int index) {
    if (index == kCancel) {
        Unload();
        return;
    }
    if (!ConfirmUpdate(*this) || !CleanAndCheckPaths() || !CheckStorableTexts()) {
        return;
    }
    StoreSlots();
    Unload();
}

// Each path loses its outer spaces and every double quote, in its box; a path that names
// nothing (after its %NAME% references are expanded, and beside the program when
// relative) keeps the dialog open on that box. An empty path is an empty slot.
bool LauncherDialog::CleanAndCheckPaths() {
    for (int i = 0; i < kLauncherCount; ++i) {
        forms::TextBox& box = Text2[i];
        box.SetText(core::WithoutQuotes(core::Trim(box.Text())));
        const std::wstring expanded = core::ExpandEnvVars(box.Text(), environment_.env);
        if (!expanded.empty() && !PathExists(ResolveAgentPath(environment_.programDir, expanded))) {
            forms::MsgBox(*this, L"ファイルがありません。", forms::kMbError);
            box.SetFocus();
            return false;
        }
    }
    return true;
}

// Paths and titles must read back from the settings file as they were typed.
bool LauncherDialog::CheckStorableTexts() {
    for (int i = 0; i < kLauncherCount; ++i) {
        for (forms::TextBox* box : {&Text2[i], &Text1[i]}) {
            const StoreProblem problem = CheckStorable(core::Trim(box->Text()));
            if (problem != StoreProblem::None) {
                forms::MsgBox(*this, StoreProblemMessage(problem), forms::kMbError);
                box->SetFocus();
                return false;
            }
        }
    }
    return true;
}

void LauncherDialog::StoreSlots() {
    AgentOptions& values = settings_.values;
    for (int i = 0; i < kLauncherCount; ++i) {
        values.launcherTitles[size_t(i)] = core::Trim(Text1[i].Text());
        values.launcherPaths[size_t(i)] = core::Trim(Text2[i].Text());
    }
    values.lPopFlag = int16_t(Check1.Value() == 1 ? 1 : 0);
    if (launchersChanged_) {
        launchersChanged_();
    }
}

}  // namespace agent
