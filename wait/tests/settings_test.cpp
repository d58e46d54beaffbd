// The settings rules below what the window tests reach: the counts' read rule, values only
// a pasted or hand-edited text can bring, and the burst's addition count.
#include <gtest/gtest.h>

#include "burst.h"
#include "core/text.h"
#include "level_counts.h"
#include "testkit/temp_dir.h"
#include "window_settings.h"

namespace lindrow {
namespace {

TEST(LevelCounts, DefaultsApplyOnlyWhenAllThreeAreZero) {
    testkit::TempDir folder;
    const core::ProfileFile file(folder.File(L"Lindrow.ini"));
    folder.Write(L"Lindrow.ini", "[Option]\r\nLevel1=\r\nLevel2=0\r\nLevel3=abc\r\n");
    EXPECT_EQ(LoadLevelCounts(file), kDefaultLevelCounts);
    folder.Write(L"Lindrow.ini", "[option]\r\nlevel3=-7\r\n");
    EXPECT_EQ(LoadLevelCounts(file), (LevelCounts{0, 0, -7}));
}

TEST(LevelCounts, BoxTextsBeyondThe32BitRangeAreClampedAndShown) {
    for (const auto& [typed, count, shown] : {std::tuple<std::wstring, int32_t, std::wstring>{
                                                  L"-99999999999", -2147483647 - 1, L"-2147483648"},
                                              {L"2147483647", 2147483647, L"2147483647"},
                                              {L"2147483647.6", 2147483647, L"2147483647"},
                                              {L"12abc", 12, L"12abc"},
                                              {L"2.5", 2, L"2.5"}}) {
        std::wstring text = typed;
        EXPECT_EQ(CountFromBox(text), count) << core::ToUtf8(typed);
        EXPECT_EQ(text, shown) << core::ToUtf8(typed);
    }
}

TEST(StoredWindow, AValueThatIsNoNumberReadsAsMissing) {
    testkit::TempDir folder;
    const core::ProfileFile file(folder.File(L"Lindrow.ini"));
    folder.Write(L"Lindrow.ini", "[MainForm]\r\nCurrent_Level=abc\r\nLeft=-\r\nTop= -15x\r\n");
    const StoredWindow stored = LoadStoredWindow(file);
    EXPECT_EQ(stored.level, kDefaultLevel);
    EXPECT_EQ(stored.left, kPositionNotStored);
    EXPECT_EQ(stored.top, -15);
}

TEST(LevelButton, AnIndexNamingNoButtonSelectsLevel2) {
    EXPECT_EQ(LevelButtonFor(0), 0);
    EXPECT_EQ(LevelButtonFor(2), 2);
    EXPECT_EQ(LevelButtonFor(3), 1);
    EXPECT_EQ(LevelButtonFor(-1), 1);
}

TEST(Burst, ACountOfNTakesNPlusOneAdditionsAndANegativeOneNone) {
    EXPECT_EQ(RunBurst(0), 1.0);
    EXPECT_EQ(RunBurst(5000), 5001.0);
    EXPECT_EQ(RunBurst(-1), 0.0);
    EXPECT_EQ(RunBurst(-2147483647 - 1), 0.0);
}

}  // namespace
}  // namespace lindrow
