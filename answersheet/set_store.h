// The program-wide sets: read once at start from the set file beside the program, and
// written whole by the editor.
#pragma once

#include <string>
#include <vector>

#include "question_sets.h"

namespace quillard {

struct SetStore {
    std::vector<QuestionSet> sets;  // in file order
    // The grid's size: the most choice columns (at most kMaxChoices) and the most questions
    // of the sets it can show (those within kMaxQuestions).
    int maxChoiceCount = 0;
    int maxQuestionCount = 0;
    // False after a read error: the file holds more than the sets read.
    bool readWhole = true;
    // Set once the editor has written the file.
    bool setsSaved = false;

    // Whether the grid can show the set (it has at most kMaxQuestions questions).
    static bool Showable(const QuestionSet& set) { return set.QuestionCount() <= kMaxQuestions; }
};

// "<program folder>\<program name>.csv".
std::wstring SetFilePath();

// Reads the set file into the store. True when the file is missing or could not be read
// whole (a read error is reported to the user); false when it was read, possibly empty.
// Sets too long for the grid are reported once and kept (the editor lists and keeps them).
bool LoadQuestionSets(SetStore& store);

// Where the file that could not be read is kept before the editor writes over it.
std::wstring BackupPath(const std::wstring& setFile);

// Writes the sets as the new set file (beside the old one, then replacing it). When the old
// file was not read whole, its bytes are first kept at BackupPath. 0 or an error number.
int SaveQuestionSets(const std::wstring& setFile, const std::vector<QuestionSet>& sets,
                     bool keepBackup);

}  // namespace quillard
