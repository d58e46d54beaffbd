#include "agent/profile_changes.h"

#include "core/files.h"
#include "core/profile.h"
#include "core/text.h"

namespace agent {

int WriteKeyChanges(const std::wstring& path, const std::vector<KeyChange>& changes) {
    core::FileRead read = core::ReadFileBytes(path);
    const bool missing = read.error == core::kErrFileNotFound && !core::FileExists(path);
    if (read.error != 0 && !missing) {
        return read.error;
    }
    std::string content = missing ? std::string() : std::move(read.bytes);
    const std::string before = content;
    for (const KeyChange& change : changes) {
        content =
            core::profile::WriteString(content, core::ToCp932(change.section),
                                       core::ToCp932(change.key), core::ToCp932(change.value));
    }
    if (!missing && content == before) {
        return 0;
    }
    return core::WriteFileReplacing(path, content);
}

}  // namespace agent
