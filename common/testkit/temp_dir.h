// A fresh folder for one test, removed with its contents afterwards. Tests of one program
// run in parallel processes, so the name takes a random part and an existing folder is
// never shared.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "core/files.h"
#include "core/text.h"

namespace testkit {

class TempDir {
  public:
    explicit TempDir(std::string_view prefix = "suite-test") {
        std::random_device random;
        do {
            dir_ = std::filesystem::temp_directory_path() /
                   (std::string(prefix) + "-" + std::to_string(random()) + "-" +
                    std::to_string(random()));
        } while (!std::filesystem::create_directory(dir_));
        path_ = dir_.wstring();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Dir() const { return dir_; }

    // The folder as the programs name it (no trailing separator).
    const std::wstring& Path() const { return path_; }

    // The path of a file in the folder as the programs build it: Path() + "\" + name
    // (the host's file services take a backslash as the separator).
    std::wstring File(std::wstring_view name) const { return core::AppFilePath(path_, name); }

    // The file's bytes, or an empty string when it does not exist.
    std::string Read(std::wstring_view name) const { return core::ReadFileBytes(File(name)).bytes; }

    bool Exists(std::wstring_view name) const { return core::FileExists(File(name)); }

    // Writes the file, creating the sub-folders its name holds ("Media/a.wav").
    void Write(std::wstring_view name, std::string_view bytes) const {
        std::filesystem::create_directories((dir_ / std::wstring(name)).parent_path());
        if (core::WriteFileReplacing(File(name), bytes) != 0) {
            throw std::filesystem::filesystem_error("cannot write a test file", dir_,
                                                    std::make_error_code(std::errc::io_error));
        }
    }

  private:
    std::filesystem::path dir_;
    std::wstring path_;
};

}  // namespace testkit
