#include "note_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/text.h"
#include "testkit/temp_dir.h"

namespace pindorel {
namespace {

NoteRecord Note(std::wstring text, float left = 100) {
    NoteRecord r;
    r.left = left;
    r.top = 200;
    r.width = 2000;
    r.height = 1500;
    r.font = {L"ＭＳ Ｐゴシック", 9, 0, 0, 0, 0, 0};
    r.backColor = 0x80FFFF;
    r.text = std::move(text);
    return r;
}

// A real folder whose steps can be made to fail, one operation on one file at a time.
class TestFolder : public NoteFolder {
  public:
    enum class Step { Read, Write, Rename, Retire };

    TestFolder()
        : disk_(dir_.Dir().wstring(), [this](const std::wstring& path, int16_t recycle) {
              recycled_.push_back(recycle);
              std::wstring native = path;
              std::replace(native.begin(), native.end(), L'\\', L'/');
              std::error_code ignored;
              return std::filesystem::remove(std::filesystem::path(native), ignored) ? 0 : 2;
          }) {}

    void FailAt(Step step, std::wstring name) { faults_[step] = std::move(name); }
    void ClearFaults() { faults_.clear(); }

    std::vector<std::wstring> Names() override { return disk_.Names(); }
    core::FileRead Read(const std::wstring& name) override {
        return Faulty(Step::Read, name) ? core::FileRead{"", 70} : disk_.Read(name);
    }
    int Write(const std::wstring& name, std::string_view bytes) override {
        ++writes_;
        return Faulty(Step::Write, name) ? core::kErrDiskFull : disk_.Write(name, bytes);
    }
    int Rename(const std::wstring& from, const std::wstring& to) override {
        return Faulty(Step::Rename, from) ? core::kErrPathAccess : disk_.Rename(from, to);
    }
    int Retire(const std::wstring& name, bool recycle) override {
        return Faulty(Step::Retire, name) ? 117 : disk_.Retire(name, recycle);
    }
    int Remove(const std::wstring& name) override { return disk_.Remove(name); }
    bool Exists(const std::wstring& name) override { return disk_.Exists(name); }

    void Put(const std::wstring& name, const std::string& bytes) { dir_.Write(name, bytes); }
    std::string Get(const std::wstring& name) const { return dir_.Read(name); }
    std::vector<std::wstring> Sorted() {
        std::vector<std::wstring> names = Names();
        std::sort(names.begin(), names.end());
        return names;
    }
    int writes_ = 0;
    std::vector<int16_t> recycled_;

  private:
    bool Faulty(Step step, const std::wstring& name) const {
        auto it = faults_.find(step);
        return it != faults_.end() && it->second == name;
    }
    testkit::TempDir dir_{"pindorel-store"};
    DiskFolder disk_;
    std::map<Step, std::wstring> faults_;
};

std::vector<std::wstring> Texts(const FolderScan& scan) {
    std::vector<std::wstring> texts;
    for (const StoredNote& note : scan.notes) {
        texts.push_back(note.record.text);
    }
    return texts;
}

using Names = std::vector<std::wstring>;
using TextList = std::vector<std::wstring>;

class NoteStoreTest : public ::testing::Test {
  protected:
    // What the next start finds.
    FolderScan Restart() {
        store.Recover();
        return store.Load();
    }
    TestFolder folder;
    NoteStore store{folder};
};

TEST_F(NoteStoreTest, NamesSortByNumberNotByTheirSpelling) {
    EXPECT_EQ(SortedNoteNames({L"TagData10.dat", L"TagData2.dat", L"readme.txt", L"TagData1.dat",
                               L"TagDataX.dat", L"TagData02.dat", L"Temp1.dat", L"tagdata3.DAT"}),
              (Names{L"TagData1.dat", L"TagData2.dat", L"tagdata3.DAT", L"TagData10.dat",
                     L"TagData02.dat", L"TagDataX.dat"}));
}

TEST_F(NoteStoreTest, FirstSaveWritesEveryNoteAndASecondIdenticalSaveWritesNothing) {
    const std::vector<NoteRecord> notes{Note(L"a"), Note(L"b"), Note(L"c")};
    SaveOutcome first = store.Save(notes, false);
    EXPECT_FALSE(first.failed);
    EXPECT_EQ(first.written, (Names{L"TagData1.dat", L"TagData2.dat", L"TagData3.dat"}));
    EXPECT_EQ(folder.Get(L"TagData2.dat"), EncodeNote(notes[1]));
    EXPECT_EQ(folder.Sorted(), (Names{L"TagData1.dat", L"TagData2.dat", L"TagData3.dat"}));

    const int writes = folder.writes_;
    SaveOutcome second = store.Save(notes, false);
    EXPECT_TRUE(second.written.empty());
    EXPECT_TRUE(second.retired.empty());
    EXPECT_EQ(folder.writes_, writes);
}

TEST_F(NoteStoreTest, OnlyChangedNotesAreRewrittenAndSurplusFilesRetired) {
    std::vector<NoteRecord> notes{Note(L"a"), Note(L"b"), Note(L"c"), Note(L"d"), Note(L"e")};
    store.Save(notes, false);
    notes[3].left = 4000;
    SaveOutcome moved = store.Save(notes, true);
    EXPECT_EQ(moved.written, (Names{L"TagData4.dat"}));
    EXPECT_EQ(folder.recycled_, (std::vector<int16_t>{1}));

    notes.erase(notes.begin() + 1);  // the middle of the list goes
    SaveOutcome removed = store.Save(notes, false);
    EXPECT_FALSE(removed.failed);
    EXPECT_EQ(removed.written, (Names{L"TagData2.dat", L"TagData3.dat", L"TagData4.dat"}));
    // The old versions of the rewritten files go too, then the surplus one.
    EXPECT_EQ(removed.retired,
              (Names{L"TagData2.dat", L"TagData3.dat", L"TagData4.dat", L"TagData5.dat"}));
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"c", L"d", L"e"}));

    SaveOutcome none = store.Save({}, false);
    EXPECT_EQ(none.retired.size(), 4u);
    EXPECT_TRUE(none.written.empty());
    EXPECT_TRUE(folder.Sorted().empty());
}

TEST_F(NoteStoreTest, TheFontColourAloneIsNoChange) {
    std::vector<NoteRecord> notes{Note(L"a")};
    store.Save(notes, false);
    notes[0].font.colour = 0xFF;
    EXPECT_TRUE(store.Save(notes, false).written.empty());
}

TEST_F(NoteStoreTest, GapsAndTenOrMoreNotesAreRenumberedInNumericOrder) {
    for (int n : {1, 3, 10, 12, 2, 11}) {
        folder.Put(NoteFileName(n), EncodeNote(Note(std::to_wstring(n))));
    }
    EXPECT_EQ(Texts(store.Load()), (TextList{L"1", L"2", L"3", L"10", L"11", L"12"}));

    std::vector<NoteRecord> notes;
    for (const StoredNote& n : store.Load().notes) {
        notes.push_back(n.record);
    }
    notes.push_back(Note(L"new"));
    SaveOutcome outcome = store.Save(notes, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.written, (Names{L"TagData7.dat"}));  // the renamed files are unchanged
    EXPECT_EQ(Texts(Restart()), (TextList{L"1", L"2", L"3", L"10", L"11", L"12", L"new"}));
    EXPECT_EQ(folder.Get(L"TagData4.dat"), EncodeNote(Note(L"10")));
}

TEST_F(NoteStoreTest, DamagedFilesAreReportedKeptAndKeepTheirPlace) {
    folder.Put(L"TagData1.dat", EncodeNote(Note(L"a")));
    const std::string damaged = EncodeNote(Note(L"x")).substr(0, 30);
    folder.Put(L"TagData2.dat", damaged);
    folder.Put(L"TagData3.dat", EncodeNote(Note(L"b")));
    folder.Put(L"TagData4.dat", EncodeNote(Note(L"c")));

    const FolderScan scan = store.Load();
    EXPECT_EQ(Texts(scan), (TextList{L"a", L"b", L"c"}));
    EXPECT_EQ(scan.damaged, (Names{L"TagData2.dat"}));

    // "b" is removed, "d" added: neither the damaged file nor its number is touched.
    SaveOutcome outcome = store.Save({Note(L"a"), Note(L"c"), Note(L"d")}, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(folder.Get(L"TagData2.dat"), damaged);
    EXPECT_EQ(outcome.written, (Names{L"TagData3.dat", L"TagData4.dat"}));
    EXPECT_TRUE(outcome.retired.empty() || std::find(outcome.retired.begin(), outcome.retired.end(),
                                                     L"TagData2.dat") == outcome.retired.end());
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"c", L"d"}));

    EXPECT_FALSE(store.Save({}, false).failed);
    EXPECT_EQ(folder.Sorted(), (Names{L"TagData2.dat"}));
    EXPECT_EQ(folder.Get(L"TagData2.dat"), damaged);
}

// Every step of a save is made to fail in turn: the save reports it, and the next start
// finds every note that was saved before, or its new version, in order.
TEST_F(NoteStoreTest, AFailureAtAnyStepLosesNoNote) {
    struct Case {
        TestFolder::Step step;
        std::wstring name;
        int error;
    };
    const std::vector<Case> cases{
        {TestFolder::Step::Write, L"TagData2.dat.new", core::kErrDiskFull},
        {TestFolder::Step::Retire, L"TagData2.dat", 0},
        {TestFolder::Step::Rename, L"TagData2.dat.new", core::kErrPathAccess},
        {TestFolder::Step::Retire, L"TagData3.dat", 0},
        {TestFolder::Step::Rename, L"TagData4.dat", core::kErrPathAccess},  // renumbering
    };
    for (const Case& c : cases) {
        TestFolder faulty;
        NoteStore faultyStore(faulty);
        faulty.Put(L"TagData1.dat", EncodeNote(Note(L"a")));
        faulty.Put(L"TagData2.dat", EncodeNote(Note(L"b")));
        faulty.Put(L"TagData4.dat", EncodeNote(Note(L"c")));
        faulty.FailAt(c.step, c.name);
        // "b" is edited, "c" (renumbered to 3) deleted.
        const SaveOutcome outcome = faultyStore.Save({Note(L"a"), Note(L"B")}, false);
        EXPECT_TRUE(outcome.failed) << core::ToUtf8(c.name);
        EXPECT_EQ(outcome.error, c.error) << core::ToUtf8(c.name);

        faulty.ClearFaults();
        faultyStore.Recover();
        const TextList texts = Texts(faultyStore.Load());
        ASSERT_GE(texts.size(), 2u) << core::ToUtf8(c.name);
        EXPECT_EQ(texts[0], L"a");
        EXPECT_TRUE(texts[1] == L"b" || texts[1] == L"B") << core::ToUtf8(c.name);
        const bool newVersionKept = texts[1] == L"B";
        const bool failedAfterRetiringTheOldVersion =
            (c.step == TestFolder::Step::Rename && c.name == L"TagData2.dat.new") ||
            (c.step == TestFolder::Step::Retire && c.name == L"TagData3.dat");
        EXPECT_EQ(newVersionKept, failedAfterRetiringTheOldVersion) << core::ToUtf8(c.name);
        for (const std::wstring& name : faulty.Names()) {
            EXPECT_TRUE(IsNoteFileName(name)) << "left behind: " << core::ToUtf8(name);
        }
    }
}

TEST_F(NoteStoreTest, RecoveryPutsACompletedNewVersionInPlaceOnlyWhenItsOldFileIsGone) {
    folder.Put(L"TagData1.dat", EncodeNote(Note(L"old one")));
    folder.Put(L"TagData1.dat.new", EncodeNote(Note(L"new one")));
    folder.Put(L"TagData2.dat.new", EncodeNote(Note(L"new two")));
    folder.Put(L"TagData3.dat.new~", "half");
    folder.Put(L"Other.new", "not ours");
    EXPECT_EQ(Texts(Restart()), (TextList{L"old one", L"new two"}));
    EXPECT_EQ(folder.Sorted(), (Names{L"Other.new", L"TagData1.dat", L"TagData2.dat"}));
}

// Another program holds a file for a while: when it could not be read at the start, no save
// of the run touches it; when it was read at the start, it still holds its own note.
TEST_F(NoteStoreTest, AFileHeldByAnotherProgramKeepsItsBytesAndItsNote) {
    folder.Put(L"TagData1.dat", EncodeNote(Note(L"a")));
    folder.Put(L"TagData2.dat", EncodeNote(Note(L"b")));
    folder.Put(L"TagData3.dat", EncodeNote(Note(L"c")));
    folder.FailAt(TestFolder::Step::Read, L"TagData2.dat");
    EXPECT_EQ(store.Load().damaged, (Names{L"TagData2.dat"}));
    folder.ClearFaults();
    EXPECT_FALSE(store.Save({Note(L"a"), Note(L"C")}, false).failed);
    EXPECT_EQ(folder.Get(L"TagData2.dat"), EncodeNote(Note(L"b")));
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"b", L"C"}));

    // Read at the start, held at the save: the other notes stay in their own files.
    folder.FailAt(TestFolder::Step::Read, L"TagData1.dat");
    EXPECT_FALSE(store.Save({Note(L"a"), Note(L"b"), Note(L"C"), Note(L"d")}, false).failed);
    folder.ClearFaults();
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"b", L"C", L"d"}));
}

TEST_F(NoteStoreTest, ANewVersionLeftByAFailedRenameIsPutInPlaceNeverDropped) {
    store.Save({Note(L"a"), Note(L"b")}, false);
    folder.FailAt(TestFolder::Step::Rename, L"TagData2.dat.new");
    EXPECT_TRUE(store.Save({Note(L"a"), Note(L"B")}, false).failed);
    EXPECT_FALSE(folder.Exists(L"TagData2.dat"));
    // While it cannot be placed no save goes on; then the next one places it first.
    EXPECT_TRUE(store.Save({Note(L"a"), Note(L"B"), Note(L"new")}, false).failed);
    EXPECT_EQ(store.Recover(), (Names{L"TagData2.dat.new"}));
    folder.ClearFaults();
    SaveOutcome outcome = store.Save({Note(L"a"), Note(L"B"), Note(L"new")}, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.written, (Names{L"TagData3.dat"}));
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"B", L"new"}));
}

TEST_F(NoteStoreTest, AFileLongerThanAnyNoteIsReportedUnread) {
    folder.Put(L"TagData1.dat", std::string(kMaxRecordBytes + 1, 'x'));
    folder.Put(L"TagData2.dat", EncodeNote(Note(L"a")));
    const FolderScan scan = store.Load();
    EXPECT_EQ(scan.damaged, (Names{L"TagData1.dat"}));
    EXPECT_EQ(Texts(scan), (TextList{L"a"}));
}

}  // namespace
}  // namespace pindorel
