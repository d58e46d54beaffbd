// Windows half of the text services: code page 932 and the process environment.
#include <windows.h>

#include "core/text.h"

namespace core {

namespace {

constexpr UINT kCp932 = 932;

}  // namespace

std::string ToCp932(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(kCp932, 0, text.data(), size, nullptr, 0, "?", &usedDefault);
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCp932, 0, text.data(), size, out.data(), needed, "?", &usedDefault);
    return out;
}

std::wstring FromCp932(std::string_view bytes) {
    // A lead byte without its trail byte at the end is dropped.
    std::size_t length = 0;
    while (length < bytes.size()) {
        const bool lead = IsCp932LeadByte(static_cast<unsigned char>(bytes[length]));
        if (lead && length + 1 >= bytes.size()) {
            break;
        }
        length += lead ? 2 : 1;
    }
    if (length == 0) {
        return {};
    }
    const int size = static_cast<int>(length);
    const int needed = MultiByteToWideChar(kCp932, 0, bytes.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kCp932, 0, bytes.data(), size, out.data(), needed);
    return out;
}

EnvLookup ProcessEnvironment() {
    return [](std::wstring_view name) -> std::optional<std::wstring> {
        const std::wstring key(name);
        if (key.empty()) {
            return std::nullopt;
        }
        SetLastError(ERROR_SUCCESS);
        const DWORD needed = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
        if (needed == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::wstring();
        }
        std::wstring value(needed, L'\0');
        const DWORD written = GetEnvironmentVariableW(key.c_str(), value.data(), needed);
        value.resize(written);
        return value;
    };
}

}  // namespace core
