// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <string>
#include <string_view>

namespace core {

// Error numbers reported to the user after "Err=" (the classic run-time numbers).
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrDiskFull = 61;
inline constexpr int kErrPathAccess = 75;
inline constexpr int kErrPathNotFound = 76;

struct FileRead {
    std::string bytes;
    int error = 0;  // 0 when the file was read; otherwise one of the kErr numbers
};

FileRead ReadFileBytes(const std::wstring& path);

// Writes the bytes to a new file beside path and then replaces path with it, so a
// failure at any point leaves the previous file as it was. Returns 0 or a kErr number.
int WriteFileReplacing(const std::wstring& path, std::string_view bytes);

bool FileExists(const std::wstring& path);

// The process's current folder (empty when the system cannot tell).
std::wstring CurrentFolder();

}  // namespace core
