#include "agent/agent_paths.h"

#include <filesystem>
#include <system_error>

#include "core/text.h"

namespace agent {

bool IsAbsolutePath(std::wstring_view path) {
    if (path.empty()) {
        return false;
    }
    if (path.front() == L'\\' || path.front() == L'/') {
        return true;
    }
    return path.size() >= 2 && path[1] == L':';
}

std::wstring ResolveAgentPath(std::wstring_view programDir, std::wstring_view path) {
    if (path.empty() || IsAbsolutePath(path)) {
        return std::wstring(path);
    }
    return core::AppFilePath(programDir, path);
}

bool PathExists(std::wstring_view path) {
    if (path.empty()) {
        return false;
    }
    // Backslashes separate folders in the paths the agent keeps; where the system uses
    // another separator they are translated.
    std::string utf8 = core::ToUtf8(path);
    if (std::filesystem::path::preferred_separator != '\\') {
        for (char& c : utf8) {
            if (c == '\\') {
                c = char(std::filesystem::path::preferred_separator);
            }
        }
    }
    const std::u8string native(utf8.begin(), utf8.end());
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(native), error);
}

}  // namespace agent
