#include "temp_dir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/files.h"
#include "core/text.h"

namespace agent::testing {

namespace {

// Test folders and files have ASCII names, which convert alike on every system.
std::filesystem::path FsPath(std::wstring_view name) {
    return std::filesystem::path(std::wstring(name));
}

}  // namespace

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("agent-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    path_ = dir_.wstring();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::wstring TempDir::File(std::wstring_view name) const {
    return core::AppFilePath(path_, name);
}

void TempDir::Write(std::wstring_view name, std::string_view bytes) const {
    const std::filesystem::path file = dir_ / FsPath(name);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write a test file");
    }
}

std::string TempDir::Read(std::wstring_view name) const {
    std::ifstream in(dir_ / FsPath(name), std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(std::wstring_view name) const {
    return std::filesystem::exists(dir_ / FsPath(name));
}

std::string DemoFile(std::wstring_view name) {
    const core::FileRead read =
        core::ReadFileBytes(std::wstring(AGENT_DEMO_DIR) + L"/" + std::wstring(name));
    if (read.error != 0) {
        throw std::runtime_error("cannot read a demo file");
    }
    return read.bytes;
}

std::string Cp932Lines(std::initializer_list<std::wstring_view> lines) {
    std::string out;
    for (std::wstring_view line : lines) {
        out += core::ToCp932(line);
        out += "\r\n";
    }
    return out;
}

}  // namespace agent::testing
