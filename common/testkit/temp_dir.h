// A fresh folder for one test, removed with its contents afterwards. Tests of one program
// run in parallel processes, so the name takes a random part and an existing folder is
// never shared.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "core/files.h"

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
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Dir() const { return dir_; }

    // The path of a file in the folder, as the code under test names it.
    std::wstring File(std::wstring_view name) const {
        return dir_.wstring() + L"/" + std::wstring(name);
    }

    // The file's bytes, or an empty string when it does not exist.
    std::string Read(std::wstring_view name) const { return core::ReadFileBytes(File(name)).bytes; }

    void Write(std::wstring_view name, std::string_view bytes) const {
        core::WriteFileReplacing(File(name), bytes);
    }

  private:
    std::filesystem::path dir_;
};

}  // namespace testkit
