// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstddef>
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
    int error = 0;          // 0 when the file was read; otherwise one of the kErr numbers
    bool tooLarge = false;  // longer than the reader's limit: nothing was read
};

FileRead ReadFileBytes(const std::wstring& path);
// The same for a file that can be at most maxBytes long: a longer one is not read at all.
FileRead ReadFileBytesUpTo(const std::wstring& path, std::size_t maxBytes);

// Writes the bytes to a new file beside path and then replaces path with it, so a
// failure at any point leaves the previous file as it was. Returns 0 or a kErr number.
int WriteFileReplacing(const std::wstring& path, std::string_view bytes);

bool FileExists(const std::wstring& path);

// Whether a read of path failed only because nothing is there: such a file may be started
// afresh, while one that is there but could not be read (another program holds it) must
// never be written over.
inline bool FileMissing(const FileRead& read, const std::wstring& path) {
    return read.error == kErrFileNotFound && !FileExists(path);
}

// Renames a file; fails (kErrPathAccess) when the new name exists. Another program holding
// the file for a moment (a sharing violation) is waited for about a second. 0 or a kErr
// number.
int RenameFileRetrying(const std::wstring& from, const std::wstring& to);

// The process's current folder (empty when the system cannot tell).
std::wstring CurrentFolder();

}  // namespace core
