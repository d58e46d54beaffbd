// File-dialog filters: pairs of display text and pattern, each item ended by L'\0', e.g.
// L"CSV (*.csv)\0*.csv\0All files\0*.*\0". Filter indices count pairs from 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The filter's items (texts and patterns alternately), split at the NUL characters.
std::vector<std::wstring> SplitFilter(std::wstring_view filter);

// The extension of the pattern of pair filterIndex, from its last dot on (".csv" for
// "*.csv"); empty when the pair does not exist or its pattern has no dot.
std::wstring FilterExtension(std::wstring_view filter, int16_t filterIndex);

// The name the save dialog returns: name with the chosen pattern's extension appended
// unless it already ends in it (case-sensitive) or the pattern's extension is ".*".
std::wstring NameWithFilterExtension(std::wstring_view name, std::wstring_view filter,
                                     int16_t filterIndex);

// The save dialog asks before replacing an existing file only under the name it saw. When
// the extension was appended after it closed and a file of the new name exists, this is
// the question asked (Yes replaces it, No lets the user choose again).
std::wstring AppendedNameOverwriteQuestion(std::wstring_view path);

}  // namespace core
