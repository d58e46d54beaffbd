// What the agent's two settings dialogs do alike: their place, the confirmation before
// storing, Esc to close and browsing for a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/forms.h"

namespace agent {

// Left and top at half the free screen space, truncated.
void CentreOnScreen(forms::Form& dialog);

// "更新してもよろしいですか?" (question, Yes/No); true on Yes.
bool ConfirmUpdate(forms::Form& dialog);

// The dialog's key preview: Esc is swallowed and closes the dialog without storing.
void CloseOnEscape(forms::Form& dialog, int16_t& key);

// The open-file dialog over the current folder with the filter (pairs ended by NULs,
// given with its array size); the chosen path, empty when cancelled.
std::wstring BrowseForFile(forms::Form& owner, std::wstring_view filter);

template <size_t N>
std::wstring_view FilterText(const wchar_t (&filter)[N]) {
    return {filter, N - 1};
}

}  // namespace agent
