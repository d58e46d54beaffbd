#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "e2e/sandbox.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

fs::path UniqueFolder() {
    static std::atomic<unsigned> counter{0};
    const std::wstring name = L"e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    return fs::temp_directory_path() / name;
}

}  // namespace

std::wstring BuildPath(std::string_view path) {
    std::wstring wide = Utf8ToWide(path);
    if (!wide.empty() && wide.front() == L'/') {
        wide.insert(0, L"Z:");
    }
    for (wchar_t& c : wide) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return wide;
}

Sandbox::Sandbox() {
    const fs::path folder = UniqueFolder();
    std::error_code error;
    if (!fs::create_directories(folder, error)) {
        throw std::runtime_error("e2e: cannot create the sandbox folder");
    }
    folder_ = folder.wstring();
}

Sandbox::~Sandbox() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::wstring Sandbox::PathOf(std::wstring_view name) const {
    return (fs::path(folder_) / name).wstring();
}

std::wstring Sandbox::CopyIn(const std::wstring& source, std::wstring_view name) {
    const fs::path target =
        fs::path(folder_) / (name.empty() ? fs::path(source).filename() : fs::path(name));
    std::error_code error;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) {
        throw std::runtime_error("e2e: cannot copy a file into the sandbox");
    }
    return target.wstring();
}

void Sandbox::Write(std::wstring_view name, std::string_view bytes) {
    std::ofstream out(fs::path(PathOf(name)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("e2e: cannot write a file into the sandbox");
    }
}

std::optional<std::string> Sandbox::Read(std::wstring_view name) const {
    std::ifstream in(fs::path(PathOf(name)), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Sandbox::Exists(std::wstring_view name) const {
    std::error_code ignored;
    return fs::exists(fs::path(PathOf(name)), ignored);
}

}  // namespace e2e
