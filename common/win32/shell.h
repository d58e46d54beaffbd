// Shell file deletion and the system's platform identifier.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace win32 {

// Deletes a file or folder through the shell. recycle == 1 (exactly) moves it to the recycle
// bin; confirm == 0 suppresses the shell's confirmation and error dialogs. 0 when the shell
// reports success, else the shell's non-zero result.
int16_t ShellDeletePath(HWND owner, std::wstring_view path, int16_t recycle, int16_t confirm);

// The shell's result in 16 bits: a result beyond the range saturates at its bound, so a
// failure never reads as 0 (0x10000, "error on the destination", would otherwise).
int16_t ShellResultAsInt16(int result);

// The shell operation flags for the recycle and confirm arguments of ShellDeletePath.
FILEOP_FLAGS ShellDeleteFlags(int16_t recycle, int16_t confirm);

// The one-entry source list for the shell: the path without a trailing backslash (a drive
// root keeps it), ended by two NULs.
std::wstring ShellDeleteSource(std::wstring_view path);

// 1 for the Windows 95/98/Me family, 2 for the NT family.
int16_t GetOsPlatform();

}  // namespace win32
