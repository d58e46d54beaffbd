#include "agent/detail_dialog.h"

#include <cmath>
#include <iterator>

#include "agent/agent_paths.h"
#include "agent/dialog_common.h"
#include "agent/option_checks.h"
#include "core/files.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr int kCancel = 1;
constexpr int kSoundBrowse = 0;
constexpr int kScheduleBrowse = 1;
constexpr int kSoundFromFile = 1;

constexpr double kDialogWidth = 7305;
constexpr double kDesignHeight = 5880;
constexpr double kLabelLeft = 120;
constexpr double kLabelWidth = 2280;
constexpr double kFieldLeft = 2460;
constexpr double kRowHeight = 330;
constexpr double kPanelTop = 4800;

const wchar_t kSoundFilter[] = L"サウンド (*.wav)\0*.wav\0";
const wchar_t kScheduleFilter[] = L"設定ファイル (*.ini)\0*.ini\0すべてのファイル\0*.*\0";

// The play button's picture: a dark triangle pointing right on the button's face.
forms::Image PlayPicture() {
    constexpr int kSize = 13;
    forms::Image image(kSize, kSize, 0xF0F0F0);
    for (int x = 2; x < kSize - 2; ++x) {
        const int half = (kSize - 2 - x) / 2;
        for (int y = kSize / 2 - half; y <= kSize / 2 + half; ++y) {
            image.Set(x, y, 0x404040);
        }
    }
    return image;
}

int SelectedIndex(forms::ControlArray<forms::OptionButton>& options) {
    for (int i : options.Indices()) {
        if (options[i].Value()) {
            return i;
        }
    }
    return 0;
}

// Turns every option of the group off, then the chosen one on, so its Click always runs.
void Choose(forms::ControlArray<forms::OptionButton>& options, int index) {
    for (int i : options.Indices()) {
        options[i].SetValue(false);
    }
    options[index].SetValue(true);
}

}  // namespace

DetailDialog::DetailDialog(AgentSettings& settings, const AgentEnvironment& environment,
                           const AgentOptions& laidOut, DetailDialogLinks links)
    : Form(L"FRM_AGT3"),
      settings_(settings),
      environment_(environment),
      laidOut_(laidOut),
      links_(std::move(links)) {
    Design();
    OnLoad = [this] { Form_Load(); };
    OnResize = [this] { Form_Resize(); };
    KeyPress = [this](int16_t& key) { CloseOnEscape(*this, key); };
    Option1.Click = [this](int index) { Option1_Click(index); };
    Text2.KeyPress = [this](int16_t& key) { DigitsOnly(key); };
    Text4.KeyPress = [this](int, int16_t& key) { DigitsOnly(key); };
    Text5.KeyPress = [this](int16_t& key) { DigitsOnly(key); };
    Command1.Click = [this](int index) { Command1_Click(index); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this](int index) { Command3_Click(index); };
    Command4.Click = [this] { Command4_Click(); };
    Text1.DropFiles = [this](const std::vector<std::wstring>& files) {
        if (!files.empty()) {
            Text1.SetText(files.front());
        }
    };
    Text3.DropFiles = [this](const std::vector<std::wstring>& files) {
        if (!files.empty()) {
            Text3.SetText(files.front());
        }
    };
}

void DetailDialog::DesignRow(int label, double top, const wchar_t* caption) {
    forms::Label& l = Label1.Load(label);
    l.SetCaption(caption);
    l.Move(kLabelLeft, top + 45, kLabelWidth, 255);
    l.SetVisible(true);
}

void DetailDialog::DesignOptions(forms::PictureBox& panel,
                                 forms::ControlArray<forms::OptionButton>& options, double top,
                                 std::initializer_list<const wchar_t*> captions,
                                 double optionWidth) {
    panel.SetBorderStyle(0);
    panel.Move(kFieldLeft, top, optionWidth * double(captions.size()), kRowHeight + 30);
    int index = 0;
    for (const wchar_t* caption : captions) {
        forms::OptionButton& option = options.Load(index);
        option.SetContainer(&panel);
        option.SetCaption(caption);
        option.Move(index * optionWidth, 15, optionWidth - 60, kRowHeight);
        option.SetVisible(true);
        ++index;
    }
}

void DetailDialog::Design() {
    SetCaption(L"詳細設定");
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, kDialogWidth, kDesignHeight);

    DesignRow(3, 120, L"吹き出しの方向");
    DesignOptions(Picture2, Option2, 120, {L"上", L"下", L"左", L"右"}, 720);
    DesignRow(4, 540, L"吹き出しの大きさ");
    const wchar_t* sizeLabels[] = {L"幅", L"高さ", L"(160以上)", L"(60以上)", L"秒"};
    const double sizeLabelPlaces[][2] = {
        {kFieldLeft, 585}, {kFieldLeft, 1005}, {3660, 585}, {3660, 1005}, {3000, 3765}};
    for (int i = 0; i < 5; ++i) {
        forms::Label& label = Label2.Load(i);
        label.SetCaption(sizeLabels[i]);
        label.Move(sizeLabelPlaces[i][0], sizeLabelPlaces[i][1], i < 2 ? 480 : 1200, 255);
        label.SetVisible(true);
    }
    for (int i = 0; i < 2; ++i) {
        forms::TextBox& box = Text4.Load(i);
        box.SetMaxLength(3);
        box.SetImeOff(true);
        box.Move(2940, 540 + i * 420, 600, kRowHeight);
        box.SetVisible(true);
    }
    DesignRow(5, 1380, L"吹き出しとボタンの間隔");
    Text5.SetMaxLength(2);
    Text5.SetImeOff(true);
    Text5.Move(kFieldLeft, 1380, 600, kRowHeight);
    DesignRow(6, 1800, L"ボタンの位置");
    DesignOptions(Picture3, Option3, 1800, {L"上", L"下"}, 720);
    DesignRow(7, 2220, L"画像の表示");
    DesignOptions(Picture4, Option4, 2220, {L"有", L"無"}, 720);

    for (int i = 0; i < 2; ++i) {
        forms::Line& line = Line1.Load(i);
        const double y = i == 0 ? 2700 : 4230;
        line.SetEnds(120, y, kDialogWidth - 240, y);
        line.SetForeColor(0x808080);
        line.SetVisible(true);
    }

    DesignRow(1, 2850, L"サウンド");
    DesignOptions(Picture1, Option1, 2850, {L"システム依存", L"ファイル指定", L"無し"}, 1440);
    Text1.SetAcceptsFiles(true);
    Text1.Move(kFieldLeft, 3270, 3300, kRowHeight);
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& browse = Command3.Load(i);
        browse.SetCaption(L"参照");
        browse.Move(i == 0 ? 5820 : 6420, i == 0 ? 3270 : 4380, 600, kRowHeight);
        browse.SetVisible(true);
    }
    Command4.SetPicture(PlayPicture());
    Command4.SetToolTip(L"再生");
    Command4.Move(6480, 3270, 420, kRowHeight);
    DesignRow(2, 3720, L"テキストの切替時間");
    Text2.SetMaxLength(2);
    Text2.SetImeOff(true);
    Text2.Move(kFieldLeft, 3720, 480, kRowHeight);

    DesignRow(0, 4380, L"スケジュール設定ファイル");
    Text3.SetAcceptsFiles(true);
    Text3.Move(kFieldLeft, 4380, 3900, kRowHeight);

    Picture5.SetBorderStyle(0);
    Picture5.Move(0, kPanelTop, kDialogWidth - 90, 600);
    Command2.SetContainer(&Picture5);
    Command2.SetCaption(L"既定値に戻す(&R)");
    Command2.Move(120, 90, 2100, 420);
    const wchar_t* buttons[] = {L"決定(&O)", L"キャンセル(&C)"};
    for (int i = 0; i < 2; ++i) {
        forms::CommandButton& button = Command1.Load(i);
        button.SetContainer(&Picture5);
        button.SetCaption(buttons[i]);
        button.Move(3540 + i * 1800, 90, 1680, 420);
        button.SetVisible(true);
    }
}

void DetailDialog::Form_Load() {
    const forms::App& app = GetApp();
    factorX_ = PixelFactor(app.TwipsPerPixelX());
    factorY_ = PixelFactor(app.TwipsPerPixelY());
    SetHeight(kDesignHeight);
    CentreOnScreen(*this);
    SetKeyPreview(true);

    // The timetable row is not offered: the buttons move up into its place.
    Label1[0].SetVisible(false);
    Text3.SetVisible(false);
    Command3[kScheduleBrowse].SetVisible(false);
    Picture5.SetTop(Label1[0].Top());
    SetHeight(kDesignHeight - (kPanelTop - Label1[0].Top()));

    ShowValues(EffectiveOptions(settings_.values));

    const bool pictures = links_.hasNormalPicture && links_.hasNormalPicture();
    Label1[7].SetVisible(pictures);
    Picture4.SetVisible(pictures);
}

void DetailDialog::ShowValues(const AgentOptions& options) {
    Choose(Option1, options.soundFlag);
    Text1.SetText(options.soundFile);
    Text2.SetText(std::to_wstring(options.pcTime));
    Text3.SetText(options.schedule);
    Choose(Option2, options.fDirect - 1);
    ShowSizes(options.fWidth, options.fHeight, options.fbSpace);
    Choose(Option3, options.bPos - 1);
    Choose(Option4, options.pFlag == 0 ? 1 : 0);
}

forms::TextBox& DetailDialog::SizeBoxAt(int box) {
    return box == kGapBox ? Text5 : Text4[box];
}

void DetailDialog::ShowSizes(int16_t width, int16_t height, int16_t gap) {
    sizeTwips_ = {width, height, gap};
    const int factors[] = {factorX_, factorY_, factorY_};
    for (int box = 0; box < kSizeBoxCount; ++box) {
        sizeShown_[size_t(box)] =
            std::to_wstring(TwipsToPixelsShown(sizeTwips_[size_t(box)], factors[box]));
        SizeBoxAt(box).SetText(sizeShown_[size_t(box)]);
    }
}

void DetailDialog::Form_Resize() {
    if (Visible() && Text1.Enabled()) {
        Text1.SetFocus();
    }
}

void DetailDialog::Option1_Click(int index) {
    const bool fromFile = index == kSoundFromFile;
    Text1.SetEnabled(fromFile);
    Command3[kSoundBrowse].SetEnabled(fromFile);
    Command4.SetVisible(fromFile);
}

void DetailDialog::DigitsOnly(int16_t& key) {
    forms::DigitsOnly(key);
}

void DetailDialog::Command3_Click(int index) {
    const bool sound = index == kSoundBrowse;
    const std::wstring path =
        BrowseForFile(*this, sound ? FilterText(kSoundFilter) : FilterText(kScheduleFilter));
    if (!path.empty()) {
        (sound ? Text1 : Text3).SetText(path);
    }
}

void DetailDialog::Command4_Click() {
    const std::wstring path = ResolveAgentPath(environment_.programDir, core::Trim(Text1.Text()));
    if (!path.empty() && core::FileExists(path)) {
        forms::GetHost().PlaySoundFile(path);
        return;
    }
    forms::MsgBox(*this, L"ファイルがありません。", forms::kMbError);
    Text1.SetFocus();
}

void DetailDialog::Command2_Click() {
    const AgentOptions defaults;
    Choose(Option1, kSoundFromFile);
    Text2.SetText(std::to_wstring(defaults.pcTime));
    Choose(Option2, defaults.fDirect - 1);
    ShowSizes(defaults.fWidth, defaults.fHeight, defaults.fbSpace);
    Choose(Option3, defaults.bPos - 1);
    Choose(Option4, 0);
}

void DetailDialog::Command1_Click(int index) {
    if (index == kCancel) {
        Unload();
        return;
    }
    if (!ConfirmUpdate(*this) || !PathsAcceptable() || !SizesAcceptable()) {
        return;
    }
    StoreValues();
    if (NeedsRestart() &&
        forms::MsgBox(*this,
                      L"変更は再起動後に有効になります。\r\n\r\nプログラムを今すぐ再起動しますか？",
                      forms::kMbYesNo | forms::kMbExclamation) == forms::kIdYes &&
        links_.restart) {
        links_.restart();
    }
    Unload();
}

// The sound file (and the timetable file while its row is offered) must exist when named
// and must be a path the settings file can keep.
bool DetailDialog::PathsAcceptable() {
    struct PathBox {
        forms::TextBox& box;
        bool checked;
    };
    for (const PathBox& entry : {PathBox{Text1, true}, PathBox{Text3, Text3.Visible()}}) {
        if (!entry.checked) {
            continue;
        }
        const std::wstring text = core::Trim(entry.box.Text());
        std::wstring_view message;
        const StoreProblem problem = CheckStorable(text);
        if (!text.empty() && !core::FileExists(ResolveAgentPath(environment_.programDir, text))) {
            message = L"ファイルがありません。";
        } else if (problem != StoreProblem::None) {
            message = StoreProblemMessage(problem);
        }
        if (!message.empty()) {
            forms::MsgBox(*this, message, forms::kMbError);
            // The box may be disabled (a path left behind another sound choice).
            if (entry.box.Enabled()) {
                entry.box.SetFocus();
            }
            return false;
        }
    }
    return true;
}

bool DetailDialog::SizesAcceptable() {
    if (LeadingNumber(Text4[kWidthBox].Text()) < kMinBalloonWidthPixels) {
        forms::MsgBox(*this, L"幅は「160」以上の数値を入力してください。", forms::kMbError);
        Text4[kWidthBox].SetFocus();
        return false;
    }
    if (LeadingNumber(Text4[kHeightBox].Text()) < kMinBalloonHeightPixels) {
        forms::MsgBox(*this, L"高さは「60」以上の数値を入力してください。", forms::kMbError);
        Text4[kHeightBox].SetFocus();
        return false;
    }
    return true;
}

void DetailDialog::StoreValues() {
    AgentOptions& values = settings_.values;
    values.soundFlag = int16_t(SelectedIndex(Option1));
    values.soundFile = core::Trim(Text1.Text());
    values.pcTime = int16_t(LeadingNumber(Text2.Text()));
    values.schedule = core::Trim(Text3.Text());
    values.fDirect = int16_t(SelectedIndex(Option2) + 1);
    const int factors[] = {factorX_, factorY_, factorY_};
    int16_t* targets[] = {&values.fWidth, &values.fHeight, &values.fbSpace};
    for (int box = 0; box < kSizeBoxCount; ++box) {
        const std::wstring& text = SizeBoxAt(box).Text();
        *targets[box] = text == sizeShown_[size_t(box)]
                            ? sizeTwips_[size_t(box)]
                            : PixelsToStoredTwips(LeadingNumber(text), factors[box]);
    }
    values.bPos = int16_t(SelectedIndex(Option3) + 1);
    values.pFlag = int16_t(SelectedIndex(Option4) == 0 ? 1 : 0);
}

// Layout options take effect when the window is built again; sound and hold time do not.
bool DetailDialog::NeedsRestart() const {
    const AgentOptions& v = settings_.values;
    const AgentOptions& was = laidOut_;
    return v.schedule != was.schedule || v.fDirect != was.fDirect || v.fWidth != was.fWidth ||
           v.fHeight != was.fHeight || v.fbSpace != was.fbSpace || v.bPos != was.bPos ||
           v.pFlag != was.pFlag;
}

}  // namespace agent
