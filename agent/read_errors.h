// Error numbers the agent reports after "Err=" when a file it needs cannot be read, and
// the message that carries them. The program shows the message and ends.
//
//   53  the file was not found (core::kErrFileNotFound)
//   75  the file could not be opened or read (core::kErrPathAccess)
//   76  a folder on the file's path does not exist (core::kErrPathNotFound)
//    6  a number, or the count of one kind of line, lies outside -32768..32767
//   13  a text in square brackets is not a month/day date
#pragma once

#include <string>

#include "core/files.h"

namespace agent {

inline constexpr int kErrOverflow = 6;
inline constexpr int kErrTypeMismatch = 13;

inline std::wstring ReadFailureMessage(int error) {
    return L"ファイルの読み込みを失敗しました Err=" + std::to_wstring(error);
}

}  // namespace agent
