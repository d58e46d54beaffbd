// Host half of the file services. Windows-style paths are accepted: a backslash is taken
// as the directory separator, so code that builds paths beside the program runs unchanged.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "core/files.h"
#include "core/text.h"

namespace core {

namespace {

std::string NativePath(const std::wstring& path) {
    std::string native = ToUtf8(path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

int ErrorNumber(int err) {
    switch (err) {
        case ENOENT:
            return kErrFileNotFound;
        case ENOTDIR:
            return kErrPathNotFound;
        case ENOSPC:
        case EDQUOT:
            return kErrDiskFull;
        default:
            return kErrPathAccess;
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

FileRead ReadFileBytes(const std::wstring& path) {
    return ReadFileBytesUpTo(path, SIZE_MAX);
}

FileRead ReadFileBytesUpTo(const std::wstring& path, std::size_t maxBytes) {
    FileRead result;
    const std::string native = NativePath(path);
    const int fd = ::open(native.c_str(), O_RDONLY);
    if (fd < 0) {
        result.error = ErrorNumber(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        result.error = kErrPathAccess;
        return result;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        ::close(fd);
        result.tooLarge = true;
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = kErrPathAccess;
            result.bytes.clear();
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return result;
}

int WriteFileReplacing(const std::wstring& path, std::string_view bytes) {
    const std::string native = NativePath(path);
    const std::string temp = native + ".new~";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        return ErrorNumber(errno);
    }
    bool ok = WriteAll(fd, bytes);
    int err = ok ? 0 : errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(temp.c_str(), native.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return ErrorNumber(err);
    }
    return 0;
}

bool FileExists(const std::wstring& path) {
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

int RenameFileRetrying(const std::wstring& from, const std::wstring& to) {
    if (FileExists(to)) {
        return kErrPathAccess;
    }
    return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? 0
                                                                              : ErrorNumber(errno);
}

std::wstring CurrentFolder() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? FromUtf8(buffer) : std::wstring();
}

}  // namespace core
