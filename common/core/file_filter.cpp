#include "core/file_filter.h"

namespace core {

std::vector<std::wstring> SplitFilter(std::wstring_view filter) {
    std::vector<std::wstring> items;
    while (!filter.empty()) {
        const size_t end = filter.find(L'\0');
        items.emplace_back(filter.substr(0, end));
        if (end == std::wstring_view::npos) {
            break;
        }
        filter.remove_prefix(end + 1);
    }
    return items;
}

std::wstring FilterExtension(std::wstring_view filter, int16_t filterIndex) {
    const std::vector<std::wstring> items = SplitFilter(filter);
    const int item = 2 * filterIndex - 1;
    if (item < 0 || item >= static_cast<int>(items.size())) {
        return {};
    }
    const std::wstring& pattern = items[static_cast<size_t>(item)];
    const size_t dot = pattern.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : pattern.substr(dot);
}

std::wstring NameWithFilterExtension(std::wstring_view name, std::wstring_view filter,
                                     int16_t filterIndex) {
    const std::wstring extension = FilterExtension(filter, filterIndex);
    std::wstring result(name);
    if (extension.empty() || extension == L".*") {
        return result;
    }
    const size_t dot = result.rfind(L'.');
    if (dot == std::wstring::npos || result.compare(dot, std::wstring::npos, extension) != 0) {
        result += extension;
    }
    return result;
}

std::wstring AppendedNameOverwriteQuestion(std::wstring_view path) {
    return std::wstring(path) + L" は既に存在します。\r\n上書きしますか?";
}

}  // namespace core
