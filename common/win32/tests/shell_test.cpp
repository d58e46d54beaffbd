#include "win32/shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace win32 {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(ShellDeleteFlags, RecycleOnlyForExactlyOneAndSilentWithoutConfirm) {
    EXPECT_EQ(ShellDeleteFlags(1, 1), FOF_ALLOWUNDO);
    EXPECT_EQ(ShellDeleteFlags(1, 0), FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI);
    EXPECT_EQ(ShellDeleteFlags(0, 0), FOF_NOCONFIRMATION | FOF_NOERRORUI);
    EXPECT_EQ(ShellDeleteFlags(-1, 0), FOF_NOCONFIRMATION | FOF_NOERRORUI);
    EXPECT_EQ(ShellDeleteFlags(2, -1), 0);
    EXPECT_EQ(ShellDeleteFlags(0, 1), 0);
}

TEST(ShellDeleteSource, IsOnePathWithoutTrailingBackslashEndedByTwoNuls) {
    EXPECT_EQ(ShellDeleteSource(L"C:\\notes\\TagData1.dat"), L"C:\\notes\\TagData1.dat\0\0"s);
    EXPECT_EQ(ShellDeleteSource(L"C:\\notes\\"), L"C:\\notes\0\0"s);
    EXPECT_EQ(ShellDeleteSource(L"C:\\"), L"C:\\\0\0"s);
    EXPECT_EQ(ShellDeleteSource(L""), L"\0\0"s);
}

TEST(ShellResultAsInt16, NeverTurnsAFailureIntoZero) {
    EXPECT_EQ(ShellResultAsInt16(0), 0);
    EXPECT_EQ(ShellResultAsInt16(0x7C), 0x7C);
    EXPECT_EQ(ShellResultAsInt16(0x10000), INT16_MAX);  // its low 16 bits are all 0
    EXPECT_EQ(ShellResultAsInt16(0x10000 | 0x7C), INT16_MAX);
    EXPECT_EQ(ShellResultAsInt16(-1), -1);
    EXPECT_EQ(ShellResultAsInt16(INT32_MIN), INT16_MIN);
}

class ShellDeleteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / (L"shell-" + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(folder_ / L"sub");
        std::ofstream(folder_ / L"メモ.dat") << "x";
        std::ofstream(folder_ / L"sub" / L"a.txt") << "y";
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

TEST_F(ShellDeleteTest, DeletesAFileWithoutAsking) {
    EXPECT_EQ(ShellDeletePath(nullptr, (folder_ / L"メモ.dat").wstring(), 0, 0), 0);
    EXPECT_FALSE(fs::exists(folder_ / L"メモ.dat"));
    EXPECT_TRUE(fs::exists(folder_ / L"sub" / L"a.txt"));
}

TEST_F(ShellDeleteTest, DeletesAFolderNamedWithATrailingBackslash) {
    EXPECT_EQ(ShellDeletePath(nullptr, (folder_ / L"sub").wstring() + L"\\", -1, 0), 0);
    EXPECT_FALSE(fs::exists(folder_ / L"sub"));
}

TEST_F(ShellDeleteTest, AMissingFileIsReportedAsFailure) {
    EXPECT_NE(ShellDeletePath(nullptr, (folder_ / L"none.dat").wstring(), 0, 0), 0);
}

TEST(GetOsPlatform, IsTheNtFamily) {
    EXPECT_EQ(GetOsPlatform(), 2);
}

}  // namespace
}  // namespace win32
