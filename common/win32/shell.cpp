#include "win32/shell.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>

namespace win32 {

namespace {

// "X:" is what remains of a drive root without its backslash; the shell would read it as
// the drive's current folder, so a root keeps its backslash.
bool IsBareDrive(std::wstring_view path) {
    return path.size() == 2 && path[1] == L':';
}

}  // namespace

FILEOP_FLAGS ShellDeleteFlags(int16_t recycle, int16_t confirm) {
    FILEOP_FLAGS flags = 0;
    if (recycle == 1) {
        flags |= FOF_ALLOWUNDO;
    }
    if (confirm == 0) {
        flags |= FOF_NOCONFIRMATION | FOF_NOERRORUI;
    }
    return flags;
}

std::wstring ShellDeleteSource(std::wstring_view path) {
    if (!path.empty() && path.back() == L'\\' && !IsBareDrive(path.substr(0, path.size() - 1))) {
        path.remove_suffix(1);
    }
    std::wstring source(path);
    source.append(2, L'\0');
    return source;
}

int16_t ShellDeletePath(HWND owner, std::wstring_view path, int16_t recycle, int16_t confirm) {
    const std::wstring source = ShellDeleteSource(path);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = ShellDeleteFlags(recycle, confirm);
    operation.lpszProgressTitle = L"";
    return ShellResultAsInt16(SHFileOperationW(&operation));
}

int16_t ShellResultAsInt16(int result) {
    return static_cast<int16_t>(std::clamp<int>(result, INT16_MIN, INT16_MAX));
}

int16_t GetOsPlatform() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) {
        return 0;
    }
    return static_cast<int16_t>(info.dwPlatformId);
}

}  // namespace win32
