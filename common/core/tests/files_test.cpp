#include "core/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "testkit/temp_dir.h"

namespace core {
namespace {

class FilesTest : public ::testing::Test {
  protected:
    std::wstring PathOf(const std::wstring& name) const { return temp_.File(name); }

    testkit::TempDir temp_{"files-test"};
    const std::filesystem::path& dir_ = temp_.Dir();
};

TEST_F(FilesTest, WritesReadsAndReplacesWholeFiles) {
    const auto path = PathOf(L"設定.ini");
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(ReadFileBytes(path).error, kErrFileNotFound);

    EXPECT_EQ(WriteFileReplacing(path, std::string("a\r\nb\0c", 6)), 0);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadFileBytes(path).bytes, std::string("a\r\nb\0c", 6));

    EXPECT_EQ(WriteFileReplacing(path, "short"), 0);
    const auto read = ReadFileBytes(path);
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.bytes, "short");
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(FilesTest, AFailedWriteLeavesThePreviousFile) {
    const auto path = PathOf(L"keep.ini");
    ASSERT_EQ(WriteFileReplacing(path, "old"), 0);
    // The new file cannot be made beside a path whose folder does not exist.
    EXPECT_NE(WriteFileReplacing(PathOf(L"missing") + L"/x.ini", "new"), 0);
    // A directory in the way of the replacement: the write fails and the old file stays.
    std::filesystem::create_directory(dir_ / "dir.ini");
    EXPECT_NE(WriteFileReplacing(PathOf(L"dir.ini"), "new"), 0);
    EXPECT_EQ(ReadFileBytes(path).bytes, "old");
    EXPECT_FALSE(FileExists(PathOf(L"dir.ini")));
    EXPECT_NE(ReadFileBytes(PathOf(L"dir.ini")).error, 0);
}

}  // namespace
}  // namespace core
