// The claim that makes a program run once per program file (or per folder): a named mutex
// derived from the file's or folder's final path.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// The mutex name for a program file or folder: the same for every path that reaches it (a
// mapped drive or a network path, a link, a short name, letters in any case), and free of
// backslashes (not allowed in a name past its namespace).
// Global namespace: copies started in other sessions of the same machine share the files
// beside the program too.
std::wstring InstanceMutexName(std::wstring_view path);

class InstanceClaim {
  public:
    InstanceClaim() = default;
    ~InstanceClaim() { Release(); }
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // Takes the claim for the file or folder, waiting up to waitMilliseconds while another
    // copy holds it; true when held (at once when this object holds it already). A copy
    // that ended without releasing leaves the claim free.
    bool Claim(std::wstring_view path, DWORD waitMilliseconds);
    void Release();
    bool Held() const { return mutex_ != nullptr; }

  private:
    HANDLE mutex_ = nullptr;
};

}  // namespace win32
