#include "core/file_filter.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using namespace std::string_view_literals;

constexpr auto kCsvFilter = L"CSV ファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0"sv;

TEST(SplitFilter, GivesTextsAndPatternsInOrder) {
    EXPECT_EQ(SplitFilter(kCsvFilter),
              (std::vector<std::wstring>{L"CSV ファイル (*.csv)", L"*.csv",
                                         L"すべてのファイル (*.*)", L"*.*"}));
    EXPECT_EQ(SplitFilter(L"a\0*.a"sv), (std::vector<std::wstring>{L"a", L"*.a"}));
    EXPECT_TRUE(SplitFilter(L"").empty());
}

TEST(FilterExtension, IsThePatternOfThePairFromItsLastDot) {
    EXPECT_EQ(FilterExtension(kCsvFilter, 1), L".csv");
    EXPECT_EQ(FilterExtension(kCsvFilter, 2), L".*");
    EXPECT_EQ(FilterExtension(L"Text\0*.tar.gz\0"sv, 1), L".gz");
    // No such pair, or a pattern without a dot: no extension.
    EXPECT_EQ(FilterExtension(kCsvFilter, 0), L"");
    EXPECT_EQ(FilterExtension(kCsvFilter, 3), L"");
    EXPECT_EQ(FilterExtension(kCsvFilter, -1), L"");
    EXPECT_EQ(FilterExtension(L"Make\0Makefile\0"sv, 1), L"");
}

TEST(NameWithFilterExtension, AppendsTheChosenPatternsExtensionUnlessPresent) {
    EXPECT_EQ(NameWithFilterExtension(L"C:\\out\\result", kCsvFilter, 1), L"C:\\out\\result.csv");
    EXPECT_EQ(NameWithFilterExtension(L"result.csv", kCsvFilter, 1), L"result.csv");
    // The comparison is case-sensitive, and only the text from the last dot counts.
    EXPECT_EQ(NameWithFilterExtension(L"RESULT.CSV", kCsvFilter, 1), L"RESULT.CSV.csv");
    EXPECT_EQ(NameWithFilterExtension(L"a.b", kCsvFilter, 1), L"a.b.csv");
    EXPECT_EQ(NameWithFilterExtension(L"C:\\v1.0\\result", kCsvFilter, 1), L"C:\\v1.0\\result.csv");
}

TEST(NameWithFilterExtension, LeavesTheNameAloneWithoutAUsableExtension) {
    EXPECT_EQ(NameWithFilterExtension(L"result", kCsvFilter, 2), L"result");
    EXPECT_EQ(NameWithFilterExtension(L"a.b", kCsvFilter, 2), L"a.b");
    EXPECT_EQ(NameWithFilterExtension(L"result", kCsvFilter, 0), L"result");
    EXPECT_EQ(NameWithFilterExtension(L"result", L"", 1), L"result");
}

}  // namespace
}  // namespace core
