// A fresh temporary folder for one end-to-end test: the program file and its prepared
// files are copied in, the program runs there, the test reads what it wrote.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// A build artefact's path as the build system writes it, as a Windows path ("/a/b" on the
// Linux build machine is "Z:\a\b" under Wine).
std::wstring BuildPath(std::string_view path);

// Declare a Sandbox before the Process that runs in it, so that the program has ended
// before its folder is removed.
class Sandbox {
  public:
    // Creates an empty folder under the system's temporary folder; throws on failure.
    Sandbox();
    // Removes the folder with everything in it.
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::wstring& Folder() const { return folder_; }
    std::wstring PathOf(std::wstring_view name) const;

    // Copies a file into the folder under name (its own name when name is empty) and
    // returns its new path; throws on failure.
    std::wstring CopyIn(const std::wstring& source, std::wstring_view name = {});

    // Writes bytes as the file name in the folder; throws on failure.
    void Write(std::wstring_view name, std::string_view bytes);

    // The bytes of the file name in the folder, nullopt when it cannot be read.
    std::optional<std::string> Read(std::wstring_view name) const;

    bool Exists(std::wstring_view name) const;

  private:
    std::wstring folder_;
};

}  // namespace e2e
