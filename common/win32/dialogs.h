// The system's open-file, save-file and colour dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace win32 {

// Filters are pairs of display text and pattern, each item ended by L'\0', e.g.
// L"CSV (*.csv)\0*.csv\0All files\0*.*\0". Filter indices count pairs from 1.

// The chosen full path, or empty when the user cancels. On success filterIndex receives
// the pair the user last chose; on cancel it is left as it was.
std::wstring ShowOpenDialog(HWND owner, std::wstring_view filter, std::wstring_view initialDir,
                            int16_t& filterIndex);

// As ShowOpenDialog, starting with defaultName; the returned name carries the extension of
// the chosen pattern (see core::NameWithFilterExtension). When that extension was appended
// and a file of the new name exists, a message box with questionCaption asks before it is
// replaced; No shows the dialog again with the typed name.
std::wstring ShowSaveDialog(HWND owner, std::wstring_view filter, std::wstring_view initialDir,
                            std::wstring_view defaultName, std::wstring_view defaultExt,
                            int16_t& filterIndex, std::wstring_view questionCaption);

// The chosen colour (0x00BBGGRR), or -1 when the user cancels.
int32_t ShowColorDialog(HWND owner, uint32_t initialColour);

}  // namespace win32
