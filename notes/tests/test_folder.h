// A real temporary folder for the note store's tests, whose steps can be made to fail, one
// operation on one file at a time.
#pragma once

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "note_folder.h"
#include "testkit/temp_dir.h"

namespace pindorel {

class TestFolder : public NoteFolder {
  public:
    enum class Step { Read, Write, Rename, Retire };

    TestFolder()
        : disk_(dir_.Dir().wstring(), [this](const std::wstring& path, int16_t recycle) {
              recycled_.push_back(recycle);
              std::wstring native = path;
              std::replace(native.begin(), native.end(), L'\\', L'/');
              std::error_code ignored;
              return std::filesystem::remove(std::filesystem::path(native), ignored) ? 0 : 2;
          }) {}

    void FailAt(Step step, std::wstring name) { faults_[step] = std::move(name); }
    void ClearFaults() { faults_.clear(); }
    // Another program keeps the file open, sharing nothing: it cannot be read, renamed or
    // deleted until released.
    void Hold(const std::wstring& name) { held_.insert(name); }
    void ReleaseAll() { held_.clear(); }

    std::vector<std::wstring> Names() override { return disk_.Names(); }
    core::FileRead Read(const std::wstring& name) override {
        return Faulty(Step::Read, name) || held_.count(name) != 0 ? core::FileRead{"", 70}
                                                                  : disk_.Read(name);
    }
    int Write(const std::wstring& name, std::string_view bytes) override {
        ++writes_;
        return Faulty(Step::Write, name) ? core::kErrDiskFull : disk_.Write(name, bytes);
    }
    int Rename(const std::wstring& from, const std::wstring& to) override {
        return Faulty(Step::Rename, from) || held_.count(from) != 0 ? core::kErrPathAccess
                                                                    : disk_.Rename(from, to);
    }
    int Retire(const std::wstring& name, bool recycle) override {
        return Faulty(Step::Retire, name) || held_.count(name) != 0 ? 117
                                                                    : disk_.Retire(name, recycle);
    }
    int Remove(const std::wstring& name) override { return disk_.Remove(name); }
    bool Exists(const std::wstring& name) override { return disk_.Exists(name); }

    // What another program does to the folder.
    void Put(const std::wstring& name, const std::string& bytes) { dir_.Write(name, bytes); }
    std::string Get(const std::wstring& name) const { return dir_.Read(name); }
    std::vector<std::wstring> Sorted() {
        std::vector<std::wstring> names = Names();
        std::sort(names.begin(), names.end());
        return names;
    }
    int writes_ = 0;
    std::vector<int16_t> recycled_;

  private:
    bool Faulty(Step step, const std::wstring& name) const {
        auto it = faults_.find(step);
        return it != faults_.end() && it->second == name;
    }
    testkit::TempDir dir_{"pindorel-store"};
    DiskFolder disk_;
    std::map<Step, std::wstring> faults_;
    std::set<std::wstring> held_;
};

}  // namespace pindorel
