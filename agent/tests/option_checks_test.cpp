#include "agent/option_checks.h"

#include <gtest/gtest.h>

#include "agent/agent_paths.h"
#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

TEST(OptionChecks, TwipsAndPixelsUseOneWholeFactorBothWays) {
    EXPECT_EQ(PixelFactor(15.0), 15);
    EXPECT_EQ(PixelFactor(11.9), 12);
    EXPECT_EQ(PixelFactor(0.2), 1);
    EXPECT_EQ(TwipsToPixelsShown(1845, 15), 123);
    EXPECT_EQ(PixelsToStoredTwips(123, 15), 1845);
    EXPECT_EQ(PixelsToStoredTwips(3000, 15), 32767);
}

TEST(OptionChecks, LeadingNumberReadsOnlyLeadingDigitsWithinSixteenBits) {
    EXPECT_EQ(LeadingNumber(L""), 0);
    EXPECT_EQ(LeadingNumber(L"  42px"), 42);
    EXPECT_EQ(LeadingNumber(L"-5"), 0);
    EXPECT_EQ(LeadingNumber(L"1e9"), 1);
    EXPECT_EQ(LeadingNumber(L"99999999999999"), 32767);
}

TEST(OptionChecks, OutOfRangeValuesGiveWayToTheirDefaults) {
    AgentOptions odd;
    odd.formShow = 2;
    odd.soundFlag = 3;
    odd.fDirect = 0;
    odd.fWidth = 0;
    odd.fHeight = -1;
    odd.fbSpace = -1;
    odd.bPos = 3;
    odd.pFlag = 2;
    odd.lPopFlag = -1;
    odd.pcTime = -1;
    EXPECT_EQ(EffectiveOptions(odd), AgentOptions{});

    AgentOptions fine;
    fine.formShow = 0;
    fine.soundFlag = 2;
    fine.fDirect = 4;
    fine.fWidth = 1600;  // 160 pixels stored on a screen of 10 twips per pixel
    fine.fHeight = 1;
    fine.fbSpace = 0;
    fine.bPos = 1;
    fine.pFlag = 0;
    fine.lPopFlag = 0;
    fine.pcTime = 0;
    EXPECT_EQ(EffectiveOptions(fine), fine);
}

TEST(OptionChecks, OnlyTextsThatReadBackUnchangedAreStorable) {
    EXPECT_EQ(CheckStorable(L"C:\\Program Files\\メモ.exe"), StoreProblem::None);
    EXPECT_EQ(CheckStorable(L"It's"), StoreProblem::None);
    EXPECT_EQ(CheckStorable(L"'x'"), StoreProblem::Unstorable);
    EXPECT_EQ(CheckStorable(L"tab\there"), StoreProblem::Unstorable);
    EXPECT_EQ(CheckStorable(L"café"), StoreProblem::Unstorable);
    EXPECT_EQ(CheckStorable(std::wstring(255, L'a')), StoreProblem::None);
    EXPECT_EQ(CheckStorable(std::wstring(256, L'a')), StoreProblem::TooLong);
}

TEST(AgentPaths, RelativePathsAreTakenBesideTheProgramAndFoldersExist) {
    EXPECT_EQ(ResolveAgentPath(L"C:\\Tools", L"a\\b.exe"), L"C:\\Tools\\a\\b.exe");
    EXPECT_EQ(ResolveAgentPath(L"C:\\", L"b.exe"), L"C:\\b.exe");
    EXPECT_EQ(ResolveAgentPath(L"C:\\Tools", L"D:\\b.exe"), L"D:\\b.exe");
    EXPECT_EQ(ResolveAgentPath(L"C:\\Tools", L"\\\\server\\b.exe"), L"\\\\server\\b.exe");
    EXPECT_EQ(ResolveAgentPath(L"C:\\Tools", L""), L"");

    testkit::TempDir folder;
    folder.Write(L"sub/file.txt", "x");
    EXPECT_TRUE(PathExists(folder.File(L"sub")));
    EXPECT_TRUE(PathExists(folder.File(L"sub\\file.txt")));
    EXPECT_FALSE(PathExists(folder.File(L"sub\\other.txt")));
    EXPECT_FALSE(PathExists(L""));
}

}  // namespace
}  // namespace agent
