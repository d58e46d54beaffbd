#include "agent/profile_changes.h"

#include "agent/profile_reader.h"
#include "core/files.h"
#include "core/profile.h"
#include "core/text.h"

namespace agent {

int WriteKeyChanges(const std::wstring& path, const std::vector<KeyChange>& changes) {
    core::FileRead read = core::ReadFileBytes(path);
    const bool missing = core::FileMissing(read, path);
    if (read.error != 0 && !missing) {
        return read.error;
    }
    std::string content = missing ? std::string() : std::move(read.bytes);
    const std::string before = content;
    // A file saved as UTF-8 with the byte-order mark stays so, as the system keeps it.
    const bool utf8 = content.starts_with(kUtf8Mark);
    const auto encode = [utf8](std::wstring_view text) {
        return utf8 ? core::ToUtf8(text) : core::ToCp932(text);
    };
    std::string body = utf8 ? content.substr(kUtf8Mark.size()) : content;
    for (const KeyChange& change : changes) {
        body = core::profile::WriteString(body, encode(change.section), encode(change.key),
                                          encode(change.value));
    }
    content = utf8 ? std::string(kUtf8Mark) + body : body;
    if (!missing && content == before) {
        return 0;
    }
    return core::WriteFileReplacing(path, content);
}

}  // namespace agent
