// Settings-file keys changed in one go: every change applied to the file's bytes with the
// profile rules and the file replaced once, so that it holds either all of them or, after
// a failure, exactly what it held before.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace agent {

struct KeyChange {
    std::wstring_view section;
    std::wstring key;
    std::wstring value;
};

// Writes the changes into the file, crash-safe; a missing file is created (empty when there
// is no change). 0, or the error number when the file could not be read or written (the
// file is then left as it was).
int WriteKeyChanges(const std::wstring& path, const std::vector<KeyChange>& changes);

}  // namespace agent
