// Every program file carries its application manifest, and a program started from it runs
// with the common controls 6 the manifest asks for.
#include <gtest/gtest.h>
#include <windows.h>
// psapi.h needs windows.h before it.
#include <psapi.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"

namespace {

using namespace e2e;

// The program files, separated by '|'.
std::vector<std::wstring> ProgramFiles() {
    std::vector<std::wstring> files;
    std::string_view all = PROGRAM_EXES;
    for (size_t end; !all.empty(); all.remove_prefix(end == all.npos ? all.size() : end + 1)) {
        end = all.find('|');
        files.push_back(BuildPath(all.substr(0, end)));
    }
    return files;
}

// The text of the program's manifest (resource type 24, id 1); empty when it has none.
std::string ManifestOf(const std::wstring& exe) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return {};
    }
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        text.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

TEST(ProgramManifest, EveryProgramDeclaresScalingControlsSystemsAndRights) {
    const std::vector<std::wstring> exes = ProgramFiles();
    ASSERT_EQ(exes.size(), 7u);
    for (const std::wstring& exe : exes) {
        SCOPED_TRACE(std::string(exe.begin(), exe.end()));
        const std::string manifest = ManifestOf(exe);
        for (const char* part : {
                 R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
                 R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
                 R"(WindowsSettings">true</dpiAware>)", R"(WindowsSettings">system</dpiAwareness>)",
                 "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
                 "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
             }) {
            EXPECT_NE(manifest.find(part), std::string::npos) << part;
        }
    }
}

// The path of the common controls library loaded in the process, lower case; empty if none
// is. Version 6 is the side-by-side assembly in the system's winsxs folder (Wine's copy there
// carries the same file version as the old one in system32, so the path is what tells).
std::wstring CommonControlsPath(DWORD processId) {
    std::unique_ptr<void, decltype(&CloseHandle)> process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId), CloseHandle);
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!process || !EnumProcessModules(process.get(), modules, sizeof modules, &bytes)) {
        return {};
    }
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
        wchar_t path[MAX_PATH];
        if (GetModuleFileNameExW(process.get(), modules[i], path, MAX_PATH) != 0) {
            _wcslwr(path);
            if (std::wstring_view(path).ends_with(L"\\comctl32.dll")) {
                return path;
            }
        }
    }
    return {};
}

TEST(ProgramManifest, ProgramRunsWithCommonControls6) {
    Sandbox sandbox;
    const std::wstring exe = sandbox.CopyIn(BuildPath(LINDROW_EXE));
    Process process(exe, L"", sandbox.Folder());
    ASSERT_NE(process.WaitForWindow({.className = L"SuiteForm", .visibleOnly = true}, 15000),
              nullptr);
    const std::wstring path = CommonControlsPath(process.Id());
    EXPECT_NE(path.find(L"\\winsxs\\"), path.npos) << std::string(path.begin(), path.end());
    EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), path.npos);
}

}  // namespace
