// The note files beside the program: "TagData<n>.dat", one note each, numbered 1..N in the
// order of the notes. Loading reads them in numeric order; saving writes only the notes
// changed since they were read, never destroys a file before its replacement is complete,
// and never touches a file it did not read or write itself.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "note_folder.h"
#include "note_record.h"

namespace pindorel {

// "TagData" + number + ".dat".
std::wstring NoteFileName(int number);
// True for the names the store takes as note files: "TagData*.dat", any case.
bool IsNoteFileName(std::wstring_view name);
// Note file names in store order: canonical numbers ascending, then other names by name.
std::vector<std::wstring> SortedNoteNames(std::vector<std::wstring> names);

// What the user is told once a save kept other programs' versions aside (names: the files).
std::wstring KeptAsideMessage(const std::vector<std::wstring>& names);

// Who a note is to the caller: any number that stays the note's own for the run.
using NoteKey = size_t;

struct StoredNote {
    std::wstring name;
    NoteRecord record;
    NoteKey key = 0;
};

struct KeyedNote {
    NoteKey key = 0;
    NoteRecord record;
};

struct FolderScan {
    std::vector<StoredNote> notes;      // readable notes, in store order
    std::vector<std::wstring> damaged;  // files that cannot be read as a note, kept as they are
};

struct SaveOutcome {
    bool failed = false;
    int error = 0;  // the error number of the failed step (0: the shell refused a deletion)
    std::vector<std::wstring> written;  // files written, in order
    std::vector<std::wstring> retired;  // files deleted (to the recycle bin when asked)
    // Files another program changed while this run changed the same note: each is left as
    // it is, as a note of its own, and this run's version went to a new file.
    std::vector<std::wstring> keptAside;
};

// The folder may be shared: a sync client or another computer adds, replaces and removes
// note files while the program runs. The store therefore only ever touches the files it
// read or wrote itself in this run, and only while they still hold what it read or wrote.
class NoteStore {
  public:
    explicit NoteStore(NoteFolder& folder) : folder_(folder) {}

    // Finishes or undoes what a save that was cut short left behind: a completed new
    // version whose old file is gone takes its place; one whose old file is still there is
    // dropped (the old file is the last saved state); half-written files are removed.
    // Returns the new versions that could not be put in place: they stay as they are.
    std::vector<std::wstring> Recover();

    // Reads the notes; the i-th readable one is known as firstKey + i from then on. A file
    // that cannot be read is never touched by this store.
    FolderScan Load(NoteKey firstKey = 0);

    // Writes the notes (in order) that changed since they were read or last written, as
    // files numbered in that order around the numbers of files that are not the store's;
    // deletes the files of notes that are gone. A file another program added, replaced or
    // removed keeps what it holds: a note unchanged here is not written back over it, one
    // changed here goes to a new file. Stops at the first failure; every note is then
    // still in a file of its own or in a completed new version, which the next save or
    // start puts in place.
    SaveOutcome Save(const std::vector<KeyedNote>& notes, bool recycle);

  private:
    // The file holding a note as this store last read or wrote it.
    struct Tracked {
        std::wstring name;  // empty: the note has no file of the store's (yet)
        std::string bytes;
    };
    enum class FileState { Ours, Gone, Changed };
    struct Plan;
    FileState StateOf(const Tracked& tracked);
    // The notes that go to files, noting in outcome the files kept aside.
    std::vector<Plan> PlanNotes(const std::vector<KeyedNote>& notes, SaveOutcome& outcome);
    // The notes read or written before that are no longer among notes; a file of theirs
    // another program replaced or removed is forgotten.
    std::vector<NoteKey> GoneNotes(const std::vector<KeyedNote>& notes);
    // Numbers the plans in order, around the numbers of files that are not the store's.
    void AssignTargets(std::vector<Plan>& plans);
    // Renames kept files to their targets; 0 or an error number.
    int Renumber(const std::vector<Plan>& plans);
    // Writes name's new content beside it, retires the old file (only when replacing one
    // of the store's), puts the new one in place.
    bool Replace(const std::wstring& name, const std::string& bytes, bool replacing, bool recycle,
                 SaveOutcome& outcome);
    bool Retire(const std::wstring& name, bool recycle, SaveOutcome& outcome);
    // Puts in place new versions whose old file is gone; 0 or the error of the first that
    // cannot be.
    int PlacePending();

    NoteFolder& folder_;
    std::map<NoteKey, Tracked> tracked_;
};

}  // namespace pindorel
