// Random runs of the program against a folder other programs change at the same time: the
// user edits, creates and deletes notes and saves now and then, while another program adds,
// replaces, removes and holds note files. After the run's last save no note text another
// program put there (or that was there at the start) is lost unless the user deleted that
// note or another program removed or replaced it again, and every note the user changed is
// in a file with the user's text.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/text.h"
#include "note_store.h"
#include "test_folder.h"

namespace pindorel {
namespace {

NoteRecord Note(const std::wstring& text) {
    NoteRecord r;
    r.width = 2000;
    r.height = 1500;
    r.font = {L"ＭＳ Ｐゴシック", 9, 0, 0, 0, 0, 0};
    r.text = text;
    return r;
}

class UserAndOtherProgram {
  public:
    explicit UserAndOtherProgram(unsigned seed) : random_(seed) {
        for (int i = 1, count = Pick(4); i <= count; ++i) {
            const std::wstring text = Fresh(L"start");
            folder_.Put(NoteFileName(i), EncodeNote(Note(text)));
            mustStay_.insert(text);
        }
        for (const StoredNote& stored : store_.Load().notes) {
            notes_.push_back({stored.key, stored.record});
        }
        nextKey_ = notes_.size();
    }

    void Step() {
        switch (Pick(8)) {
            case 0:
                return UserEdits();
            case 1:
                return UserCreates();
            case 2:
                return UserDeletes();
            case 3:
                return Save();
            case 4:
                return OtherAdds();
            case 5:
                return OtherReplaces();
            case 6:
                return OtherRemoves();
            default:
                return OtherHolds();
        }
    }

    // The last save, with nothing held, then what the next start finds.
    void Check() {
        folder_.ReleaseAll();
        const SaveOutcome last = store_.Save(notes_, false);
        ASSERT_FALSE(last.failed) << "error " << last.error << "\n" << log_;
        store_.Recover();
        const FolderScan scan = store_.Load();
        EXPECT_TRUE(scan.damaged.empty()) << log_;
        std::multiset<std::wstring> texts;
        for (const StoredNote& stored : scan.notes) {
            texts.insert(stored.record.text);
        }
        for (const std::wstring& text : mustStay_) {
            EXPECT_EQ(texts.count(text), 1u) << core::ToUtf8(text) << " lost\n" << log_;
        }
    }

  private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    std::wstring Fresh(const wchar_t* who) { return who + std::to_wstring(++made_); }
    void Log(const std::wstring& line) { log_ += core::ToUtf8(line) + "\n"; }

    // A note file picked at random; empty when there is none.
    std::wstring AnyNoteFile() {
        std::vector<std::wstring> names;
        for (const std::wstring& name : folder_.Sorted()) {
            if (IsNoteFileName(name)) {
                names.push_back(name);
            }
        }
        return names.empty() ? L"" : names[size_t(Pick(int(names.size())))];
    }
    // Another program's change to a file ends what the file held.
    void Forget(const std::wstring& name) {
        mustStay_.erase(DecodeNote(folder_.Get(name)).record.text);
    }

    void UserEdits() {
        if (notes_.empty()) {
            return;
        }
        KeyedNote& note = notes_[size_t(Pick(int(notes_.size())))];
        mustStay_.erase(note.record.text);
        note.record.text = Fresh(L"user");
        mustStay_.insert(note.record.text);
        Log(L"edit " + std::to_wstring(note.key) + L" " + note.record.text);
    }
    void UserCreates() {
        notes_.push_back({nextKey_++, Note(Fresh(L"new"))});
        mustStay_.insert(notes_.back().record.text);
        Log(L"create " + notes_.back().record.text);
    }
    void UserDeletes() {
        if (notes_.empty()) {
            return;
        }
        const auto it = notes_.begin() + Pick(int(notes_.size()));
        mustStay_.erase(it->record.text);
        Log(L"delete " + it->record.text);
        notes_.erase(it);
    }
    void Save() {
        const SaveOutcome outcome = store_.Save(notes_, Pick(2) == 0);
        Log(L"save" + std::wstring(outcome.failed ? L" failed" : L""));
        folder_.ReleaseAll();
    }
    void OtherAdds() {
        const std::wstring name = NoteFileName(1 + Pick(12));
        if (folder_.Exists(name)) {
            return;
        }
        const std::wstring text = Fresh(L"other");
        folder_.Put(name, EncodeNote(Note(text)));
        mustStay_.insert(text);
        Log(L"other adds " + name + L" " + text);
    }
    void OtherReplaces() {
        const std::wstring name = AnyNoteFile();
        if (name.empty()) {
            return;
        }
        Forget(name);
        const std::wstring text = Fresh(L"other");
        folder_.Put(name, EncodeNote(Note(text)));
        mustStay_.insert(text);
        Log(L"other replaces " + name + L" " + text);
    }
    void OtherRemoves() {
        const std::wstring name = AnyNoteFile();
        if (name.empty()) {
            return;
        }
        Forget(name);
        folder_.Remove(name);
        Log(L"other removes " + name);
    }
    void OtherHolds() {
        if (const std::wstring name = AnyNoteFile(); !name.empty()) {
            folder_.Hold(name);
        }
    }

    std::mt19937 random_;
    TestFolder folder_;
    NoteStore store_{folder_};
    std::vector<KeyedNote> notes_;
    NoteKey nextKey_ = 0;
    int made_ = 0;
    std::set<std::wstring> mustStay_;
    std::string log_;
};

TEST(NoteStoreProperty, NoRunLosesANoteOfTheUserOrOfAnotherProgram) {
    for (unsigned seed = 1; seed <= 60 && !HasFailure(); ++seed) {
        UserAndOtherProgram run(seed);
        for (int step = 0; step < 30; ++step) {
            run.Step();
        }
        run.Check();
    }
}

}  // namespace
}  // namespace pindorel
