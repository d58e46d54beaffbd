// Writing a table the user asked for: the save dialog with the text and CSV types (the type
// chosen last is offered again), and the write that never lands on the program's own files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/forms.h"

namespace quillard {

using namespace std::string_view_literals;
inline constexpr std::wstring_view kExportFilter =
    L"テキスト (タブ区切り) (*.txt)\0*.txt\0CSV (カンマ区切り) (*.csv)\0*.csv\0"sv;

// The file the user names in the save dialog, starting in the current folder with the
// default name; empty when cancelled. filterIndex is the type offered and then chosen.
std::wstring ChooseExportFile(forms::Form& owner, const std::wstring& defaultName,
                              int16_t& filterIndex);

// Writes the text in CP932 to path (crash-safe) and tells the user `done`; the set file and
// the class file are refused, and a failed write is reported with its error number.
void WriteExportFile(forms::Form& owner, const std::wstring& path, const std::wstring& text,
                     const std::wstring& done);

}  // namespace quillard
