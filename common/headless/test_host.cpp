#include "headless/test_host.h"

#include <algorithm>
#include <filesystem>

#include "core/file_filter.h"
#include "core/files.h"
#include "core/text.h"
#include "forms/app.h"
#include "forms/controls.h"
#include "forms/form.h"

namespace headless {

namespace {

std::string Narrow(std::wstring_view text) {
    return core::ToUtf8(text);
}

// Days from 1970-01-01 to the date (proleptic Gregorian).
int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

core::Date CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    return {int(yoe + era * 400 + (m <= 2)), m, d};
}

std::filesystem::path NativePath(std::wstring_view path) {
    std::wstring slashes(path);
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    return std::filesystem::path(core::ToUtf8(slashes));
}

}  // namespace

core::DateTime AddMilliseconds(const core::DateTime& when, int64_t milliseconds) {
    const int64_t seconds = DaysFromCivil(when.date.year, when.date.month, when.date.day) * 86400 +
                            when.hour * 3600 + when.minute * 60 + when.second + milliseconds / 1000;
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    core::DateTime result;
    result.date = CivilFromDays(days);
    result.hour = int(rest / 3600);
    result.minute = int(rest / 60 % 60);
    result.second = int(rest % 60);
    return result;
}

TestHost::TestHost() {
    program.directory = L"C:\\Suite";
    program.exeName = L"Test";
    program.title = L"Test";
    start_ = {{2024, 4, 1}, 9, 0, 0};
}

void TestHost::SetNow(const core::DateTime& now) {
    start_ = now;
    elapsedMs_ = 0;
}

core::DateTime TestHost::Now() const {
    return AddMilliseconds(start_, elapsedMs_);
}

// ---- Scripts

void TestHost::ExpectMessage(int answer, std::wstring textPart) {
    messageScripts_.push_back({answer, std::move(textPart)});
}

void TestHost::ExpectOpenDialog(std::wstring path, int16_t filterIndex) {
    openScripts_.push_back({std::move(path), filterIndex});
}

void TestHost::ExpectSaveDialog(std::wstring path, int16_t filterIndex) {
    saveScripts_.push_back({std::move(path), filterIndex});
}

void TestHost::ExpectColorDialog(int32_t color) {
    colorScripts_.push_back(color);
}

void TestHost::ExpectFontDialog(std::optional<core::FontSpec> font) {
    fontScripts_.push_back(std::move(font));
}

void TestHost::ExpectModal(std::wstring formName, std::function<void(forms::Form&)> act) {
    modalScripts_.push_back({std::move(formName), std::move(act)});
}

void TestHost::ExpectPopup(std::wstring itemName, int itemIndex) {
    popupScripts_.push_back({std::move(itemName), itemIndex});
}

void TestHost::DuringDoEvents(std::function<void()> action) {
    doEventsActions_.push_back(std::move(action));
}

void TestHost::WhileNextDialogOpen(std::function<void()> action) {
    whileOpenActions_.push_back(std::move(action));
}

void TestHost::WhileOpen() {
    if (whileOpenActions_.empty()) {
        return;
    }
    std::function<void()> action = std::move(whileOpenActions_.front());
    whileOpenActions_.pop_front();
    action();
}

size_t TestHost::PendingScripts() const {
    return messageScripts_.size() + openScripts_.size() + saveScripts_.size() +
           colorScripts_.size() + fontScripts_.size() + modalScripts_.size() +
           popupScripts_.size() + doEventsActions_.size() + whileOpenActions_.size();
}

// ---- Time

void TestHost::Advance(int milliseconds) {
    const int64_t end = elapsedMs_ + std::max(0, milliseconds);
    for (;;) {
        auto next = std::min_element(due_.begin(), due_.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        });
        if (next == due_.end() || next->second > end) {
            break;
        }
        forms::Timer* timer = next->first;
        elapsedMs_ = std::max(elapsedMs_, next->second);
        next->second = elapsedMs_ + timer->Interval();
        forms::Control::Raise(timer->Tick);
    }
    elapsedMs_ = end;
}

void TestHost::TimerChanged(forms::Timer& timer) {
    if (!timer.Running()) {
        due_.erase(&timer);
        return;
    }
    due_[&timer] = elapsedMs_ + timer.Interval();
}

// ---- Backend

std::unique_ptr<forms::FormPeer> TestHost::CreateFormPeer(forms::Form&) {
    return nullptr;
}

std::unique_ptr<forms::Peer> TestHost::CreateControlPeer(forms::Control&) {
    return nullptr;
}

std::unique_ptr<forms::Surface> TestHost::CreateSurface() {
    return std::make_unique<SoftwareSurface>(20.0 / screen.tpp.y, &drawnTexts_);
}

void TestHost::RunModal(forms::Form& form) {
    if (modalScripts_.empty() || modalScripts_.front().formName != form.Name()) {
        throw UnexpectedDialog("unexpected modal form " + Narrow(form.Name()));
    }
    ModalScript script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    script.act(form);
    if (form.Loaded() && form.Visible()) {
        throw UnexpectedDialog("modal form " + Narrow(form.Name()) + " left open by the test");
    }
}

void TestHost::DoEvents() {
    ++doEventsCalls_;
    if (doEventsActions_.empty()) {
        return;
    }
    std::function<void()> action = std::move(doEventsActions_.front());
    doEventsActions_.pop_front();
    action();
}

void TestHost::PopupMenu(forms::Form& form, forms::Menu& menu) {
    forms::ModalScope open(form.GetApp());
    popups_.push_back(menu.Name());
    WhileOpen();
    if (popupScripts_.empty()) {
        return;
    }
    PopupScript script = std::move(popupScripts_.front());
    popupScripts_.pop_front();
    if (script.itemName.empty()) {
        return;
    }
    forms::Control* item = form.Find(script.itemName, script.itemIndex);
    if (item == nullptr || item->Kind() != forms::ControlKind::Menu) {
        throw UnexpectedDialog("pop-up menu has no item " + Narrow(script.itemName));
    }
    auto* chosen = static_cast<forms::Menu*>(item);
    if (!chosen->Visible() || !chosen->Enabled()) {
        throw UnexpectedDialog("pop-up menu item " + Narrow(script.itemName) + " cannot be chosen");
    }
    form.NoteMenuChosen(*chosen);
}

void TestHost::EndProgram() {
    ended_ = true;
    throw ProgramEnded();
}

bool TestHost::ClaimInstance(int waitMilliseconds, forms::ClaimScope scope) {
    holdsInstance_ = holdsInstance_ || !otherInstance;
    instanceCalls_.push_back({true, waitMilliseconds, holdsInstance_, scope});
    return holdsInstance_;
}

void TestHost::ReleaseInstance() {
    holdsInstance_ = false;
    instanceCalls_.push_back({false, 0, false});
}

void TestHost::RestartShell() {
    for (const forms::AddedIcons::Icon& icon : addedIcons_.ToAddAgain(forms::App::Current())) {
        NotifyIcon(*icon.form, forms::kIconAdd, icon.tip, icon.icon);
    }
}

// ---- System

bool TestHost::PlaySoundFile(std::wstring_view path) {
    sounds_.emplace_back(path);
    return playSoundResult;
}

intptr_t TestHost::ShellOpen(forms::Form*, std::wstring_view file, std::wstring_view params,
                             std::wstring_view directory) {
    shellCalls_.push_back({std::wstring(file), std::wstring(params), std::wstring(directory)});
    return shellExecuteResult;
}

int16_t TestHost::ShellDelete(forms::Form*, std::wstring_view path, int16_t recycle,
                              int16_t confirm) {
    forms::ModalScope open;
    WhileOpen();
    deleteCalls_.push_back({std::wstring(path), recycle, confirm});
    if (shellDeleteResult == 0) {
        std::error_code error;
        std::filesystem::remove_all(NativePath(path), error);
    }
    return shellDeleteResult;
}

std::optional<forms::Image> TestHost::LoadPictureFile(std::wstring_view path) {
    const core::FileRead read = core::ReadFileBytes(std::wstring(path));
    if (read.error != 0) {
        return std::nullopt;
    }
    return DecodeBmp(read.bytes);
}

forms::Image TestHost::FileTypeIcon(std::wstring_view, forms::Color background) {
    forms::Image icon(16, 16, background);
    for (int y = 2; y < 14; ++y) {
        for (int x = 2; x < 14; ++x) {
            icon.Set(x, y, 0x808080);
        }
    }
    return icon;
}

forms::Image TestHost::ReadScreen(int, int, int width, int height) {
    return forms::Image(width, height, screen.windowColor);
}

std::vector<forms::Rect> TestHost::Monitors() {
    if (monitors.empty()) {
        return {{0, 0, screen.widthPixels, screen.heightPixels}};
    }
    return monitors;
}

std::optional<std::wstring> TestHost::StartUpEntry(std::wstring_view name) {
    const auto found = startUpEntries.find(std::wstring(name));
    if (found == startUpEntries.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool TestHost::SetStartUpEntry(std::wstring_view name, const std::optional<std::wstring>& text) {
    if (startUpWriteFails) {
        return false;
    }
    if (text) {
        startUpEntries[std::wstring(name)] = *text;
    } else {
        startUpEntries.erase(std::wstring(name));
    }
    return true;
}

// ---- Dialogs

int TestHost::ShowMessageBox(forms::Form* owner, std::wstring_view text, std::wstring_view caption,
                             uint32_t style) {
    forms::ModalScope open;
    if (messageScripts_.empty()) {
        throw UnexpectedDialog("unexpected message box: " + Narrow(text));
    }
    MessageScript script = std::move(messageScripts_.front());
    messageScripts_.pop_front();
    if (!script.textPart.empty() && text.find(script.textPart) == std::wstring_view::npos) {
        throw UnexpectedDialog("message box \"" + Narrow(text) + "\" instead of one with \"" +
                               Narrow(script.textPart) + "\"");
    }
    WhileOpen();
    messages_.push_back({std::wstring(text), std::wstring(caption), style,
                         owner != nullptr ? owner->Name() : std::wstring(), script.answer});
    return script.answer;
}

std::wstring TestHost::OpenFileDialog(forms::Form*, std::wstring_view, std::wstring_view,
                                      int16_t& filterIndex) {
    forms::ModalScope open;
    if (openScripts_.empty()) {
        throw UnexpectedDialog("unexpected open dialog");
    }
    WhileOpen();
    FileScript script = std::move(openScripts_.front());
    openScripts_.pop_front();
    if (!script.path.empty()) {
        filterIndex = script.filterIndex;
    }
    return script.path;
}

std::wstring TestHost::SaveFileDialog(forms::Form* owner, std::wstring_view filter,
                                      std::wstring_view, std::wstring_view, std::wstring_view,
                                      int16_t& filterIndex) {
    forms::ModalScope open;
    for (;;) {
        if (saveScripts_.empty()) {
            throw UnexpectedDialog("unexpected save dialog");
        }
        WhileOpen();
        FileScript script = std::move(saveScripts_.front());
        saveScripts_.pop_front();
        if (script.path.empty()) {
            return {};
        }
        // The scripted name is what the user typed; the dialog adds the pattern's extension
        // and asks before replacing a file under a name it did not show.
        const std::wstring name =
            core::NameWithFilterExtension(script.path, filter, script.filterIndex);
        if (name == script.path || !core::FileExists(name) ||
            ShowMessageBox(owner, core::AppendedNameOverwriteQuestion(name),
                           forms::App::Current().Title(),
                           forms::kMbYesNo | forms::kMbExclamation | forms::kMbDefaultButton2) ==
                forms::kIdYes) {
            filterIndex = script.filterIndex;
            return name;
        }
    }
}

int32_t TestHost::ColorDialog(forms::Form*, forms::Color) {
    forms::ModalScope open;
    if (colorScripts_.empty()) {
        throw UnexpectedDialog("unexpected colour dialog");
    }
    WhileOpen();
    const int32_t color = colorScripts_.front();
    colorScripts_.pop_front();
    return color;
}

int16_t TestHost::FontDialog(forms::Form*, core::FontSpec& font) {
    forms::ModalScope open;
    if (fontScripts_.empty()) {
        throw UnexpectedDialog("unexpected font dialog");
    }
    WhileOpen();
    std::optional<core::FontSpec> chosen = std::move(fontScripts_.front());
    fontScripts_.pop_front();
    if (!chosen) {
        return -1;
    }
    font = *chosen;
    return 0;
}

int16_t TestHost::NotifyIcon(forms::Form& form, uint32_t message, std::wstring_view tip,
                             forms::NativeHandle icon) {
    notifyCalls_.push_back({message, std::wstring(tip), form.Name()});
    if (notifyResult == 0) {
        addedIcons_.Note(form, message, tip, icon);
    }
    return notifyResult;
}

}  // namespace headless
