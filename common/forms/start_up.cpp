#include "forms/start_up.h"

#include <cwctype>

#include "core/text.h"
#include "forms/app.h"
#include "forms/controls.h"

namespace forms {

namespace {

constexpr std::wstring_view kOtherCopyBefore = L"別の場所の ";
constexpr std::wstring_view kOtherCopyAfter = L" が登録されています。この場所に変更しますか?";
constexpr std::wstring_view kWriteFailed = L"スタートアップに登録できませんでした。";

// The program path an entry's text names: what lies between its leading quote and the
// next one, or the whole text without a leading quote.
std::wstring NamedPath(std::wstring_view text) {
    const std::wstring trimmed = core::Trim(text);
    if (!trimmed.starts_with(L'"')) {
        return trimmed;
    }
    const size_t close = trimmed.find(L'"', 1);
    return trimmed.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(std::wint_t(a[i])) != std::towupper(std::wint_t(b[i]))) {
            return false;
        }
    }
    return true;
}

std::wstring ProgramFile() {
    const App& app = App::Current();
    return core::AppFilePath(app.Path(), app.ExeName() + L".exe");
}

}  // namespace

StartUpState StartUpStateOf(const std::optional<std::wstring>& entry, std::wstring_view exePath) {
    if (!entry) {
        return StartUpState::Absent;
    }
    return SamePath(NamedPath(*entry), exePath) ? StartUpState::ThisFile : StartUpState::OtherCopy;
}

std::wstring StartUpText(std::wstring_view exePath) {
    return L"\"" + std::wstring(exePath) + L"\"";
}

StartUpState ProgramStartUpState() {
    const App& app = App::Current();
    return StartUpStateOf(app.GetHost().StartUpEntry(app.ExeName()), ProgramFile());
}

void ShowStartUpItem(Menu& item) {
    item.SetCaption(std::wstring(kStartUpCaption));
    item.SetChecked(ProgramStartUpState() == StartUpState::ThisFile);
}

void ChooseStartUpItem(Menu& item) {
    const App& app = App::Current();
    const std::wstring file = ProgramFile();
    const StartUpState state = ProgramStartUpState();
    if (state == StartUpState::OtherCopy) {
        const std::wstring question =
            std::wstring(kOtherCopyBefore) + app.ExeName() + std::wstring(kOtherCopyAfter);
        if (MsgBox(question, kMbQuestion | kMbYesNo) != kIdYes) {
            ShowStartUpItem(item);
            return;
        }
    }
    std::optional<std::wstring> text;
    if (state != StartUpState::ThisFile) {
        text = StartUpText(file);
    }
    if (!app.GetHost().SetStartUpEntry(app.ExeName(), text)) {
        MsgBox(kWriteFailed, kMbError | kMbOk);
    }
    ShowStartUpItem(item);
}

}  // namespace forms
