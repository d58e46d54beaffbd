#include "note_store.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "test_folder.h"

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

// Notes known by their place in the list.
std::vector<KeyedNote> Keyed(const std::vector<NoteRecord>& notes) {
    std::vector<KeyedNote> keyed;
    for (size_t i = 0; i < notes.size(); ++i) {
        keyed.push_back({i, notes[i]});
    }
    return keyed;
}

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
    void PutNotes(const TextList& texts) {
        for (size_t i = 0; i < texts.size(); ++i) {
            folder.Put(NoteFileName(int(i + 1)), EncodeNote(Note(texts[i])));
        }
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
    SaveOutcome first = store.Save(Keyed(notes), false);
    EXPECT_FALSE(first.failed);
    EXPECT_EQ(first.written, (Names{L"TagData1.dat", L"TagData2.dat", L"TagData3.dat"}));
    EXPECT_EQ(folder.Get(L"TagData2.dat"), EncodeNote(notes[1]));
    EXPECT_EQ(folder.Sorted(), (Names{L"TagData1.dat", L"TagData2.dat", L"TagData3.dat"}));

    const int writes = folder.writes_;
    SaveOutcome second = store.Save(Keyed(notes), false);
    EXPECT_TRUE(second.written.empty());
    EXPECT_TRUE(second.retired.empty());
    EXPECT_EQ(folder.writes_, writes);
}

TEST_F(NoteStoreTest, OnlyChangedNotesAreRewrittenAndTheRestRenumbered) {
    std::vector<KeyedNote> notes =
        Keyed({Note(L"a"), Note(L"b"), Note(L"c"), Note(L"d"), Note(L"e")});
    store.Save(notes, false);
    notes[3].record.left = 4000;
    SaveOutcome moved = store.Save(notes, true);
    EXPECT_EQ(moved.written, (Names{L"TagData4.dat"}));
    EXPECT_EQ(folder.recycled_, (std::vector<int16_t>{1}));

    notes.erase(notes.begin() + 1);  // the middle of the list goes
    SaveOutcome removed = store.Save(notes, false);
    EXPECT_FALSE(removed.failed);
    EXPECT_TRUE(removed.written.empty());
    EXPECT_EQ(removed.retired, (Names{L"TagData2.dat"}));
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"c", L"d", L"e"}));

    SaveOutcome none = store.Save({}, false);
    EXPECT_EQ(none.retired.size(), 4u);
    EXPECT_TRUE(none.written.empty());
    EXPECT_TRUE(folder.Sorted().empty());
}

TEST_F(NoteStoreTest, TheFontColourAloneIsNoChange) {
    std::vector<KeyedNote> notes = Keyed({Note(L"a")});
    store.Save(notes, false);
    notes[0].record.font.colour = 0xFF;
    EXPECT_TRUE(store.Save(notes, false).written.empty());
}

TEST_F(NoteStoreTest, GapsAndTenOrMoreNotesAreRenumberedInNumericOrder) {
    for (int n : {1, 3, 10, 12, 2, 11}) {
        folder.Put(NoteFileName(n), EncodeNote(Note(std::to_wstring(n))));
    }
    std::vector<KeyedNote> notes;
    for (const StoredNote& n : store.Load(5).notes) {
        notes.push_back({n.key, n.record});
    }
    EXPECT_EQ(notes.front().key, 5u);
    notes.push_back({100, Note(L"new")});
    SaveOutcome outcome = store.Save(notes, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.written, (Names{L"TagData7.dat"}));  // the renamed files are unchanged
    EXPECT_EQ(Texts(Restart()), (TextList{L"1", L"2", L"3", L"10", L"11", L"12", L"new"}));
    EXPECT_EQ(folder.Get(L"TagData4.dat"), EncodeNote(Note(L"10")));
}

TEST_F(NoteStoreTest, DamagedFilesAreReportedKeptAndKeepTheirNumber) {
    PutNotes({L"a", L"x", L"b", L"c"});
    const std::string damaged = EncodeNote(Note(L"x")).substr(0, 30);
    folder.Put(L"TagData2.dat", damaged);

    const FolderScan scan = store.Load();
    EXPECT_EQ(Texts(scan), (TextList{L"a", L"b", L"c"}));
    EXPECT_EQ(scan.damaged, (Names{L"TagData2.dat"}));

    // "b" is removed, "d" added: neither the damaged file nor its number is touched.
    SaveOutcome outcome = store.Save({{0, Note(L"a")}, {2, Note(L"c")}, {3, Note(L"d")}}, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(folder.Get(L"TagData2.dat"), damaged);
    EXPECT_EQ(outcome.written, (Names{L"TagData4.dat"}));
    EXPECT_EQ(outcome.retired, (Names{L"TagData3.dat"}));
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
        TextList next;  // what the next start shows
    };
    const std::vector<Case> cases{
        {TestFolder::Step::Retire, L"TagData3.dat", 0, {L"a", L"b", L"x", L"c"}},
        {TestFolder::Step::Rename, L"TagData5.dat", core::kErrPathAccess, {L"a", L"b", L"c"}},
        {TestFolder::Step::Write, L"TagData2.dat.new", core::kErrDiskFull, {L"a", L"b", L"c"}},
        {TestFolder::Step::Retire, L"TagData2.dat", 0, {L"a", L"b", L"c"}},
        {TestFolder::Step::Rename, L"TagData2.dat.new", core::kErrPathAccess, {L"a", L"B", L"c"}},
    };
    for (const Case& c : cases) {
        TestFolder faulty;
        NoteStore faultyStore(faulty);
        faulty.Put(L"TagData1.dat", EncodeNote(Note(L"a")));
        faulty.Put(L"TagData2.dat", EncodeNote(Note(L"b")));
        faulty.Put(L"TagData3.dat", EncodeNote(Note(L"x")));
        faulty.Put(L"TagData5.dat", EncodeNote(Note(L"c")));
        faultyStore.Load();
        faulty.FailAt(c.step, c.name);
        // "x" is deleted, "c" renumbered to 3, "b" edited.
        const SaveOutcome outcome =
            faultyStore.Save({{0, Note(L"a")}, {1, Note(L"B")}, {3, Note(L"c")}}, false);
        EXPECT_TRUE(outcome.failed) << core::ToUtf8(c.name);
        EXPECT_EQ(outcome.error, c.error) << core::ToUtf8(c.name);

        faulty.ClearFaults();
        faultyStore.Recover();
        EXPECT_EQ(Texts(faultyStore.Load()), c.next) << core::ToUtf8(c.name);
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
    PutNotes({L"a", L"b", L"c"});
    folder.FailAt(TestFolder::Step::Read, L"TagData2.dat");
    EXPECT_EQ(store.Load().damaged, (Names{L"TagData2.dat"}));
    folder.ClearFaults();
    EXPECT_FALSE(store.Save({{0, Note(L"a")}, {1, Note(L"C")}}, false).failed);
    EXPECT_EQ(folder.Get(L"TagData2.dat"), EncodeNote(Note(L"b")));
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"b", L"C"}));

    // Read at the start, held at the save: the other notes stay in their own files.
    folder.FailAt(TestFolder::Step::Read, L"TagData1.dat");
    EXPECT_FALSE(store.Save(Keyed({Note(L"a"), Note(L"b"), Note(L"C"), Note(L"d")}), false).failed);
    folder.ClearFaults();
    EXPECT_EQ(Texts(Restart()), (TextList{L"a", L"b", L"C", L"d"}));
}

TEST_F(NoteStoreTest, ANewVersionLeftByAFailedRenameIsPutInPlaceNeverDropped) {
    store.Save(Keyed({Note(L"a"), Note(L"b")}), false);
    folder.FailAt(TestFolder::Step::Rename, L"TagData2.dat.new");
    EXPECT_TRUE(store.Save(Keyed({Note(L"a"), Note(L"B")}), false).failed);
    EXPECT_FALSE(folder.Exists(L"TagData2.dat"));
    // While it cannot be placed no save goes on; then the next one places it first.
    EXPECT_TRUE(store.Save(Keyed({Note(L"a"), Note(L"B"), Note(L"new")}), false).failed);
    EXPECT_EQ(store.Recover(), (Names{L"TagData2.dat.new"}));
    folder.ClearFaults();
    SaveOutcome outcome = store.Save(Keyed({Note(L"a"), Note(L"B"), Note(L"new")}), false);
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

// A sync client adds a note while the program runs: no save deletes it, writes over it or
// renames it; new notes take the numbers around it.
TEST_F(NoteStoreTest, ANoteFileAddedDuringTheRunIsLeftAlone) {
    PutNotes({L"a", L"b"});
    store.Load();
    const std::string added = EncodeNote(Note(L"from the other PC"));
    folder.Put(L"TagData3.dat", added);
    SaveOutcome outcome = store.Save({{0, Note(L"A")}, {1, Note(L"b")}}, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.written, (Names{L"TagData1.dat"}));
    EXPECT_EQ(folder.Get(L"TagData3.dat"), added);

    outcome = store.Save({{1, Note(L"b")}, {2, Note(L"new")}, {3, Note(L"newer")}}, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.retired, (Names{L"TagData1.dat"}));
    EXPECT_EQ(outcome.written, (Names{L"TagData2.dat", L"TagData4.dat"}));  // b went to 1
    EXPECT_EQ(folder.Get(L"TagData3.dat"), added);
    EXPECT_EQ(Texts(Restart()), (TextList{L"b", L"new", L"from the other PC", L"newer"}));
}

// Another program replaces or removes note files: a note unchanged here is not written
// back; one changed here is written without destroying the other version, which is
// reported; one deleted here leaves the other program's version.
TEST_F(NoteStoreTest, NotesReplacedOrRemovedByAnotherProgramKeepTheirNewContent) {
    PutNotes({L"a", L"b", L"c", L"d", L"e"});
    store.Load();
    const std::string theirs2 = EncodeNote(Note(L"b from the other PC"));
    const std::string theirs3 = EncodeNote(Note(L"c from the other PC"));
    const std::string theirs4 = EncodeNote(Note(L"d from the other PC"));
    folder.Put(L"TagData2.dat", theirs2);
    folder.Put(L"TagData3.dat", theirs3);
    folder.Put(L"TagData4.dat", theirs4);
    EXPECT_EQ(folder.Remove(L"TagData5.dat"), 0);
    // a edited, b untouched, c edited, d deleted, e (removed there) untouched.
    SaveOutcome outcome =
        store.Save({{0, Note(L"A")}, {1, Note(L"b")}, {2, Note(L"C")}, {4, Note(L"e")}}, false);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.keptAside, (Names{L"TagData3.dat"}));
    EXPECT_EQ(outcome.retired, (Names{L"TagData1.dat"}));  // the old version of "a" only
    EXPECT_EQ(outcome.written, (Names{L"TagData1.dat", L"TagData5.dat"}));
    EXPECT_EQ(folder.Get(L"TagData2.dat"), theirs2);
    EXPECT_EQ(folder.Get(L"TagData3.dat"), theirs3);
    EXPECT_EQ(folder.Get(L"TagData4.dat"), theirs4);
    EXPECT_EQ(Texts(Restart()), (TextList{L"A", L"b from the other PC", L"c from the other PC",
                                          L"d from the other PC", L"C"}));
    EXPECT_NE(KeptAsideMessage(outcome.keptAside).find(L"\r\nTagData3.dat"), std::wstring::npos);
}

}  // namespace
}  // namespace pindorel
