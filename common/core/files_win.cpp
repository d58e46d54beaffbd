// Windows half of the file services, on the Unicode file functions.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "core/files.h"

namespace core {

namespace {

int ErrorNumber(DWORD err) {
    switch (err) {
        case ERROR_FILE_NOT_FOUND:
            return kErrFileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return kErrPathNotFound;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return kErrDiskFull;
        default:
            return kErrPathAccess;
    }
}

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        if (!Valid()) {
            return true;
        }
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Whether a replace refused with this error may go through once another process lets go
// of the old file. A refused rename over a file that is open elsewhere reports access
// denied as well, so that error counts as a brief hold only while the old file can still
// be opened for writing; a read-only or protected file cannot, and fails at once.
bool HeldByAnother(DWORD err, const std::wstring& path) {
    if (err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION) {
        return true;
    }
    if (err != ERROR_ACCESS_DENIED) {
        return false;
    }
    Handle probe(CreateFileW(path.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.Valid() || GetLastError() == ERROR_SHARING_VIOLATION;
}

// Puts the finished temporary file in place of the old one. Another process that has the
// old file open for a moment (a scanner, an indexer, a viewer) makes the replace fail;
// such a failure is retried for about a second before it counts. A file that cannot be
// written at all fails at the first attempt.
bool ReplaceWith(const std::wstring& temp, const std::wstring& path) {
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMs = 50;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD err = GetLastError();
        if (attempt == kAttempts || !HeldByAnother(err, path)) {
            SetLastError(err);
            return false;
        }
        Sleep(kPauseMs);
    }
}

}  // namespace

FileRead ReadFileBytes(const std::wstring& path) {
    return ReadFileBytesUpTo(path, SIZE_MAX);
}

FileRead ReadFileBytesUpTo(const std::wstring& path, std::size_t maxBytes) {
    FileRead result;
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        result.error = ErrorNumber(GetLastError());
        return result;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && uint64_t(size.QuadPart) > maxBytes) {
        result.tooLarge = true;
        return result;
    }
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
            result.error = ErrorNumber(GetLastError());
            result.bytes.clear();
            return result;
        }
        if (read == 0) {
            return result;
        }
        result.bytes.append(buffer, read);
    }
}

int WriteFileReplacing(const std::wstring& path, std::string_view bytes) {
    const std::wstring temp = path + L".new~";
    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return ErrorNumber(GetLastError());
    }
    DWORD err = 0;
    const auto fail = [&err] { err = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT; };
    if (!WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get())) {
        fail();
    }
    if (!file.Close() && err == 0) {
        fail();
    }
    if (err == 0 && !ReplaceWith(temp, path)) {
        fail();
    }
    if (err != 0) {
        DeleteFileW(temp.c_str());
        return ErrorNumber(err);
    }
    return 0;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int RenameFileRetrying(const std::wstring& from, const std::wstring& to) {
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMs = 50;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return 0;
        }
        const DWORD err = GetLastError();
        if (attempt == kAttempts || err != ERROR_SHARING_VIOLATION) {
            return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? kErrPathAccess
                                                                           : ErrorNumber(err);
        }
        Sleep(kPauseMs);
    }
}

std::wstring CurrentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD length = size != 0 ? GetCurrentDirectoryW(size, folder.data()) : 0;
    folder.resize(length < size ? length : 0);
    return folder;
}

}  // namespace core
