#include "core/text.h"

#include <gtest/gtest.h>

#include <map>

namespace core {
namespace {

EnvLookup FakeEnv(std::map<std::wstring, std::wstring> vars) {
    return [vars = std::move(vars)](std::wstring_view name) -> std::optional<std::wstring> {
        auto it = vars.find(std::wstring(name));
        if (it == vars.end()) {
            return std::nullopt;
        }
        return it->second;
    };
}

TEST(Cp932, RoundTripsJapaneseAndAscii) {
    const std::wstring text = L"第１文字列 abc ｶﾅ 表示\\~";
    const std::string bytes = ToCp932(text);
    EXPECT_EQ(bytes.substr(0, 2), "\x91\xE6");  // 第
    EXPECT_EQ(FromCp932(bytes), text);
    // Half-width katakana is one byte, the rest of the Japanese two.
    EXPECT_EQ(ToCp932(L"ｶﾅ").size(), 2u);
    EXPECT_EQ(ToCp932(L"表示").size(), 4u);
}

TEST(Cp932, UnmappableAndBrokenInputNeverThrows) {
    EXPECT_EQ(ToCp932(L"a\x0100z"), "a?z");
    // A dangling lead byte at the end is dropped.
    EXPECT_EQ(FromCp932("ab\x82"), L"ab");
    EXPECT_TRUE(IsCp932LeadByte(0x82));
    EXPECT_FALSE(IsCp932LeadByte('a'));
    EXPECT_FALSE(IsCp932LeadByte(0xB6));  // half-width katakana
}

TEST(LeftAnsiBytes, CutsByBytesAndKeepsTheWidthOfASplitCharacter) {
    EXPECT_EQ(LeftAnsiBytes(L"あいう", 3), L"あ ");
    EXPECT_EQ(LeftAnsiBytes(L"あいう", 4), L"あい");
    EXPECT_EQ(LeftAnsiBytes(L"abc", 5), L"abc");
    EXPECT_EQ(LeftAnsiBytes(L"abc", 0), L"");
    EXPECT_EQ(LeftAnsiBytes(L"abc", -1), L"");
    EXPECT_EQ(LeftAnsiBytes(L"", 10), L"");
    EXPECT_EQ(LeftAnsiBytes(L"aあ", 2), L"a ");
    EXPECT_EQ(LeftAnsiBytes(L"ｱｲｳ", 2), L"ｱｲ");
}

TEST(CutAtNul, StopsAtTheFirstNul) {
    EXPECT_EQ(CutAtNul(L"abc"), L"abc");
    EXPECT_EQ(CutAtNul(std::wstring(L"\0abc", 4)), L"");
    EXPECT_EQ(CutAtNul(std::wstring(L"ab\0c\0", 5)), L"ab");
}

TEST(ExpandEnvVars, ReplacesPairsAndDropsQuotes) {
    const auto env = FakeEnv({{L"WINDIR", L"C:\\WINDOWS"}, {L"A", L"%B%"}, {L"B", L"bee"}});
    EXPECT_EQ(ExpandEnvVars(L"\"%WINDIR%\\notepad.exe\"", env), L"C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(ExpandEnvVars(L"100%", env), L"100%");
    EXPECT_EQ(ExpandEnvVars(L"%NOPE%x", env), L"x");
    EXPECT_EQ(ExpandEnvVars(L"\"\"\"", env), L"");
    EXPECT_EQ(ExpandEnvVars(L"%%x", env), L"x");
    // A value that brings in a further reference is expanded too.
    EXPECT_EQ(ExpandEnvVars(L"[%A%]", env), L"[bee]");
    EXPECT_EQ(ExpandEnvVars(L"%B%%B% 50%", env), L"beebee 50%");
}

TEST(ExpandEnvVars, SelfReferenceEnds) {
    const auto env = FakeEnv({{L"SELF", L"%SELF%"}, {L"GROW", L"x%GROW%"},
                              {L"PING", L"%PONG%"}, {L"PONG", L"%PING%"}});
    EXPECT_EQ(ExpandEnvVars(L"%SELF%", env), L"%SELF%");
    const std::wstring cycle = ExpandEnvVars(L"%PING%", env);
    EXPECT_TRUE(cycle == L"%PING%" || cycle == L"%PONG%");
    const std::wstring grown = ExpandEnvVars(L"%GROW%", env);
    EXPECT_LE(grown.size(), 32766u);
    EXPECT_EQ(grown.substr(0, 3), L"xxx");
}

TEST(AppFilePath, JoinsWithOneBackslash) {
    EXPECT_EQ(AppFilePath(L"C:\\", L"a.ini"), L"C:\\a.ini");
    EXPECT_EQ(AppFilePath(L"C:\\Tools", L"a.ini"), L"C:\\Tools\\a.ini");
    EXPECT_EQ(AppFilePath(L"C:\\Tools", L"sub\\a.ini"), L"C:\\Tools\\sub\\a.ini");
}

TEST(Trim, RemovesOuterSpacesOnly) {
    EXPECT_EQ(Trim(L"  a b  "), L"a b");
    EXPECT_EQ(Trim(L"   "), L"");
    EXPECT_EQ(Trim(L"\ta\t"), L"\ta\t");
    EXPECT_EQ(Trim(L"　a"), L"　a");  // an ideographic space is text
}

TEST(Utf8, RoundTrips) {
    const std::wstring text = L"Ver. 1.01 表示 ｶ é";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(L"表"), "\xE8\xA1\xA8");
    EXPECT_EQ(FromUtf8("a\xFFz"), L"a\xFFFDz");
    EXPECT_EQ(FromUtf8("\xE8\xA1"), L"\xFFFD\xFFFD");
}

}  // namespace
}  // namespace core
