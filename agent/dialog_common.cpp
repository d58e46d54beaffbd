#include "agent/dialog_common.h"

#include <cmath>

#include "core/files.h"
#include "core/text.h"

namespace agent {

namespace {

constexpr int16_t kEscape = 27;

}  // namespace

void CentreOnScreen(forms::Form& dialog) {
    const forms::App& app = dialog.GetApp();
    dialog.Move(std::trunc((app.ScreenWidth() - dialog.Width()) / 2),
                std::trunc((app.ScreenHeight() - dialog.Height()) / 2), dialog.Width(),
                dialog.Height());
}

bool ConfirmUpdate(forms::Form& dialog) {
    return forms::MsgBox(dialog, L"更新してもよろしいですか?",
                         forms::kMbYesNo | forms::kMbQuestion) == forms::kIdYes;
}

void CloseOnEscape(forms::Form& dialog, int16_t& key) {
    if (key == kEscape) {
        key = 0;
        dialog.Unload();
    }
}

std::wstring BrowseForFile(forms::Form& owner, std::wstring_view filter) {
    int16_t filterIndex = 0;
    return core::CutAtNul(
        forms::GetHost().OpenFileDialog(&owner, filter, core::CurrentFolder(), filterIndex));
}

}  // namespace agent
