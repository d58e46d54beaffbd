#include "core/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/files.h"
#include "testkit/temp_dir.h"

namespace core {
namespace {

using profile::ReadInt;
using profile::ReadString;
using profile::WriteString;

// The value bytes a read of section/key returns, or "<default>" when it falls back.
std::string Value(std::string_view content, std::string_view section, std::string_view key) {
    const auto read = ReadString(content, section, key, "<default>");
    EXPECT_EQ(read.count, read.bytes.size());
    return read.bytes;
}

// Shift-JIS bytes of a few characters, as they stand in a settings file.
constexpr std::string_view kA = "\x82\xa0";          // あ
constexpr std::string_view kKatakanaA = "\x83\x41";  // ア: trail byte 'A'
constexpr std::string_view kDi = "\x83\x61";         // ヂ: trail byte 'a'
constexpr std::string_view kZo = "\x83\x5d";         // ゾ: trail byte ']'

std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (auto part : parts) {
        text += part;
    }
    return text;
}

TEST(ProfileRead, FindsKeysAndTrimsValues) {
    const std::string file =
        "[Main]\r\n"
        "  Top \t=  120  \r\n"
        "Name=a b c\x1a\r\n"
        "Empty=\r\n"
        "Bare\r\n"
        "Eq= = x\r\n"
        "=nameless\r\n";
    EXPECT_EQ(Value(file, "Main", "Top"), "120");
    EXPECT_EQ(Value(file, "Main", "Name"), "a b c");  // Ctrl-Z counts as a blank
    EXPECT_EQ(Value(file, "Main", "Empty"), "");
    EXPECT_EQ(Value(file, "Main", "Bare"), "<default>");  // a line without '=' has no value
    EXPECT_EQ(Value(file, "Main", "Eq"), "= x");          // the first '=' separates
    EXPECT_EQ(Value(file, "Main", ""), "nameless");
    EXPECT_EQ(Value(file, "Main", "Missing"), "<default>");
    EXPECT_EQ(Value(file, "Other", "Top"), "<default>");
    EXPECT_EQ(Value("", "Main", "Top"), "<default>");
}

TEST(ProfileRead, MatchesNamesWithoutCaseAndTrimmed) {
    const std::string file = "[ Main ]\r\nLeft=1\r\n";
    EXPECT_EQ(Value(file, "MAIN", "left"), "1");
    EXPECT_EQ(Value(file, "\tmain ", " LEFT\t"), "1");
    EXPECT_EQ(Value(file, "Mai", "Left"), "<default>");
    EXPECT_EQ(Value(file, "Main", "Lef"), "<default>");
}

TEST(ProfileRead, FirstSectionAndFirstKeyWin) {
    const std::string file =
        "[s]\r\nk=1\r\nk=2\r\nb\r\nb=3\r\n"
        "[S]\r\nk=4\r\nonlyHere=5\r\n";
    EXPECT_EQ(Value(file, "s", "k"), "1");
    // A bare name hides a later key of that name.
    EXPECT_EQ(Value(file, "s", "b"), "<default>");
    // Only the first section of a name is looked at.
    EXPECT_EQ(Value(file, "s", "onlyHere"), "<default>");
}

TEST(ProfileRead, SectionHeadersAndLinesOutsideSections) {
    const std::string file =
        "top=0\r\n"
        "[a]x\r\n"  // text after the bracket is ignored
        "k=1\r\n"
        "[b]c]\r\n"  // the last bracket closes the name
        "k=2\r\n"
        "[open\r\n"  // no closing bracket: a bare key, not a section
        "k=3\r\n"
        "  [t]  \r\n"
        "k=4\r\n";
    EXPECT_EQ(Value(file, "", "top"), "0");
    EXPECT_EQ(Value(file, "a", "k"), "1");
    EXPECT_EQ(Value(file, "b]c", "k"), "2");
    EXPECT_EQ(Value(file, "open", "k"), "<default>");
    EXPECT_EQ(Value(file, "t", "k"), "4");
    // Comment lines are plain lines; they never match an ordinary key.
    EXPECT_EQ(Value("[s]\r\n;k=1\r\n", "s", "k"), "<default>");
}

TEST(ProfileRead, AcceptsEveryLineEnd) {
    EXPECT_EQ(Value("[s]\nk=1\nj=2", "s", "j"), "2");
    EXPECT_EQ(Value("[s]\rk=1\rj=2\r", "s", "j"), "2");
    EXPECT_EQ(Value("[s]\r\n\r\n\n\rk=1\rj=2\n", "s", "k"), "1");
}

TEST(ProfileRead, RemovesOnePairOfMatchingQuotes) {
    EXPECT_EQ(Value("[s]\r\nk= \"a b\" \r\n", "s", "k"), "a b");
    EXPECT_EQ(Value("[s]\r\nk='x'\r\n", "s", "k"), "x");
    EXPECT_EQ(Value("[s]\r\nk=\"\"x\"\"\r\n", "s", "k"), "\"x\"");
    EXPECT_EQ(Value("[s]\r\nk=\"x'\r\n", "s", "k"), "\"x'");
    EXPECT_EQ(Value("[s]\r\nk=\"\r\n", "s", "k"), "\"");
    EXPECT_EQ(Value("[s]\r\nk=\"a\"b\"\r\n", "s", "k"), "a\"b");
}

TEST(ProfileRead, CutsToTheBufferAndCountsBytes) {
    const std::string file = "[s]\r\nk=abcdef\r\nq=\"abcdef\"\r\n";
    const auto cut = ReadString(file, "s", "k", "", 4);
    EXPECT_EQ(cut.bytes, "abc");
    EXPECT_EQ(cut.count, 3u);
    EXPECT_EQ(ReadString(file, "s", "k", "", 7).count, 6u);
    EXPECT_EQ(ReadString(file, "s", "k", "", 1).count, 0u);
    EXPECT_EQ(ReadString(file, "s", "k", "", 0).count, 0u);
    // A quoted value loses its quotes first; only a real lack of room cuts it.
    for (uint32_t size = 1; size <= 8; ++size) {
        const auto read = ReadString(file, "s", "q", "", size);
        EXPECT_EQ(read.bytes, std::string("abcdef").substr(0, size - 1)) << size;
        EXPECT_EQ(read.count, std::min(size - 1, 6u)) << size;
    }
    const std::string longValue(300, 'x');
    const auto full = ReadString("[s]\r\nk=" + longValue + "\r\n", "s", "k", "");
    EXPECT_EQ(full.count, 255u);
    EXPECT_EQ(full.bytes, longValue.substr(0, 255));
}

TEST(ProfileRead, DefaultLosesTrailingSpacesAndQuotes) {
    const auto read = [](std::string_view def, uint32_t size = 256) {
        return ReadString("[s]\r\n", "s", "k", def, size);
    };
    EXPECT_EQ(read("  de f  ").bytes, "  de f");
    EXPECT_EQ(read("\tx\t").bytes, "\tx\t");
    EXPECT_EQ(read("'d'  ").bytes, "d");
    EXPECT_EQ(read("\"d").bytes, "\"d");
    EXPECT_EQ(read("").count, 0u);
    const auto cut = read("abcdef", 4);
    EXPECT_EQ(cut.bytes, "abc");
    EXPECT_EQ(cut.count, 3u);
}

TEST(ProfileRead, ComparesDoubleByteNamesExactly) {
    const std::string file =
        Cat({"[", kKatakanaA, "x]\r\n", kA, "=1\r\n", "[", kZo, "]\r\nk=2\r\n"});
    EXPECT_EQ(Value(file, Cat({kKatakanaA, "X"}), kA), "1");
    // ヂ differs from ア only by a trail byte that reads as the lower-case letter.
    EXPECT_EQ(Value(file, Cat({kDi, "x"}), kA), "<default>");
    // The ']' inside ゾ does not close the header.
    EXPECT_EQ(Value(file, kZo, "k"), "2");
    EXPECT_EQ(Value(Cat({"[", kZo, "\r\nk=3\r\n"}), "\x83", "k"), "<default>");
}

TEST(ProfileRead, CutsInsideADoubleByteCharacterLikeTheSystem) {
    const std::string file = Cat({"[s]\r\nk=a", kA, "\r\n"});
    const auto read = ReadString(file, "s", "k", "", 3);
    EXPECT_EQ(read.bytes, "a\x82");
    EXPECT_EQ(read.count, 2u);
}

TEST(ProfileReadInt, ReadsTheLeadingNumber) {
    const struct {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"12", 12},
        {"-12", -12},
        {"+12", 12},
        {"012", 12},
        {"12abc", 12},
        {"1.5", 1},
        {"abc", 0},
        {"- 12", 0},
        {"--1", 0},
        {"0x1F", 31},
        {"0X1F", 0},
        {"-0x10", -16},
        {"0x", 0},
        {"0x1G", 1},
        {"0b101", 5},
        {"0o17", 15},
        {"\"12\"", 12},
        {"\" 5\"", 5},
        {"'-3'", -3},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},
        {"4294967295", -1},
        {"4294967296", 0},
        {"99999999999", 1215752191},
        {"-2147483649", INT32_MAX},
        {"0xFFFFFFFF", -1},
        // Only the first 29 bytes are read.
        {"000000000000000000000000000012345", 1},
    };
    for (const auto& c : cases) {
        const std::string file = std::string("[s]\r\nk=") + c.value + "\r\n";
        EXPECT_EQ(ReadInt(file, "s", "k", -7), c.expected) << c.value;
    }
}

TEST(ProfileReadInt, EmptyOrMissingGivesTheDefault) {
    EXPECT_EQ(ReadInt("[s]\r\nk=\r\n", "s", "k", -7), -7);
    EXPECT_EQ(ReadInt("[s]\r\nk=\"\"\r\n", "s", "k", -7), -7);
    EXPECT_EQ(ReadInt("[s]\r\nk\r\n", "s", "k", -7), -7);
    EXPECT_EQ(ReadInt("[s]\r\n", "s", "k", -480000), -480000);
    EXPECT_EQ(ReadInt("", "s", "k", 3), 3);
}

TEST(ProfileWrite, CreatesFileAndSections) {
    EXPECT_EQ(WriteString("", "s", "k", "v"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(WriteString("[s]\r\na=1\r\n", "t", "k", "v"), "[s]\r\na=1\r\n[t]\r\nk=v\r\n");
    // A last line without a line break gets one before the new section.
    EXPECT_EQ(WriteString("[s]\r\na=1", "t", "k", "v"), "[s]\r\na=1\r\n[t]\r\nk=v\r\n");
    EXPECT_EQ(WriteString("[s]\r\n\r\n", "t", "k", "v"), "[s]\r\n\r\n[t]\r\nk=v\r\n");
    // Names are written trimmed.
    EXPECT_EQ(WriteString("", " App\t", "  k  ", "v"), "[App]\r\nk=v\r\n");
}

TEST(ProfileWrite, ReplacesTheKeyInPlace) {
    EXPECT_EQ(WriteString("[s]\r\nk=1\r\nj=2\r\n", "s", "k", "v"), "[s]\r\nk=v\r\nj=2\r\n");
    // The file's spelling of the name stays; the line is written as name=value.
    EXPECT_EQ(WriteString("[s]\r\n  Key \t= 1 \r\n", "S", "KEY", "2"), "[s]\r\nKey=2\r\n");
    // A bare name gets its value.
    EXPECT_EQ(WriteString("[s]\r\nk\r\n", "s", "k", "v"), "[s]\r\nk=v\r\n");
    // Leading blanks of the value are not written; trailing ones are.
    EXPECT_EQ(WriteString("[s]\r\nk=1\r\n", "s", "k", " \tv "), "[s]\r\nk=v \r\n");
    EXPECT_EQ(WriteString("[s]\r\nk=1\r\n", "s", "k", ""), "[s]\r\nk=\r\n");
    EXPECT_EQ(WriteString("[s]\r\nk=1", "s", "k", "2"), "[s]\r\nk=2\r\n");
    // Only the first of duplicate sections and keys is touched.
    EXPECT_EQ(WriteString("[s]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\n", "s", "k", "v"),
              "[s]\r\nk=v\r\nk=2\r\n[s]\r\nk=3\r\n");
}

TEST(ProfileWrite, LeavesEveryOtherLineAsItWas) {
    const std::string file =
        "; settings\n"
        "[a]\n"
        "  x = 1  \n"
        "\n"
        "[b]\r"
        "k\t=\t2\r"
        "y = \"3\"\r\n";
    EXPECT_EQ(WriteString(file, "b", "k", "9"),
              "; settings\n[a]\n  x = 1  \n\n[b]\rk=9\ry = \"3\"\r\n");
    // Writing the value already there changes nothing.
    EXPECT_EQ(WriteString(file, "a", "x", "1"), file);
}

TEST(ProfileWrite, AddsAMissingKeyAfterTheLastLineOfItsSection) {
    // Blank lines that separate sections stay after the new key.
    EXPECT_EQ(WriteString("[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n", "s", "k", "v"),
              "[s]\r\na=1\r\nk=v\r\n\r\n[t]\r\nb=2\r\n");
    EXPECT_EQ(WriteString("[s]\r\n\r\n[t]\r\n", "s", "k", "v"), "[s]\r\nk=v\r\n\r\n[t]\r\n");
    EXPECT_EQ(WriteString("[s]\r\na=1", "s", "k", "v"), "[s]\r\na=1\r\nk=v\r\n");
    EXPECT_EQ(WriteString("[s]", "s", "k", "v"), "[s]\r\nk=v\r\n");
    // The key goes to the first section of the name, even when a later one holds it.
    EXPECT_EQ(WriteString("[s]\r\na=1\r\n[s]\r\nk=2\r\n", "s", "k", "v"),
              "[s]\r\na=1\r\nk=v\r\n[s]\r\nk=2\r\n");
    // The nameless section is the top of the file.
    EXPECT_EQ(WriteString("[s]\r\na=1\r\n", "", "k", "v"), "k=v\r\n[s]\r\na=1\r\n");
    EXPECT_EQ(WriteString("x=1\r\n\r\n[s]\r\n", "", "k", "v"), "x=1\r\nk=v\r\n\r\n[s]\r\n");
}

TEST(ProfileWrite, NeverAddsLinesOfItsOwn) {
    // A line break ends a written text, so a value cannot smuggle keys or sections in.
    EXPECT_EQ(WriteString("[s]\r\nk=1\r\n", "s", "k", "x\r\n[t]\r\ny=2"), "[s]\r\nk=x\r\n");
    EXPECT_EQ(WriteString("", "s\n[t]", "k\rj", "v"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(WriteString("", "s", "k", std::string_view("a\0b", 3)), "[s]\r\nk=a\r\n");
}

TEST(ProfileWrite, WrittenValuesReadBack) {
    const std::string values[] = {"0",    "-480000", "C:\\Program Files\\x.exe",
                                  "a=b",  "  ",      Cat({kA, kKatakanaA, kZo}),
                                  "'q'x", "x\x1a"};
    std::string file = "; top\r\n[Option]\r\nP_C_Time=7\r\n\r\n[MainForm]\r\nTop=1\r\n";
    for (const auto& value : values) {
        for (const char* key : {"Schedule", "P_C_Time", "Top"}) {
            file = WriteString(file, "Option", key, value);
            const auto read = ReadString(file, "option", key, "<default>");
            const auto expected = Value("[x]\r\nk=" + value + "\r\n", "x", "k");
            EXPECT_EQ(read.bytes, expected) << value;
        }
    }
    EXPECT_EQ(Value(file, "MainForm", "Top"), "1");
}

class ProfileFileTest : public ::testing::Test {
  protected:
    std::wstring PathOf(const std::wstring& name) const { return temp_.File(name); }

    testkit::TempDir temp_{"profile-test"};
    const std::filesystem::path& dir_ = temp_.Dir();
};

TEST_F(ProfileFileTest, WritesShiftJisWithCrLfAndReadsItBack) {
    ProfileFile file(PathOf(L"設定.ini"));
    EXPECT_EQ(file.GetInt(L"MainForm", L"Top", -1), -1);
    EXPECT_EQ(file.GetString(L"Option", L"Schedule", L"なし").text, L"なし");

    ASSERT_TRUE(file.WriteString(L"Option", L"Schedule", L"C:\\時間割\\表.ini"));
    ASSERT_TRUE(file.WriteString(L"MainForm", L"Top", L"-1200"));
    EXPECT_EQ(ReadFileBytes(file.Path()).bytes,
              "[Option]\r\nSchedule=C:\\\x8e\x9e\x8a\xd4\x8a\x84\\\x95\x5c.ini\r\n"
              "[MainForm]\r\nTop=-1200\r\n");

    const auto read = file.GetString(L"option", L"schedule");
    EXPECT_EQ(read.text, L"C:\\時間割\\表.ini");
    EXPECT_EQ(read.count, 16u);
    EXPECT_EQ(file.GetInt(L"MAINFORM", L"top", 0), -1200);
}

TEST_F(ProfileFileTest, SplitDoubleByteCharacterBecomesASpace) {
    ProfileFile file(PathOf(L"a.ini"));
    ASSERT_TRUE(file.WriteString(L"s", L"k", L"aあい"));
    const auto read = file.GetString(L"s", L"k", L"", 5);
    EXPECT_EQ(read.count, 4u);
    EXPECT_EQ(read.text, L"aあ ");
}

TEST_F(ProfileFileTest, FailedWritesChangeNothing) {
    ProfileFile nowhere(PathOf(L"missing/a.ini"));
    EXPECT_FALSE(nowhere.WriteString(L"s", L"k", L"v"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));

    // A path that exists but cannot be read as a file is not replaced.
    std::filesystem::create_directories(dir_ / "dir.ini");
    ProfileFile directory(PathOf(L"dir.ini"));
    EXPECT_FALSE(directory.WriteString(L"s", L"k", L"v"));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "dir.ini"));
}

TEST_F(ProfileFileTest, KeepsTheRestOfAHandEditedFile) {
    const std::string original = "; my settings\n[Option]\nLevel1 = 5000\n\n[MainForm]\nLeft=3\n";
    { std::ofstream(dir_ / "w.ini", std::ios::binary) << original; }
    ProfileFile file(PathOf(L"w.ini"));
    ASSERT_TRUE(file.WriteString(L"MainForm", L"Left", L"4"));
    ASSERT_TRUE(file.WriteString(L"Option", L"Level2", L""));
    EXPECT_EQ(ReadFileBytes(file.Path()).bytes,
              "; my settings\n[Option]\nLevel1 = 5000\nLevel2=\r\n\n[MainForm]\nLeft=4\n");
    EXPECT_EQ(file.GetInt(L"Option", L"Level1", 0), 5000);
    EXPECT_EQ(file.GetInt(L"Option", L"Level2", 0), 0);
}

}  // namespace
}  // namespace core
