// Mensato.ini: reading the calibrations, the exit's write rules, the value's text, names the
// file keeps, and the file on disk.
#include "calibrations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "testkit/temp_dir.h"

namespace mensato {
namespace {

constexpr std::string_view kTwoEntries =
    "[MainForm]\r\nTwipPerCm_Cur=1\r\n"
    "TwipPerCm_Str1=17.3inch 1024*768\r\nTwipPerCm_Val1=567.25\r\n"
    "TwipPerCm_Str2=\x83\x6d\x81\x5b\x83\x67\r\nTwipPerCm_Val2=600\r\n";  // ノート

StoredCalibrations TwoEntries() {
    return {1, {{L"17.3inch 1024*768", 567.25f}, {L"ノート", 600}}};
}

TEST(ReadCalibrations, ReadsEntriesUpToTheFirstEmptyName) {
    EXPECT_EQ(ReadCalibrations(kTwoEntries), TwoEntries());
    const StoredCalibrations read = ReadCalibrations(
        "[MainForm]\r\nTwipPerCm_Str1=  a  \r\nTwipPerCm_Val1=12.5cm\r\n"
        "TwipPerCm_Str2=b\r\n"
        "TwipPerCm_Str3=\r\nTwipPerCm_Val3=1\r\nTwipPerCm_Str4=d\r\nTwipPerCm_Val4=4\r\n");
    EXPECT_EQ(read.currentEntry, 0);
    const std::vector<CalibrationEntry> expected{{L"a", 12.5f}, {L"b", 0}};
    EXPECT_EQ(read.entries, expected);
    EXPECT_EQ(ReadCalibrations(""), StoredCalibrations{});
}

TEST(ReadCalibrations, TheEntryInUseMustNameAStoredEntry) {
    EXPECT_EQ(UsableCurrentEntry(2, 2), 2);
    EXPECT_EQ(UsableCurrentEntry(3, 2), 0);
    EXPECT_EQ(UsableCurrentEntry(1, 0), 0);
    EXPECT_EQ(UsableCurrentEntry(-1, 5), 0);
    EXPECT_EQ(UsableCurrentEntry(70000, 5), 0);
}

TEST(SavedCalibrations, NothingChangedWritesNothing) {
    EXPECT_EQ(SavedCalibrations(kTwoEntries, TwoEntries(), TwoEntries()), std::nullopt);
    EXPECT_EQ(SavedCalibrations("", {}, {}), std::nullopt);
}

TEST(SavedCalibrations, AnotherChoiceChangesOnlyTheCurrentKey) {
    StoredCalibrations now = TwoEntries();
    now.currentEntry = 2;
    std::string expected(kTwoEntries);
    expected.replace(expected.find("Cur=1"), 5, "Cur=2");
    EXPECT_EQ(SavedCalibrations(kTwoEntries, TwoEntries(), now), expected);
}

TEST(SavedCalibrations, TheFirstRegistrationCreatesTheSection) {
    EXPECT_EQ(SavedCalibrations("", {}, {1, {{L"a", 567}}}),
              "[MainForm]\r\nTwipPerCm_Cur=1\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=567\r\n");
}

TEST(SavedCalibrations, AShorterListBlanksTheKeysPastItsEnd) {
    const std::string content = "[Other]\r\nx=1\r\n" + std::string(kTwoEntries);
    const std::optional<std::string> saved =
        SavedCalibrations(content, TwoEntries(), {1, {{L"ノート", 600}}});
    EXPECT_EQ(saved,
              "[Other]\r\nx=1\r\n[MainForm]\r\nTwipPerCm_Cur=1\r\n"
              "TwipPerCm_Str1=\x83\x6d\x81\x5b\x83\x67\r\nTwipPerCm_Val1=600\r\n"
              "TwipPerCm_Str2=\r\nTwipPerCm_Val2=\r\n");
    EXPECT_EQ(ReadCalibrations(*saved), (StoredCalibrations{1, {{L"ノート", 600}}}));
}

TEST(SavedCalibrations, AChangedValueRewritesTheList) {
    StoredCalibrations now = TwoEntries();
    now.entries[1].twipsPerCm = 601.5f;
    const std::optional<std::string> saved = SavedCalibrations(kTwoEntries, TwoEntries(), now);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadCalibrations(*saved), now);
    EXPECT_NE(saved->find("TwipPerCm_Val2=601.5\r\n"), std::string::npos);
}

TEST(TwipsPerCmFromText, NumbersBeyondTheSingleRangeBecomeInfinite) {
    EXPECT_EQ(TwipsPerCmFromText(L"567.25Twips"), 567.25f);
    EXPECT_EQ(TwipsPerCmFromText(L""), 0);
    EXPECT_EQ(TwipsPerCmFromText(L"1e300"), INFINITY);
    EXPECT_EQ(TwipsPerCmFromText(L"-9e99999"), -INFINITY);
    EXPECT_EQ(ReadCalibrations("[MainForm]\r\nTwipPerCm_Str1=a\r\nTwipPerCm_Val1=1e300\r\n")
                  .entries.at(0)
                  .twipsPerCm,
              INFINITY);
}

TEST(TwipsPerCmText, SevenSignificantDigitsAtMost) {
    EXPECT_EQ(TwipsPerCmText(567.25f), L"567.25");
    EXPECT_EQ(TwipsPerCmText(566.93f), L"566.93");
    EXPECT_EQ(TwipsPerCmText(567), L"567");
    EXPECT_EQ(TwipsPerCmText(1234.567f), L"1234.567");
    EXPECT_EQ(TwipsPerCmText(0), L"0");
}

TEST(NameSurvivesSettingsFile, AcceptsWhatReadsBackUnchanged) {
    EXPECT_TRUE(NameSurvivesSettingsFile(L"17.3inch 1024*768"));
    EXPECT_TRUE(NameSurvivesSettingsFile(L"ノート 15.6\"型"));
    EXPECT_TRUE(NameSurvivesSettingsFile(L"a=b;c"));
    EXPECT_TRUE(NameSurvivesSettingsFile(std::wstring(255, L'x')));
    EXPECT_TRUE(NameSurvivesSettingsFile(L"a" + std::wstring(127, L'字')));  // 255 bytes
}

TEST(NameSurvivesSettingsFile, RefusesWhatTheFileWouldChangeOrLose) {
    EXPECT_FALSE(NameSurvivesSettingsFile(L""));
    EXPECT_FALSE(NameSurvivesSettingsFile(L"\"quoted\""));
    EXPECT_FALSE(NameSurvivesSettingsFile(L"'quoted'"));
    EXPECT_FALSE(NameSurvivesSettingsFile(std::wstring(256, L'x')));
    EXPECT_FALSE(NameSurvivesSettingsFile(std::wstring(128, L'字')));  // 256 bytes
    EXPECT_FALSE(NameSurvivesSettingsFile(L"모니터"));                 // not in Shift-JIS
    EXPECT_FALSE(NameSurvivesSettingsFile(L"\t"));                     // empty once read
    EXPECT_FALSE(NameSurvivesSettingsFile(L"a\r\nTwipPerCm_Str2=b"));
}

TEST(CalibrationsFile, SavingReplacesTheFileAndAFailureKeepsTheOldOne) {
    testkit::TempDir folder;
    const std::wstring path = folder.File(L"Mensato.ini");
    EXPECT_FALSE(LoadCalibrations(path).exists);
    EXPECT_EQ(SaveCalibrations(path, {}, {}), 0);
    EXPECT_FALSE(LoadCalibrations(path).exists) << "nothing changed, nothing written";

    folder.Write(L"Mensato.ini", kTwoEntries);
    const CalibrationsFile file = LoadCalibrations(path);
    EXPECT_TRUE(file.exists);
    EXPECT_EQ(file.stored, TwoEntries());
    EXPECT_EQ(SaveCalibrations(path, TwoEntries(), {0, {}}), 0);
    EXPECT_EQ(ReadCalibrations(folder.Read(L"Mensato.ini")), StoredCalibrations{});

    // A settings file that cannot be read (here a folder of that name) is left alone.
    const std::wstring blocked = folder.File(L"Blocked.ini");
    std::filesystem::create_directory(folder.Dir() / "Blocked.ini");
    EXPECT_NE(SaveCalibrations(blocked, {}, TwoEntries()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Dir() / "Blocked.ini"));
}

}  // namespace
}  // namespace mensato
