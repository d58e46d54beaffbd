#include "win32/dialogs.h"

#include <commdlg.h>

#include <array>

#include "core/file_filter.h"
#include "core/text.h"

namespace win32 {

namespace {

// Both file dialogs work on a buffer of this many characters; longer paths are not supported.
constexpr size_t kFileBufferChars = 256;

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;    // 0x1004
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;  // 6

// The filter as the dialog wants it: every item NUL-ended and one more NUL at the end
// (c_str() supplies that last one).
std::wstring TerminatedFilter(std::wstring_view filter) {
    std::wstring terminated(filter);
    if (!terminated.empty() && terminated.back() != L'\0') {
        terminated.push_back(L'\0');
    }
    return terminated;
}

// A file-name buffer holding start (cut to leave room for its NUL), padded with NULs.
std::wstring FileBuffer(std::wstring_view start) {
    std::wstring buffer(start.substr(0, kFileBufferChars - 1));
    buffer.resize(kFileBufferChars, L'\0');
    return buffer;
}

struct FileDialogRequest {
    HWND owner;
    const std::wstring& filter;
    const std::wstring& initialDir;
    std::wstring& buffer;
    int16_t filterIndex;
};

OPENFILENAMEW FileDialogRecord(const FileDialogRequest& request) {
    OPENFILENAMEW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = request.owner;
    record.hInstance = GetModuleHandleW(nullptr);
    record.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
    record.nFilterIndex = static_cast<DWORD>(request.filterIndex < 0 ? 0 : request.filterIndex);
    record.lpstrFile = request.buffer.data();
    record.nMaxFile = static_cast<DWORD>(request.buffer.size());
    record.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    return record;
}

}  // namespace

std::wstring ShowOpenDialog(HWND owner, std::wstring_view filter, std::wstring_view initialDir,
                            int16_t& filterIndex) {
    const std::wstring filterText = TerminatedFilter(filter);
    const std::wstring dir(initialDir);
    std::wstring buffer = FileBuffer(L"");
    OPENFILENAMEW record = FileDialogRecord({owner, filterText, dir, buffer, filterIndex});
    record.Flags = kOpenFlags;
    if (!GetOpenFileNameW(&record)) {
        return {};
    }
    filterIndex = static_cast<int16_t>(record.nFilterIndex);
    return core::CutAtNul(buffer);
}

std::wstring ShowSaveDialog(HWND owner, std::wstring_view filter, std::wstring_view initialDir,
                            std::wstring_view defaultName, std::wstring_view defaultExt,
                            int16_t& filterIndex, std::wstring_view questionCaption) {
    const std::wstring filterText = TerminatedFilter(filter);
    const std::wstring dir(initialDir);
    const std::wstring extension(defaultExt);
    const std::wstring caption(questionCaption);
    std::wstring start(defaultName);
    int16_t index = filterIndex;
    for (;;) {
        std::wstring buffer = FileBuffer(start);
        OPENFILENAMEW record = FileDialogRecord({owner, filterText, dir, buffer, index});
        record.Flags = kSaveFlags;
        record.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        if (!GetSaveFileNameW(&record)) {
            return {};
        }
        index = static_cast<int16_t>(record.nFilterIndex);
        const std::wstring typed = core::CutAtNul(buffer);
        const std::wstring name = core::NameWithFilterExtension(typed, filter, index);
        if (name == typed || GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES ||
            MessageBoxW(owner, core::AppendedNameOverwriteQuestion(name).c_str(), caption.c_str(),
                        MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES) {
            filterIndex = index;
            return name;
        }
        start = typed;
    }
}

int32_t ShowColorDialog(HWND owner, uint32_t initialColour) {
    // The custom colours start black on every call; they are not kept between calls.
    std::array<COLORREF, 16> customColours{};
    CHOOSECOLORW record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.rgbResult = initialColour;
    record.lpCustColors = customColours.data();
    record.Flags = CC_RGBINIT | CC_ANYCOLOR;  // 0x101
    if (!ChooseColorW(&record)) {
        return -1;
    }
    return static_cast<int32_t>(record.rgbResult);
}

}  // namespace win32
