// Windows-only behaviour of the file services: another process holding the old file open.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "core/files.h"
#include "testkit/temp_dir.h"

namespace core {
namespace {

HANDLE OpenWithoutDeleteSharing(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(FilesWin, AReplaceWaitsForAReaderThatLetsGoSoon) {
    testkit::TempDir temp("files-win-test");
    const std::wstring path = temp.File(L"Lindrow.ini");
    ASSERT_EQ(WriteFileReplacing(path, "old"), 0);

    const HANDLE reader = OpenWithoutDeleteSharing(path);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread release([reader] {
        Sleep(200);
        CloseHandle(reader);
    });
    EXPECT_EQ(WriteFileReplacing(path, "new"), 0);
    release.join();
    EXPECT_EQ(temp.Read(L"Lindrow.ini"), "new");
}

TEST(FilesWin, AReaderThatKeepsTheFileMakesTheWriteFailAndKeepsTheOldFile) {
    testkit::TempDir temp("files-win-test");
    const std::wstring path = temp.File(L"Lindrow.ini");
    ASSERT_EQ(WriteFileReplacing(path, "old"), 0);

    const HANDLE reader = OpenWithoutDeleteSharing(path);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_NE(WriteFileReplacing(path, "new"), 0);
    CloseHandle(reader);
    EXPECT_EQ(temp.Read(L"Lindrow.ini"), "old");
    EXPECT_FALSE(FileExists(path + L".new~"));
}

TEST(FilesWin, AReadOnlyFileIsNotReplacedAndNoTemporaryFileStays) {
    testkit::TempDir temp("files-win-test");
    const std::wstring path = temp.File(L"Tamvoro.ini");
    ASSERT_EQ(WriteFileReplacing(path, "old"), 0);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer != INVALID_HANDLE_VALUE) {  // rights that ignore the attribute (Wine as root)
        CloseHandle(writer);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "the read-only attribute does not stop a write here";
    }

    EXPECT_EQ(WriteFileReplacing(path, "new"), kErrPathAccess);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(temp.Read(L"Tamvoro.ini"), "old");
    EXPECT_FALSE(FileExists(path + L".new~"));
}

}  // namespace
}  // namespace core
