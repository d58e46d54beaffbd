// A fresh folder under the system's temporary directory, removed with its contents.
#pragma once

#include <atomic>
#include <ctime>
#include <filesystem>
#include <string>

#include "core/files.h"

namespace lindrow::testing {

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> serial{0};
        path_ =
            std::filesystem::temp_directory_path() /
            ("lindrow-test-" + std::to_string(std::time(nullptr)) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }

    // The file's bytes, or an empty string when it does not exist.
    std::string Read(const std::wstring& name) const {
        return core::ReadFileBytes(File(name)).bytes;
    }
    void Write(const std::wstring& name, const std::string& bytes) const {
        core::WriteFileReplacing(File(name), bytes);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace lindrow::testing
