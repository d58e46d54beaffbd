#include "agent/agent_window.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "agent/agent_layout.h"
#include "agent/agent_paths.h"
#include "agent/agent_tick.h"
#include "agent/clock_adjust.h"
#include "agent/option_checks.h"
#include "agent/picture_depth.h"
#include "agent/read_errors.h"
#include "core/files.h"
#include "core/geometry.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr int kTickMs = 1000;
constexpr int kBeepsOnSystemSound = 11;
constexpr int16_t kStartHidden = 0;
constexpr wchar_t kLaunchFailed[] = L"アプリケーションの起動に失敗しました。";
constexpr wchar_t kPicturesFailed[] = L"次の画像ファイルを読み込めませんでした。";
constexpr wchar_t kOutlineReduced[] = L"画像の輪郭が細かすぎるため、輪郭を簡略化して表示します。";

// Design sizes (twips).
constexpr double kMinButtonSize = 375;
constexpr double kLauncherWidth = 375;

constexpr int64_t kMinutesPerDay = 24 * 60;

struct DecodedPicture {
    std::optional<forms::Image> image;
    int bitsPerPixel = kScreenBitsPerPixel;
};

// The picture file's pixels and the depth the file stores them in.
DecodedPicture DecodePicture(forms::Host& host, const std::wstring& path) {
    DecodedPicture picture;
    picture.image = host.LoadPictureFile(path);
    if (picture.image) {
        picture.bitsPerPixel =
            StoredBitsPerPixel(core::ReadFileBytes(path).bytes).value_or(kScreenBitsPerPixel);
    }
    return picture;
}

// The minute of now, counted so that two different minutes never compare equal, and
// minutes of the same day fall in the same stretch of kMinutesPerDay.
int64_t MinuteStamp(const core::DateTime& now) {
    constexpr int64_t kDaysPerYear = 366;
    return (int64_t(now.date.year) * kDaysPerYear + core::DayOfYear(now.date)) * kMinutesPerDay +
           now.hour * 60 + now.minute;
}

}  // namespace

FRM_AGT1::FRM_AGT1(AgentState& state) : Form(L"FRM_AGT1"), state_(state) {
    SetCaption(L"エージェント");
    SetBorderStyle(3);
    SetShowInTaskbar(false);
    Move(0, 0, 4200, 3600);
    forms::PictureBox& balloon = Picture1.Load(0);
    balloon.SetBorderStyle(0);
    balloon.Move(0, 0, 2700, 1845);
    Text1.SetMultiLine(true);
    CMD_Min.SetCaption(L"_");
    CMD_Min.Move(0, 0, kMinButtonSize, kMinButtonSize);
    for (int i = 0; i < kLaunchers; ++i) {
        CMD_Launch.Load(i).Move(0, 0, kLauncherWidth, kMinButtonSize);
        forms::PictureBox& icon = PIC_Cmd_L.Load(i);
        icon.SetBorderStyle(0);
        icon.SetVisible(false);
    }
    for (int i = 0; i < kLaunchers; ++i) {
        CMD_Launch[i].SetVisible(true);
    }

    OnLoad = [this] { FormLoad(); };
    OnUnload = [this](int16_t&) {
        SetTicking(false);
        if (hooks_.unload) {
            hooks_.unload();
        }
    };
    Timer1.Tick = [this] { AgentTick(); };
    Picture1.MouseMove = [this](int, int button, int, float, float) {
        if (button == forms::kLeftButton) {
            BeginDrag();
        }
    };
    Picture1.MouseUp = [this](int, int button, int, float, float) {
        if (button != forms::kRightButton) {
            state_.menuOpen = false;
            return;
        }
        state_.menuOpen = true;
        if (hooks_.popupMenu) {
            hooks_.popupMenu();
        }
        // The menu has closed, with a command or without one (Esc, a click elsewhere).
        state_.menuOpen = false;
    };
    Text1.MouseUp = [this](int, int, float, float) { state_.menuOpen = false; };
    CMD_Min.Click = [this] {
        SetMinimised(Visible());
        state_.menuOpen = false;
    };
    CMD_Launch.Click = [this](int index) { LaunchSlot(index); };
    CMD_Launch.MouseMove = [this](int, int, int, float, float) { SetTicking(true); };
}

// ---- Start-up

void FRM_AGT1::FormLoad() {
    messageWindow_.Load();
    random_ = core::Random();
    holdSeconds_ = -1;
    LoadData();
    BuildLaunchers();
    LayoutAgentWindow(TailForDirection(state_.settings.values.fDirect));
    Text1.ZOrder(0);
    SetLauncherToolTips();
    if (hooks_.load) {
        hooks_.load();
    }
    state_.alwaysOnTop = false;
    state_.menuOpen = false;
    // Any value but 0 counts as shown, as flags do; an agent that is neither shown nor
    // ticking nor hidden by the menu could not be reached at all.
    if (state_.settings.values.formShow == kStartHidden) {
        if (hooks_.startMenuState) {
            hooks_.startMenuState(false);
        }
        SetTicking(false);
        Hide();
    } else {
        if (hooks_.startMenuState) {
            hooks_.startMenuState(true);
        }
        AgentTick();
        Show();
        CMD_Min.SetFocus();
        SetTicking(true);
        if (messageWindow_.Visible()) {
            messageWindow_.Activate();  // a box due at start stays above the agent
        }
    }
}

// The settings, the timetable, the catalogue and the daily list, in this order. An
// unreadable catalogue is reported and ends the program.
void FRM_AGT1::LoadData() {
    const forms::App& app = GetApp();
    AgentEnvironment& environment = state_.environment;
    environment.programDir = app.Path();
    environment.programName = app.ExeName();
    if (!environment.env) {
        environment.env = core::ProcessEnvironment();
    }
    environment.screenWidth = app.ScreenWidth();
    environment.screenHeight = app.ScreenHeight();
    state_.cataloguePath = core::AppFilePath(app.Path(), kCatalogueFileName);
    state_.settings = LoadAgentSettings(environment, frame_);
    // Out-of-range values of a hand-edited file give way to their defaults for this
    // session; as they count as read, the file keeps its own values unless changed.
    const AgentOptions effective = EffectiveOptions(state_.settings.values);
    state_.settings.values = effective;
    state_.settings.asRead = effective;
    state_.timetablePath = ResolveAgentPath(app.Path(), state_.settings.values.schedule);
    std::optional<Timetable> timetable = LoadTimetableFile(state_.timetablePath);
    if (!timetable) {
        state_.timetablePath.clear();  // not in use, as when none is configured
    }
    state_.timetable = std::move(timetable).value_or(Timetable());
    CatalogueRead read = LoadMessageCatalogue(app.Path(), AgentNow().date.year);
    if (read.error != 0) {
        forms::MsgBox(*this, ReadFailureMessage(read.error), forms::kMbError | forms::kMbOk);
        GetApp().End();
    }
    state_.catalogue = std::move(read.catalogue);
    state_.dayTable = BuildDayTable(state_.timetable, state_.catalogue);
}

// ---- Layout

void FRM_AGT1::DrawAgentBalloon(forms::PictureBox& box, int tail) {
    const AgentOptions& options = state_.settings.values;
    box.Move(box.Left(), box.Top(), options.fWidth, options.fHeight);
    BalloonShape shape;
    shape.width = int16_t(std::lround(box.Width()));
    shape.height = int16_t(std::lround(box.Height()));
    shape.tailSide = int16_t(tail);
    shape.borderColor = GetApp().Screen().windowTextColor;
    shape.fillColor = GetApp().Screen().windowColor;
    DrawBalloon(box, shape, &Text1);
}

// Decodes each picture file once. A picture that cannot be read shows the normal picture
// instead; when the normal picture itself cannot be read, no picture is shown at all.
// Either is reported once, at start-up.
void FRM_AGT1::LoadCharacterPictures() {
    picturesInUse_ = false;
    for (int n = 1; n <= kCharacterPictures; ++n) {
        Picture1[n].ClearPicture();
    }
    const MessageCatalogue& catalogue = state_.catalogue;
    if (state_.settings.values.pFlag != 1 || !catalogue.HasPictures()) {
        return;
    }
    std::map<std::wstring, DecodedPicture> decoded;
    std::wstring failed;
    auto decode = [&](const std::wstring& path) -> const DecodedPicture& {
        auto [at, added] = decoded.try_emplace(path);
        if (added) {
            at->second = DecodePicture(GetApp().GetHost(), path);
            if (!at->second.image) {
                failed += L"\r\n" + path;
            }
        }
        return at->second;
    };
    const DecodedPicture& normal = decode(catalogue.picturePaths[0]);
    if (normal.image) {
        for (int n = 1; n <= kCharacterPictures; ++n) {
            const DecodedPicture& picture = decode(catalogue.picturePaths[n - 1]);
            const DecodedPicture& shown = picture.image ? picture : normal;
            Picture1[n].SetPicture(*shown.image);
            shape_.pictures[std::size_t(n)].bitsPerPixel = shown.bitsPerPixel;
        }
        picturesInUse_ = true;
    }
    if (!failed.empty() && !picturesReported_) {
        picturesReported_ = true;
        forms::MsgBox(*this, kPicturesFailed + failed, forms::kMbError | forms::kMbOk);
    }
}

void FRM_AGT1::LayoutAgentWindow(int tail) {
    shape_.pictures.clear();
    for (int i = 0; i <= kCoverIndex; ++i) {
        if (!Picture1.Exists(i)) {
            Picture1.Load(i);
        }
        forms::PictureBox& picture = Picture1[i];
        if (i > 0) {
            picture.Move(0, 0, 0, 0);
            picture.SetAutoSize(i < kCoverIndex);
        }
        picture.SetVisible(true);
        shape_.pictures.push_back({&picture, {}, kShapeOnSwitch});
    }
    Picture1[0].Move(0, 0, Picture1[0].Width(), Picture1[0].Height());
    DrawAgentBalloon(Picture1[0], tail);
    LoadCharacterPictures();
    shape_.pictures[0].mode = kShapeAlways;
    shape_.pictures[1].mode = kShapeAtStart;
    shape_.pictures[kCoverIndex].mode = 3;

    LayoutInput input;
    input.tail = tail;
    input.balloon = {Picture1[0].Width(), Picture1[0].Height()};
    input.text = {Text1.Left(), Text1.Top()};
    for (int n = 1; n <= kCharacterPictures; ++n) {
        input.pictures[n - 1] = {Picture1[n].Width(), Picture1[n].Height()};
    }
    input.minButton = {CMD_Min.Width(), CMD_Min.Height()};
    input.launcherWidth = CMD_Launch[0].Width();
    input.gap = state_.settings.values.fbSpace;
    input.tpp = GetApp().Screen().tpp;
    input.metrics = GetApp().Screen().metrics;
    const AgentLayout layout = ComputeAgentLayout(input);

    forms::PictureBox& balloon = Picture1[0];
    balloon.Move(layout.balloon.left, layout.balloon.top, balloon.Width(), balloon.Height());
    Text1.Move(layout.text.left, layout.text.top, Text1.Width(), Text1.Height());
    for (int i = 1; i <= kCoverIndex; ++i) {
        forms::PictureBox& picture = Picture1[i];
        const Size2 size =
            i == kCoverIndex ? layout.cover : Size2{picture.Width(), picture.Height()};
        picture.Move(layout.pictures[i - 1].left, layout.pictures[i - 1].top, size.width,
                     size.height);
    }
    CMD_Min.Move(layout.minButton.left, layout.minButton.top, CMD_Min.Width(), CMD_Min.Height());
    for (int i = 0; i < kLaunchers; ++i) {
        const Place& at = layout.launchers[i];
        CMD_Launch[i].Move(at.left, at.top, CMD_Launch[i].Width(), CMD_Launch[i].Height());
        PIC_Cmd_L[i].Move(at.left, at.top, PIC_Cmd_L[i].Width(), PIC_Cmd_L[i].Height());
    }
    Move(Left(), Top(), layout.window.width, layout.window.height);
    Picture1[1].ZOrder(0);
    BuildWindowShape(*this, shape_, true);
    if (shape_.coarsened) {
        forms::MsgBox(*this, kOutlineReduced, forms::kMbInformation | forms::kMbOk);
    }
    KeepWindowOnScreen();
}

// A stored position that leaves the window off every screen (a removed monitor, a
// hand-edited file) is pulled back with the window's final size.
void FRM_AGT1::KeepWindowOnScreen() {
    const forms::App& app = GetApp();
    core::Position position{int32_t(std::lround(Left())), int32_t(std::lround(Top()))};
    const core::Position before = position;
    core::KeepOnScreen(float(Width()), float(Height()), position, app.Screen().metrics,
                       app.Screen().tpp, app.ScreenWidth(), app.ScreenHeight());
    if (position.left != before.left || position.top != before.top) {
        Move(position.left, position.top, Width(), Height());
    }
}

// ---- Launchers

void FRM_AGT1::BuildLaunchers() {
    const AgentOptions& options = state_.settings.values;
    if (hooks_.rebuildLauncherMenu) {
        hooks_.rebuildLauncherMenu(options.launcherTitles);
    }
    for (int slot = 0; slot < kLaunchers; ++slot) {
        forms::PictureBox& icon = PIC_Cmd_L[slot];
        icon.SetAutoSize(true);
        icon.SetVisible(false);
        const std::wstring& path = options.launcherPaths[slot];
        if (!path.empty()) {
            const std::wstring file = core::AppFilePath(
                GetApp().Path(), core::ExpandEnvVars(path, state_.environment.env));
            icon.SetPicture(GetApp().GetHost().FileTypeIcon(file, CMD_Launch[slot].BackColor()));
        } else {
            icon.ClearPicture();
        }
        CMD_Launch[slot].SetEnabled(!path.empty());
        CMD_Launch[slot].SetPicture(icon.Picture());
    }
}

void FRM_AGT1::LaunchSlot(int slot) {
    if (slot < 0 || slot >= kLaunchers) {
        return;
    }
    const std::wstring& path = state_.settings.values.launcherPaths[slot];
    if (path.empty()) {
        return;
    }
    const std::wstring command = ResolveAgentPath(
        state_.environment.programDir, core::ExpandEnvVars(path, state_.environment.env));
    const auto lastSeparator = command.rfind(L'\\');
    const std::wstring directory =
        lastSeparator == std::wstring::npos ? std::wstring() : command.substr(0, lastSeparator + 1);
    if (GetApp().GetHost().ShellOpen(this, command, L"", directory) <= 32) {
        forms::MsgBox(*this, kLaunchFailed, forms::kMbError | forms::kMbOk);
    }
}

void FRM_AGT1::SetLauncherToolTips() {
    for (int i = 0; i < kLaunchers; ++i) {
        CMD_Launch[i].SetToolTip(state_.settings.values.launcherTitles[i]);
    }
}

// ---- Window

void FRM_AGT1::SetTicking(bool ticking) {
    const int interval = ticking ? kTickMs : 0;
    if (Timer1.Interval() != interval) {
        Timer1.SetInterval(interval);
    }
}

void FRM_AGT1::BringToFront(bool activate) {
    SetTopmost(true);
    if (!state_.alwaysOnTop) {
        SetTopmost(false);
    }
    if (activate) {
        Activate();
    }
}

void FRM_AGT1::SetMinimised(bool minimised) {
    if (minimised) {
        Hide();
    } else {
        Show();
    }
    if (hooks_.minimisedChanged) {
        hooks_.minimisedChanged(minimised);
    }
}

// A pop-up menu, a dialog or a message box of the program is open: the tick then does
// not raise the window.
bool FRM_AGT1::Busy() const {
    return state_.menuOpen || GetApp().ModalOpen();
}

// ---- Tick

// The time the agent goes by: the system clock moved by the user's adjustment.
core::DateTime FRM_AGT1::AgentNow() const {
    return AdjustClock(forms::Now(), state_.settings.values.clockAdjust);
}

void FRM_AGT1::AgentTick() {
    const core::DateTime now = AgentNow();
    if (SteppingAside(now)) {
        return;
    }
    if (state_.alwaysOnTop && !Busy()) {
        SetTopmost(true);
    }
    if (holdSeconds_ != -1) {
        ++holdSeconds_;
        if (holdSeconds_ > state_.settings.values.pcTime) {
            clockText_ = ClockText(state_.catalogue, now);
            ShowPicture(state_.catalogue.defaultPicture);
            announcing_ = false;
            WriteBalloon(NormalView(state_.catalogue, clockText_, normalText_));
            holdSeconds_ = -1;
            return;
        }
    }
    if (now.date.year != state_.catalogue.year) {
        MoveCatalogueToYear(state_.catalogue, now.date.year);
    }
    int16_t picture = state_.catalogue.defaultPicture;
    const std::wstring clock = ClockText(state_.catalogue, now);
    // The messages change by the minute whatever the clock line shows (seconds, or only
    // the date); the clock line itself follows the clock text.
    const int64_t minute = MinuteStamp(now);
    if (minute != evaluatedMinute_) {
        // A message box is shown once a day: an agent left running overnight shows
        // tomorrow's boxes again.
        if (minute / kMinutesPerDay != evaluatedMinute_ / kMinutesPerDay) {
            for (TimedEntry& box : state_.catalogue.messageBoxes) {
                box.shown = false;
            }
        }
        evaluatedMinute_ = minute;
        clockText_ = clock;
        EvaluateMinute(now, picture);
    } else if (clock != clockText_) {
        clockText_ = clock;
        RefreshClockLine();
    }
    ShowDueMessageBox(now, picture);
}

// While a full-screen program of another process covers the agent's monitor, the tick
// only keeps the windows hidden and lets due message boxes wait. When it has gone, the
// windows come back and the minute is evaluated afresh, so that what became current
// meanwhile is announced once.
bool FRM_AGT1::SteppingAside(const core::DateTime& now) {
    forms::Host& host = GetApp().GetHost();
    if (state_.settings.values.fullScreenHide != 0 &&
        CoversAgentsMonitor(host.Foreground(), host.Monitors(), PixelRect(*this))) {
        aside_.Keep(*this, messageWindow_, state_.catalogue.messageBoxes, core::DayOfYear(now.date),
                    now.hour * 60 + now.minute);
        return true;
    }
    if (aside_.Active()) {
        aside_.End(*this, messageWindow_);
        evaluatedMinute_ = -1;
    }
    return false;
}

// The balloon's text again with the new clock line; the caret keeps its place in the text.
void FRM_AGT1::RefreshClockLine() {
    const MessageCatalogue& catalogue = state_.catalogue;
    const std::wstring text =
        announcing_ ? AnnouncementView(catalogue, clockText_, headline_, extraMessage_)
                    : NormalView(catalogue, clockText_, normalText_);
    const int caret = Text1.SelStart();
    const int oldHead = int(headLength_);
    Text1.SetText(ReplaceHead(Text1.Text(), headLength_, text));
    headLength_ = text.size();
    const int newHead = int(text.size());
    Text1.SetSelStart(caret >= oldHead ? caret - oldHead + newHead : std::min(caret, newHead));
}

void FRM_AGT1::EvaluateMinute(const core::DateTime& now, int16_t& picture) {
    const MessageCatalogue& catalogue = state_.catalogue;
    const std::wstring& schedule = state_.timetablePath;
    const bool timetableInUse = !schedule.empty() && core::FileExists(schedule);
    const int minute = now.hour * 60 + now.minute;
    const MinuteView view = agent::EvaluateMinute(catalogue, state_.timetable, state_.dayTable,
                                                  now.date, minute, timetableInUse);
    normalText_ = view.normalText;
    picture = view.picture;
    if (view.headline == headline_) {
        announcing_ = false;
        WriteBalloon(NormalView(catalogue, clockText_, normalText_));
        return;
    }
    const std::vector<std::wstring>& lines =
        view.rest ? catalogue.restMessages : catalogue.lessonMessages;
    extraMessage_.clear();
    if (!lines.empty()) {
        extraMessage_ = lines[std::size_t(double(lines.size()) * random_.Next())];
    }
    headline_ = view.headline;
    ShowPicture(view.picture);
    holdSeconds_ = 0;
    if (!Visible()) {
        SetMinimised(false);
    }
    if (!state_.alwaysOnTop && !Busy()) {
        BringToFront(true);
    }
    const std::wstring text = AnnouncementView(catalogue, clockText_, headline_, extraMessage_);
    Announce();
    announcing_ = true;
    WriteBalloon(text);
}

// The first due message box not shown yet, unless the message window is open already or
// something modal is (a dialog, a message box, a pop-up menu): then it waits for a later
// tick.
void FRM_AGT1::ShowDueMessageBox(const core::DateTime& now, int16_t picture) {
    if (messageWindow_.Visible() || GetApp().ModalOpen()) {
        return;
    }
    std::vector<TimedEntry>& boxes = state_.catalogue.messageBoxes;
    std::optional<std::size_t> due = aside_.TakeWaitingBox(boxes);
    if (!due) {
        due = DueMessageBox(boxes, core::DayOfYear(now.date), now.hour * 60 + now.minute);
    }
    if (!due) {
        return;
    }
    messageWindow_.ShowMessage(boxes[*due].text);
    if (picture == state_.catalogue.defaultPicture) {
        ShowPicture(boxes[*due].picture);
        holdSeconds_ = 0;
    }
    Announce();
    MarkShown(boxes, *due);
}

void FRM_AGT1::ShowPicture(int16_t picture) {
    if (picturesInUse_) {
        SwitchShapePicture(*this, Picture1[kCoverIndex], shape_, ShownPicture(picture));
    }
}

void FRM_AGT1::WriteBalloon(const std::wstring& text) {
    Text1.SetText(ReplaceHead(Text1.Text(), headLength_, text));
    headLength_ = text.size();
    Text1.SetSelStart(int(Text1.Text().size()));
}

void FRM_AGT1::Announce() {
    const AgentOptions& options = state_.settings.values;
    forms::Host& host = GetApp().GetHost();
    if (options.soundFlag == 0) {
        for (int i = 0; i < kBeepsOnSystemSound; ++i) {
            host.Beep();
        }
    } else if (options.soundFlag == 1 && !options.soundFile.empty()) {
        const std::wstring sound =
            ResolveAgentPath(state_.environment.programDir, options.soundFile);
        if (core::FileExists(sound)) {
            host.PlaySoundFile(sound);
        }
    }
}

}  // namespace agent
