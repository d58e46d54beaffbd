#include "export_file.h"

#include <cwctype>
#include <filesystem>

#include "class_book.h"
#include "core/files.h"
#include "core/text.h"
#include "set_store.h"

namespace quillard {

namespace {

// Both name the same file: the same file on disk, or the same path apart from the case of
// letters and the kind of separator.
bool SamePath(const std::wstring& a, const std::wstring& b) {
    const auto normal = [](std::wstring path) {
        for (wchar_t& c : path) {
            c = c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(c));
        }
        return std::filesystem::path(path).lexically_normal();
    };
    std::error_code ignored;
    return normal(a) == normal(b) || std::filesystem::equivalent(normal(a), normal(b), ignored);
}

}  // namespace

std::wstring ChooseExportFile(forms::Form& owner, const std::wstring& defaultName,
                              int16_t& filterIndex) {
    std::error_code ignored;
    const std::wstring folder = std::filesystem::current_path(ignored).wstring();
    return forms::GetHost().SaveFileDialog(&owner, kExportFilter, folder, defaultName, L"txt",
                                           filterIndex);
}

void WriteExportFile(forms::Form& owner, const std::wstring& path, const std::wstring& text,
                     const std::wstring& done) {
    const struct {
        std::wstring file;
        const wchar_t* kind;
    } own[] = {{SetFilePath(), L"問題"}, {ClassFilePath(), L"記録"}};
    for (const auto& [file, kind] : own) {
        if (SamePath(path, file)) {
            forms::MsgBox(owner, kind + (L"のファイル '" + file + L"' には出力できません。"),
                          forms::kMbError);
            return;
        }
    }
    if (const int error = core::WriteFileReplacing(path, core::ToCp932(text)); error != 0) {
        forms::MsgBox(owner, L"ファイルの書き込みを失敗しました Err=" + std::to_wstring(error),
                      forms::kMbError);
        return;
    }
    forms::MsgBox(owner, done, forms::kMbInformation);
}

}  // namespace quillard
