// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace agent::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as the programs name it (no trailing separator).
    const std::wstring& Path() const { return path_; }

    // Path() + "\" + name.
    std::wstring File(std::wstring_view name) const;

    // Writes bytes to the named file in the folder.
    void Write(std::wstring_view name, std::string_view bytes) const;

    // The file's bytes, or "<missing>" when there is no such file.
    std::string Read(std::wstring_view name) const;

    bool Exists(std::wstring_view name) const;

  private:
    std::filesystem::path dir_;
    std::wstring path_;
};

// The bytes of a file of the demo folder.
std::string DemoFile(std::wstring_view name);

// Text in CP932 with CR LF line ends: lines joined by CR LF, one after the last.
std::string Cp932Lines(std::initializer_list<std::wstring_view> lines);

}  // namespace agent::testing
