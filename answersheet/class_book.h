// The program's class records: read once at start from the class file beside the program,
// and written whole (crash-safe) at every change. A file that could not be read whole is
// never written over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "class_records.h"

namespace quillard {

// "<program folder>\<program name>_results.csv".
std::wstring ClassFilePath();

class ClassBook {
  public:
    // Reads the class file; a read error is reported to the user here, once. A missing file
    // holds no records.
    void Load();

    // The records of the set with this title, in record order.
    std::vector<const ClassRecord*> RecordsOf(std::wstring_view title) const;
    bool Holds(std::wstring_view title, std::wstring_view name) const;

    // Writes the record in place of the set's record of that name, or after all others,
    // into the file as it is now (another copy of the program may have added records since
    // it was read). 0, or the error number (the read error's for a file that cannot be read
    // whole, which is then not written over); the records in memory change only when the
    // file was written.
    int Store(ClassRecord record);
    int Remove(std::wstring_view title, std::wstring_view name);

    // Reads the file again, as another copy of the program may have changed it: before a
    // change and when the class window opens. 0, or the read error (the records in memory
    // then stay).
    int Refresh();

  private:
    std::vector<ClassRecord>::const_iterator Find(std::wstring_view title,
                                                  std::wstring_view name) const;
    int Write(std::vector<ClassRecord> records);

    std::vector<ClassRecord> records_;
    int readError_ = 0;
};

}  // namespace quillard
