// The file operations the note store needs in the program's folder, behind an interface so
// tests can make any one of them fail.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"

namespace pindorel {

class NoteFolder {
  public:
    virtual ~NoteFolder() = default;
    // Names (without folder) of the plain files in the folder, in no particular order.
    virtual std::vector<std::wstring> Names() = 0;
    // Reads a file that may hold a note: one longer than any note record is not read.
    virtual core::FileRead Read(const std::wstring& name) = 0;
    // Writes a complete file (never a partial one, see WriteFileReplacing); 0 or an error
    // number.
    virtual int Write(const std::wstring& name, std::string_view bytes) = 0;
    // Renames a file; fails when the new name exists; a brief lock is waited for. 0 or an
    // error number.
    virtual int Rename(const std::wstring& from, const std::wstring& to) = 0;
    // Moves a file out of the way for good: to the recycle bin when recycle is set. 0 or
    // the shell's non-zero result.
    virtual int Retire(const std::wstring& name, bool recycle) = 0;
    // Deletes a file of the program's own making (an unfinished write). 0 or an error number.
    virtual int Remove(const std::wstring& name) = 0;
    virtual bool Exists(const std::wstring& name) = 0;
};

// Retire: the shell's delete, given the full path and the recycle flag (1 or 0).
using ShellDeleter = std::function<int(const std::wstring& path, int16_t recycle)>;

// The real folder.
class DiskFolder : public NoteFolder {
  public:
    DiskFolder(std::wstring directory, ShellDeleter shellDelete);
    const std::wstring& Directory() const { return directory_; }
    std::wstring PathOf(const std::wstring& name) const;

    std::vector<std::wstring> Names() override;
    core::FileRead Read(const std::wstring& name) override;
    int Write(const std::wstring& name, std::string_view bytes) override;
    int Rename(const std::wstring& from, const std::wstring& to) override;
    int Retire(const std::wstring& name, bool recycle) override;
    int Remove(const std::wstring& name) override;
    bool Exists(const std::wstring& name) override;

  private:
    std::wstring directory_;
    ShellDeleter shellDelete_;
};

}  // namespace pindorel
