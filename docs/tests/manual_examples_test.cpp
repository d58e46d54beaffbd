// Every example file of the manual, read by the reader of the program it belongs to, says
// what the manual's text says it does.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "agent/catalogue.h"
#include "agent/settings.h"
#include "agent/timetable.h"
#include "agent/timetable_checks.h"
#include "answersheet/class_records.h"
#include "answersheet/class_stats.h"
#include "answersheet/question_sets.h"
#include "core/profile.h"
#include "core/text.h"
#include "notes/note_settings.h"
#include "ruler/calibrations.h"
#include "testkit/temp_dir.h"
#include "wait/level_counts.h"
#include "wait/window_settings.h"

namespace {

constexpr std::wstring_view kExampleStart = L"――― 例: ";
constexpr std::wstring_view kExampleEnd = L"――― 例ここまで";

std::wstring ManualText() {
    std::ifstream in(MANUAL_SOURCE, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return core::FromUtf8(bytes.str());
}

// The examples by file name, each as the user saves it from Notepad: CP932, CR LF.
std::map<std::wstring, std::string> Examples(const std::wstring& manual) {
    std::map<std::wstring, std::string> examples;
    std::wistringstream lines(manual);
    std::wstring line;
    std::string* current = nullptr;
    while (std::getline(lines, line)) {
        if (line.starts_with(kExampleStart)) {
            current = &examples[line.substr(kExampleStart.size())];
        } else if (line == kExampleEnd) {
            current = nullptr;
        } else if (current != nullptr) {
            *current += core::ToCp932(line) + "\r\n";
        }
    }
    EXPECT_EQ(current, nullptr) << "an example runs to the end of the manual";
    return examples;
}

class ManualExamples : public ::testing::Test {
  protected:
    // The file as it would lie beside the program.
    std::wstring Place(const std::wstring& name) {
        dir_.Write(name, examples_.at(name));
        return dir_.File(name);
    }

    std::wstring manual_ = ManualText();
    std::map<std::wstring, std::string> examples_ = Examples(manual_);
    testkit::TempDir dir_;
};

TEST_F(ManualExamples, OneExampleForEveryFileAUserEdits) {
    std::vector<std::wstring> names;
    for (const auto& [name, content] : examples_) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Lindrow.ini", L"Mensato.ini", L"Pindorel.ini",
                                                L"Quillard.csv", L"Quillard_results.csv",
                                                L"Setting.txt", L"Tamvoro.ini", L"Timetable.ini"}));
    // The manual ships in the ANSI code page: every character must have a place in it.
    std::wistringstream lines(manual_);
    for (std::wstring line; std::getline(lines, line);) {
        EXPECT_EQ(core::FromCp932(core::ToCp932(line)), line);
    }
}

// The agent's three files together: what the balloon says on the days and at the times
// the manual names.
TEST_F(ManualExamples, AgentFollowsTheTimetable) {
    for (const wchar_t* picture :
         {L"normal.bmp", L"good.bmp", L"info.bmp", L"exclamation.bmp", L"wait.bmp"}) {
        dir_.Write(picture, "BM");
    }
    Place(L"Setting.txt");
    const agent::CatalogueRead read = agent::LoadMessageCatalogue(dir_.Path(), 2025);
    ASSERT_EQ(read.error, 0);
    const agent::MessageCatalogue& c = read.catalogue;
    EXPECT_EQ(c.picturePaths[7], dir_.File(L"wait.bmp"));
    EXPECT_EQ(c.picturePaths[3], dir_.File(L"normal.bmp"));  // not given: the normal picture
    EXPECT_EQ(c.dateFormat + L" " + c.timeFormat, L"m月d日(aaa) h時nn分");
    EXPECT_EQ(c.messageBreaks, L"\r\n\r\n");
    EXPECT_EQ(c.excludedMeals, std::vector<int16_t>{1});
    EXPECT_EQ(c.lessonMessages.at(1), L"ノートをきちんと取りましょう。\r\n字はていねいに。");
    EXPECT_EQ(c.restMessages.size(), 1u);
    // Four lines, the one over New Year split in two; every date and time part was read.
    ASSERT_EQ(c.schedules.size(), 5u);
    ASSERT_EQ(c.messageBoxes.size(), 2u);
    for (const auto* list : {&c.schedules, &c.messageBoxes}) {
        for (const agent::TimedEntry& entry : *list) {
            EXPECT_EQ(entry.text.find_first_of(L"[]{}\""), std::wstring::npos) << entry.text;
        }
    }
    const int april1 = 90, december28 = 361;
    EXPECT_TRUE(agent::TimedEntryMatches(c.schedules[0], april1 + 6, 0));
    EXPECT_FALSE(agent::TimedEntryMatches(c.schedules[0], april1 + 7, 0));
    EXPECT_FALSE(agent::TimedEntryMatches(c.messageBoxes[1], december28, 11 * 60 + 59));
    EXPECT_TRUE(agent::TimedEntryMatches(c.messageBoxes[1], december28 + 2, 0));

    const agent::Timetable timetable = agent::LoadTimetableFile(Place(L"Timetable.ini")).value();
    const agent::DayTable table = agent::BuildDayTable(timetable, c);
    const auto at = [&](int weekday, int hour, int minute) {
        const auto current = agent::FindCurrentEntry(table, hour * 60 + minute);
        if (!current) {
            return std::wstring(L"(none)");
        }
        return agent::EntryTexts(table, table[*current], timetable.dayPlans[weekday - 1],
                                 c.defaultPicture)
            .headline;
    };
    EXPECT_EQ(at(1, 8, 50), L"ただいま、国語の時間です。");
    EXPECT_EQ(at(1, 9, 35), L"ただいま、国語の時間です。");
    EXPECT_EQ(at(1, 9, 36), L"休み時間です。");
    EXPECT_EQ(at(1, 9, 44), L"休み時間です。");
    EXPECT_EQ(at(1, 9, 45), L"ただいま、算数の時間です。");
    EXPECT_EQ(at(3, 11, 45), L"ただいま、4時間目の時間です。");
    EXPECT_EQ(at(1, 12, 35), L"ただいま、給食の時間です。");
    // Breakfast is left out; the rows without times make the morning a recess.
    EXPECT_EQ(at(1, 7, 0), L"休み時間です。");
    EXPECT_EQ(at(1, 12, 32), L"次の時間の準備をしましょう。");
    EXPECT_TRUE(timetable.dayPlans[5].empty() && timetable.dayPlans[6].empty());
    // The editor finds nothing amiss and shows the day plans as the manual describes them.
    const agent::TimetableDraft draft = agent::ReadDraft(examples_.at(L"Timetable.ini"));
    EXPECT_EQ(agent::TimetableFindings(draft, c.excludedMeals), std::vector<std::wstring>{});
    EXPECT_EQ(agent::PlanShown(draft.plans[0]), L"11 12 13 14");
    EXPECT_EQ(agent::TimeShown(draft.rows[agent::kMealRows + 1].start), L"9:45");

    agent::AgentEnvironment environment;
    environment.programDir = dir_.Path();
    environment.env = [](std::wstring_view) { return std::nullopt; };
    struct : agent::AgentWindowFrame {
        double Left() const override { return 0; }
        double Top() const override { return 0; }
        double Width() const override { return 3000; }
        double Height() const override { return 3000; }
        void MoveTo(double, double) override {}
    } window;
    Place(L"Tamvoro.ini");
    const agent::AgentOptions o = agent::LoadAgentSettings(environment, window).values;
    EXPECT_EQ(o.schedule, L"Timetable.ini");
    EXPECT_EQ(o.clockAdjust, 40);
    EXPECT_EQ(o.soundFile, L"C:\\Windows\\Media\\chimes.wav");
    EXPECT_EQ(o.pcTime, 10);
    EXPECT_EQ(o.fWidth, 3600);
    EXPECT_EQ(o.launcherPaths[0], L"%WINDIR%\\notepad.exe");
    EXPECT_EQ(o.launcherTitles[1], L"エクスプローラー");
}

TEST_F(ManualExamples, NotesSettings) {
    const pindorel::NoteSettings s =
        pindorel::ReadSettings(core::ProfileFile(Place(L"Pindorel.ini")));
    EXPECT_EQ(s.deleteToRecycleBin, 1);
    EXPECT_EQ(s.saveOnEditEnd, 1);
    EXPECT_EQ(s.defaults.font.name, L"ＭＳ ゴシック");
    EXPECT_EQ(s.defaults.font.size, 11.0);
    EXPECT_EQ(s.defaults.backColor, 255 + 255 * 256 + 153 * 65536);  // the manual's pale yellow
}

TEST_F(ManualExamples, QuestionSets) {
    const quillard::SetFileRead read =
        quillard::ParseSetFile(core::FromCp932(examples_.at(L"Quillard.csv")));
    ASSERT_EQ(read.error, 0);
    ASSERT_EQ(read.sets.size(), 3u);
    for (const quillard::QuestionSet& set : read.sets) {
        EXPECT_EQ(quillard::CheckSet(set, {}), quillard::SetCheck::kOk) << set.title;
    }
    EXPECT_EQ(read.sets[0].title, L"英語 単語テスト 第1回");
    EXPECT_EQ(read.sets[0].choices, L"アイウエ");
    EXPECT_EQ(read.sets[0].CorrectChoice(1), 3);
}

// The class file's example, marked against the first example set as the manual says.
TEST_F(ManualExamples, ClassRecords) {
    const quillard::ClassFileRead read =
        quillard::ParseClassFile(core::FromCp932(examples_.at(L"Quillard_results.csv")));
    ASSERT_EQ(read.error, 0);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(quillard::ClassFileBytes(read.records), examples_.at(L"Quillard_results.csv"))
        << "the example is written as the program writes it";
    const quillard::QuestionSet set =
        quillard::ParseSetFile(core::FromCp932(examples_.at(L"Quillard.csv"))).sets.at(0);
    std::vector<const quillard::ClassRecord*> records;
    for (const quillard::ClassRecord& record : read.records) {
        EXPECT_EQ(record.title, set.title);
        records.push_back(&record);
    }
    const quillard::ClassResult result = quillard::MarkClass(set, records);
    EXPECT_EQ(result.pupils[0].score, 10);
    EXPECT_EQ(result.pupils[1].score, 8);
    EXPECT_EQ(result.pupils[1].chosen[5], 0);
    EXPECT_EQ(result.pupils[2].score, 3);
    EXPECT_EQ(quillard::TwoDecimals(result.mean), L"7.00");
}

TEST_F(ManualExamples, RulerCalibrations) {
    const mensato::StoredCalibrations s = mensato::ReadCalibrations(examples_.at(L"Mensato.ini"));
    EXPECT_EQ(s.currentEntry, 2);
    EXPECT_EQ(s.entries, (std::vector<mensato::CalibrationEntry>{{L"17インチ 1280*1024", 567.0f},
                                                                 {L"ノート 1366*768", 612.5f}}));
}

TEST_F(ManualExamples, WaitLevels) {
    const core::ProfileFile file(Place(L"Lindrow.ini"));
    EXPECT_EQ(lindrow::LoadLevelCounts(file), (lindrow::LevelCounts{500000, 2000000, 8000000}));
    const lindrow::StoredWindow window = lindrow::LoadStoredWindow(file);
    EXPECT_EQ(window.level, 0);
    EXPECT_EQ(window.left, lindrow::kPositionNotStored);
}

}  // namespace
