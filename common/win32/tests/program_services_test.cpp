// Program-wide services on the Win32 backend: modal ownership and activation, the modal
// state under real modal loops, the single-copy claim, the end of the session and the
// shell's restart.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <future>
#include <string>
#include <thread>

#include "forms/forms.h"
#include "win32/instance_claim.h"
#include "win32/notify_icon.h"
#include "win32/win32_host.h"

namespace {

using namespace forms;

HWND WindowOf(const Form& form) {
    return HWND(form.Handle());
}

// Pumps messages until the condition holds or a few seconds have passed.
bool PumpUntil(win32::Win32Host& host, const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 5000) {
            return false;
        }
        host.DoEvents();
        Sleep(1);
    }
    return true;
}

// Whether upper lies above lower among the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == upper) {
            return true;
        }
    }
    return false;
}

// A message box of this thread, or nullptr.
HWND ThreadMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&found));
    return found;
}

class MainForm : public Form {
  public:
    MainForm() : Form(L"Form1") {
        SetCaption(L"Main");
        Move(600, 600, 4800, 3600);
    }
    Timer Timer1{*this, L"Timer1"};
};

class Dialog : public Form {
  public:
    Dialog() : Form(L"Form2") {
        SetCaption(L"Dialog");
        SetBorderStyle(3);
        SetShowInTaskbar(false);
        Move(1200, 1200, 3000, 2000);
    }
};

class ProgramServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main.Show();
        ASSERT_TRUE(PumpUntil(host, [&] { return app.ActiveForm() == &main; }));
    }

    win32::Win32Host host;
    App app{host};
    MainForm main;
    Dialog dialog;
};

TEST_F(ProgramServicesTest, AModalFormIsOwnedByItsOpenerWhichGetsActivationBack) {
    HWND owner = nullptr;
    bool dialogStaysAbove = false;
    bool modalOpen = false;
    main.Timer1.Tick = [&] {
        main.Timer1.SetInterval(0);
        owner = GetWindow(WindowOf(dialog), GW_OWNER);
        SetWindowPos(WindowOf(main), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        dialogStaysAbove = IsAbove(WindowOf(dialog), WindowOf(main));
        modalOpen = app.ModalOpen();
        dialog.Unload();
    };
    main.Timer1.SetInterval(50);
    dialog.Show(true);

    EXPECT_EQ(owner, WindowOf(main));
    EXPECT_TRUE(dialogStaysAbove);
    EXPECT_TRUE(modalOpen);
    EXPECT_FALSE(app.ModalOpen());
    EXPECT_TRUE(IsWindowEnabled(WindowOf(main)));
    EXPECT_EQ(GetActiveWindow(), WindowOf(main));
    EXPECT_EQ(app.ActiveForm(), &main);

    // Shown again without being modal, it has its own owner back.
    dialog.Show();
    EXPECT_EQ(GetWindow(WindowOf(dialog), GW_OWNER), host.HiddenOwner());
}

TEST_F(ProgramServicesTest, AMessageBoxCountsAsModalWhileTimersRunUnderIt) {
    bool modalOpen = false;
    main.Timer1.Tick = [&] {
        if (HWND box = ThreadMessageBox()) {
            main.Timer1.SetInterval(0);
            modalOpen = app.ModalOpen();
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    };
    main.Timer1.SetInterval(50);
    EXPECT_EQ(MsgBox(L"お知らせ", kMbInformation), kIdOk);
    EXPECT_TRUE(modalOpen);
    EXPECT_FALSE(app.ModalOpen());
    EXPECT_EQ(GetActiveWindow(), WindowOf(main));
}

TEST_F(ProgramServicesTest, TheSessionEndReachesTheProgramOnceAndUnloadsNothing) {
    int ends = 0;
    app.OnSessionEnd = [&] { ++ends; };
    EXPECT_NE(SendMessageW(host.HiddenOwner(), WM_QUERYENDSESSION, 0, 0), 0);
    SendMessageW(host.HiddenOwner(), WM_ENDSESSION, FALSE, 0);  // another program said no
    EXPECT_EQ(ends, 0);
    // Every top-level window of the program hears it, the hidden one included.
    SendMessageW(WindowOf(main), WM_ENDSESSION, TRUE, 0);
    SendMessageW(host.HiddenOwner(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(main.Loaded());
}

TEST_F(ProgramServicesTest, AfterAShellRestartTheIconIsAddedAgain) {
    ASSERT_EQ(host.NotifyIcon(main, NIM_ADD, L"見本", 0), 0);
    ASSERT_EQ(host.NotifyIcon(main, NIM_MODIFY, L"見本 2", 0), 0);
    // A restarted shell has forgotten the icon: a change to it fails.
    NOTIFYICONDATAW record = win32::NotifyIconRecord(WindowOf(main), L"見本", nullptr);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));
    ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record));

    SendMessageW(host.HiddenOwner(), host.TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &record));

    // A removed icon stays removed.
    ASSERT_EQ(host.NotifyIcon(main, NIM_DELETE, L"", 0), 0);
    SendMessageW(host.HiddenOwner(), host.TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record));
}

// Whether another copy (a thread of its own) could take the claim for path now.
bool ClaimedElsewhere(const std::wstring& path) {
    return std::async(std::launch::async,
                      [path] {
                          win32::InstanceClaim other;
                          return other.Claim(path, 0);
                      })
        .get();
}

TEST_F(ProgramServicesTest, TheProgramFileOrItsFolderIsClaimedOncePerRunningCopy) {
    std::wstring path = win32::ExePath();
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    ASSERT_TRUE(app.ClaimInstance());
    EXPECT_TRUE(app.ClaimInstance());  // holding it already
    CharLowerBuffW(path.data(), DWORD(path.size()));
    EXPECT_FALSE(ClaimedElsewhere(path));
    EXPECT_TRUE(ClaimedElsewhere(folder));
    app.ReleaseInstance();
    EXPECT_TRUE(ClaimedElsewhere(path));

    ASSERT_TRUE(app.ClaimInstance(0, ClaimScope::Folder));
    EXPECT_FALSE(ClaimedElsewhere(folder));
    EXPECT_TRUE(ClaimedElsewhere(path));
    app.ReleaseInstance();
}

// One folder reached through two drives (under Wine: C: and the whole file system as Z:)
// is one claim, as a mapped drive and its network path are on Windows.
TEST(InstanceClaimTest, EveryPathToAFolderGivesOneName) {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder =
        std::wstring(temp) + L"claim-alias-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring name = win32::InstanceMutexName(folder);
    std::wstring lower = folder;
    CharLowerBuffW(lower.data(), DWORD(lower.size()));
    EXPECT_EQ(win32::InstanceMutexName(lower), name);
    EXPECT_EQ(win32::InstanceMutexName(folder + L"\\."), name);
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName != nullptr) {
        char* unix = unixName(folder.c_str());
        ASSERT_NE(unix, nullptr);
        std::wstring viaZ = L"Z:";
        for (const char* c = unix; *c != 0; ++c) {
            viaZ += *c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(*c));
        }
        HeapFree(GetProcessHeap(), 0, unix);
        EXPECT_NE(viaZ.substr(0, 3), folder.substr(0, 3));
        EXPECT_EQ(win32::InstanceMutexName(viaZ), name) << "through " << viaZ.size();
    }
    RemoveDirectoryW(folder.c_str());
}

TEST(InstanceClaimTest, TheNameIgnoresCaseAndKeepsBackslashesOutOfTheName) {
    const std::wstring name = win32::InstanceMutexName(L"C:\\Tools\\Pindorel.exe");
    EXPECT_EQ(name, win32::InstanceMutexName(L"c:\\TOOLS\\pindorel.EXE"));
    EXPECT_NE(name, win32::InstanceMutexName(L"C:\\Tools2\\Pindorel.exe"));
    EXPECT_NE(name, win32::InstanceMutexName(L"C:\\Tools\\Tamvoro.exe"));
    const std::wstring space = L"Global\\";
    ASSERT_EQ(name.compare(0, space.size(), space), 0);
    EXPECT_EQ(name.find(L'\\', space.size()), std::wstring::npos);
    EXPECT_LT(name.size(), size_t(MAX_PATH));
}

TEST(InstanceClaimTest, AHolderKeepsTheClaimUntilItReleasesOrEnds) {
    const std::wstring path =
        L"C:\\claim-" + std::to_wstring(GetCurrentProcessId()) + L"\\Program.exe";
    win32::InstanceClaim mine;
    {
        // Another copy holds it, then lets go while we wait.
        std::promise<void> claimed;
        std::thread other([&] {
            win32::InstanceClaim claim;
            claim.Claim(path, 0);
            claimed.set_value();
            Sleep(300);
        });  // the claim ends with its holder
        claimed.get_future().wait();
        EXPECT_FALSE(mine.Claim(path, 0));
        EXPECT_TRUE(mine.Claim(path, 10000));
        other.join();
        mine.Release();
    }
    // A holder that ends without releasing (as a process that crashed) leaves it free.
    win32::InstanceClaim abandoned;
    std::thread([&] { abandoned.Claim(path, 0); }).join();
    EXPECT_TRUE(mine.Claim(path, 0));
}

}  // namespace
