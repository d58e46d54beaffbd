#include "win32/instance_claim.h"

#include <cstdint>
#include <cstdio>

namespace win32 {

namespace {

// The long form of a path (8.3 names expanded) when the file exists, else the path.
std::wstring LongPath(std::wstring_view path) {
    const std::wstring given(path);
    std::wstring result(MAX_PATH, L'\0');
    DWORD length = GetLongPathNameW(given.c_str(), result.data(), DWORD(result.size()));
    if (length > result.size()) {
        result.resize(length);
        length = GetLongPathNameW(given.c_str(), result.data(), DWORD(result.size()));
    }
    if (length == 0 || length > result.size()) {
        return given;
    }
    result.resize(length);
    return result;
}

// The path as the file system knows it when it exists: links followed, and a mapped drive
// given as its network path, so that every way of reaching a file or folder gives the same.
std::wstring FinalPath(std::wstring_view path) {
    const std::wstring given(path);
    HANDLE handle =
        CreateFileW(given.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return LongPath(path);
    }
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring result(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, result.data(), DWORD(result.size()), kFlags);
    if (length >= result.size()) {
        result.resize(length + 1);
        length = GetFinalPathNameByHandleW(handle, result.data(), DWORD(result.size()), kFlags);
    }
    CloseHandle(handle);
    if (length == 0 || length >= result.size()) {
        return LongPath(path);
    }
    result.resize(length);
    return result;
}

uint64_t Fnv1a(std::wstring_view text) {
    uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : text) {
        hash = (hash ^ uint16_t(c)) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::wstring InstanceMutexName(std::wstring_view path) {
    std::wstring key = FinalPath(path);
    if (!key.empty()) {
        CharUpperBuffW(key.data(), DWORD(key.size()));
    }
    // A hash keeps the name short whatever the path's length.
    wchar_t hex[17];
    std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(Fnv1a(key)));
    return std::wstring(L"Global\\SuiteSingleCopy-") + hex;
}

bool InstanceClaim::Claim(std::wstring_view path, DWORD waitMilliseconds) {
    if (mutex_ != nullptr) {
        return true;
    }
    const std::wstring name = InstanceMutexName(path);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        return false;  // held by a copy of another user, whose mutex we may not open
    }
    const DWORD waited = WaitForSingleObject(mutex, waitMilliseconds);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

void InstanceClaim::Release() {
    if (mutex_ == nullptr) {
        return;
    }
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
    mutex_ = nullptr;
}

}  // namespace win32
