// The claim that makes a program run once per program file: a named mutex derived from
// the program file's full path.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// The mutex name for a program file: the same for every spelling of the path that differs
// only in letter case, and free of backslashes (not allowed in a name past its namespace).
// Global namespace: copies started in other sessions of the same machine share the files
// beside the program too.
std::wstring InstanceMutexName(std::wstring_view exePath);

class InstanceClaim {
  public:
    InstanceClaim() = default;
    ~InstanceClaim() { Release(); }
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // Takes the claim for the program file, waiting up to waitMilliseconds while another
    // copy holds it; true when held (at once when this object holds it already). A copy
    // that ended without releasing leaves the claim free.
    bool Claim(std::wstring_view exePath, DWORD waitMilliseconds);
    void Release();
    bool Held() const { return mutex_ != nullptr; }

  private:
    HANDLE mutex_ = nullptr;
};

}  // namespace win32
