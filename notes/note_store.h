// The note files beside the program: "TagData<n>.dat", one note each, numbered 1..N in the
// order of the notes. Loading reads them in numeric order; saving writes only the notes that
// differ from what is on disk, never destroys a file before its replacement is complete,
// and never touches a file it cannot read.
#pragma once

#include <map>
#include <optional>
#include <set>
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

struct StoredNote {
    std::wstring name;
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
};

class NoteStore {
  public:
    explicit NoteStore(NoteFolder& folder) : folder_(folder) {}

    // Finishes or undoes what a save that was cut short left behind: a completed new
    // version whose old file is gone takes its place; one whose old file is still there is
    // dropped (the old file is the last saved state); half-written files are removed.
    // Returns the new versions that could not be put in place: they stay as they are.
    std::vector<std::wstring> Recover();

    // Reads the notes. A file that cannot be read now is kept out of every later save of
    // this store: it is never written over, renamed or deleted, even once it can be read.
    FolderScan Load();

    // Brings the files in line with notes (in order), writing only what differs. Files
    // that cannot be read keep their place in the numbering and are never written over or
    // deleted; a file this store read or wrote that is held by another program for now
    // keeps its note. Stops at the first failure; every note is then still in a file of
    // its own or in a completed new version, which the next save or start puts in place.
    SaveOutcome Save(const std::vector<NoteRecord>& notes, bool recycle);

  private:
    struct Slot {
        std::wstring name;
        std::optional<std::string> bytes;  // set when the file holds a sound note
    };
    std::vector<Slot> ReadSlots();
    // Renames files so that slot j is "TagData<j>.dat"; 0 or an error number.
    int Renumber(std::vector<Slot>& slots);
    // Writes name's new content beside it, retires the old file, puts the new one in place.
    bool Replace(const std::wstring& name, const std::string& bytes, bool recycle,
                 SaveOutcome& outcome);
    bool Retire(const std::wstring& name, bool recycle, SaveOutcome& outcome);
    // Puts in place new versions whose old file is gone; 0 or the error of the first that
    // cannot be.
    int PlacePending();
    void NoteRenamed(const std::wstring& from, const std::wstring& to);

    NoteFolder& folder_;
    std::set<std::wstring> untouchable_;        // could not be read when first seen
    std::map<std::wstring, std::string> ours_;  // last read or written by this store
};

}  // namespace pindorel
