#include "note_folder.h"

#include <filesystem>
#include <system_error>

#include "core/text.h"
#include "note_record.h"

namespace pindorel {

namespace fs = std::filesystem;

namespace {

// Windows-style paths on both builds: a backslash separates folders.
fs::path NativePath(const std::wstring& path) {
#ifdef _WIN32
    return fs::path(path);
#else
    std::string native = core::ToUtf8(path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return fs::path(native);
#endif
}

std::wstring NameOf(const fs::path& path) {
#ifdef _WIN32
    return path.filename().wstring();
#else
    return core::FromUtf8(path.filename().string());
#endif
}

int ErrorNumber(const std::error_code& error) {
    return error == std::errc::no_such_file_or_directory ? core::kErrFileNotFound
                                                         : core::kErrPathAccess;
}

}  // namespace

DiskFolder::DiskFolder(std::wstring directory, ShellDeleter shellDelete)
    : directory_(std::move(directory)), shellDelete_(std::move(shellDelete)) {}

std::wstring DiskFolder::PathOf(const std::wstring& name) const {
    return core::AppFilePath(directory_, name);
}

std::vector<std::wstring> DiskFolder::Names() {
    std::vector<std::wstring> names;
    std::error_code error;
    for (fs::directory_iterator it(NativePath(directory_), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(NameOf(it->path()));
        }
    }
    return names;
}

core::FileRead DiskFolder::Read(const std::wstring& name) {
    return core::ReadFileBytesUpTo(PathOf(name), kMaxRecordBytes);
}

int DiskFolder::Write(const std::wstring& name, std::string_view bytes) {
    return core::WriteFileReplacing(PathOf(name), bytes);
}

int DiskFolder::Rename(const std::wstring& from, const std::wstring& to) {
    return core::RenameFileRetrying(PathOf(from), PathOf(to));
}

int DiskFolder::Retire(const std::wstring& name, bool recycle) {
    return shellDelete_(PathOf(name), recycle ? 1 : 0);
}

int DiskFolder::Remove(const std::wstring& name) {
    std::error_code error;
    fs::remove(NativePath(PathOf(name)), error);
    return error ? ErrorNumber(error) : 0;
}

bool DiskFolder::Exists(const std::wstring& name) {
    return core::FileExists(PathOf(name));
}

}  // namespace pindorel
