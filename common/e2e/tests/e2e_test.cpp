#include <gtest/gtest.h>

#include <memory>

#include "e2e/process_win.h"
#include "e2e/sandbox.h"
#include "e2e/window_driver_win.h"

namespace e2e {
namespace {

constexpr DWORD kWaitMs = 15000;

TEST(BuildPath, MapsTheBuildMachinesPathsToWindowsPaths) {
    EXPECT_EQ(BuildPath("/work/build/a.exe"), L"Z:\\work\\build\\a.exe");
    EXPECT_EQ(BuildPath("C:/x/y.exe"), L"C:\\x\\y.exe");
    EXPECT_EQ(BuildPath("/tmp/\xE3\x81\x82.txt"), L"Z:\\tmp\\\u3042.txt");
}

TEST(Sandbox, HoldsFilesUntilItIsGone) {
    std::wstring folder;
    {
        Sandbox sandbox;
        folder = sandbox.Folder();
        EXPECT_FALSE(sandbox.Exists(L"a.txt"));
        EXPECT_EQ(sandbox.Read(L"a.txt"), std::nullopt);
        sandbox.Write(L"a.txt", std::string("x\r\n\0y", 5));
        EXPECT_EQ(sandbox.Read(L"a.txt"), std::string("x\r\n\0y", 5));
        const std::wstring copy = sandbox.CopyIn(sandbox.PathOf(L"a.txt"), L"b.txt");
        EXPECT_EQ(copy, sandbox.PathOf(L"b.txt"));
        EXPECT_EQ(sandbox.Read(L"b.txt"), sandbox.Read(L"a.txt"));
        EXPECT_NE(Sandbox().Folder(), folder);
    }
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Sandbox, CopyInKeepsTheFileNameByDefault) {
    Sandbox source;
    source.Write(L"data.ini", "[a]\r\n");
    Sandbox target;
    EXPECT_EQ(target.CopyIn(source.PathOf(L"data.ini")), target.PathOf(L"data.ini"));
    EXPECT_EQ(target.Read(L"data.ini"), "[a]\r\n");
    EXPECT_THROW(target.CopyIn(source.PathOf(L"missing.ini")), std::runtime_error);
}

class ProbeTest : public ::testing::Test {
  protected:
    void Start(std::wstring_view arguments) {
        sandbox_.Write(L"in.txt", "prepared");
        const std::wstring exe = sandbox_.CopyIn(BuildPath(PROBE_EXE));
        probe_ = std::make_unique<Process>(exe, arguments, sandbox_.Folder());
        window_ = probe_->WaitForWindow(
            {.className = L"E2EProbe", .caption = L"Probe", .visibleOnly = true}, kWaitMs);
        ASSERT_NE(window_, nullptr);
    }

    HWND Child(int id) const { return FindChild(window_, {.id = id}); }

    bool FileBecomes(std::wstring_view name, const std::string& expected) const {
        return WaitUntil([&] { return sandbox_.Read(name) == expected; }, kWaitMs);
    }

    Sandbox sandbox_;
    std::unique_ptr<Process> probe_;
    HWND window_ = nullptr;
};

TEST_F(ProbeTest, StartsInItsFolderWithArgumentsAndPreparedFiles) {
    Start(L"one \"two three\"");
    EXPECT_TRUE(FileBecomes(L"args.txt", "2"));
    EXPECT_EQ(TextOf(Child(102)), L"prepared");
    EXPECT_EQ(ClassOf(Child(102)), L"Static");
    EXPECT_EQ(FindChild(window_, {.className = L"Button", .caption = L"Save"}), Child(101));
    EXPECT_EQ(FindChild(window_, {.className = L"Button", .caption = L"Other"}), nullptr);
    EXPECT_EQ(probe_->WaitForWindow({.className = L"NoSuchClass"}, 200), nullptr);
}

TEST_F(ProbeTest, TypedTextReachesTheFileByEitherKindOfClick) {
    Start(L"");
    PostText(Child(100), L"あいう abc");
    ClickButton(Child(101));
    EXPECT_TRUE(FileBecomes(L"out.txt", "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86 abc"));
    PostChar(Child(100), L'!');
    PressButton(Child(101));
    EXPECT_TRUE(FileBecomes(L"out.txt", "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86 abc!"));
}

TEST_F(ProbeTest, KeysReachTheWindow) {
    Start(L"");
    PostKey(window_, VK_F5);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(Child(102)) == L"F5"; }, kWaitMs));
}

TEST_F(ProbeTest, MessageBoxIsFoundAndAnswered) {
    Start(L"");
    PostCommand(window_, 201);
    const HWND box = probe_->WaitForWindow({.className = L"#32770", .caption = L"Probe"}, kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(FindChild(box, {.className = L"Static", .id = 0xFFFF})), L"質問");
    ClickButton(FindChild(box, {.id = IDYES}));
    EXPECT_TRUE(FileBecomes(L"answer.txt", "yes"));
}

TEST_F(ProbeTest, MenuCommandEndsTheProgramWithItsExitCode) {
    Start(L"");
    EXPECT_TRUE(probe_->Running());
    EXPECT_EQ(probe_->WaitForExit(0), std::nullopt);
    PostCommand(window_, 200);
    EXPECT_EQ(probe_->WaitForExit(kWaitMs), 7u);
    EXPECT_FALSE(probe_->Running());
}

TEST_F(ProbeTest, TeardownEndsARunningProgram) {
    Start(L"");
    const HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, probe_->Id());
    ASSERT_NE(watch, nullptr);
    probe_.reset();
    EXPECT_EQ(WaitForSingleObject(watch, 0), WAIT_OBJECT_0);
    CloseHandle(watch);
}

}  // namespace
}  // namespace e2e
