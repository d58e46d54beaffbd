#include "class_book.h"

#include <algorithm>

#include "core/files.h"
#include "core/text.h"
#include "forms/forms.h"

namespace quillard {

std::wstring ClassFilePath() {
    const forms::App& app = forms::App::Current();
    return core::AppFilePath(app.Path(), app.ExeName() + L"_results.csv");
}

void ClassBook::Load() {
    const std::wstring path = ClassFilePath();
    if (!core::FileExists(path)) {
        return;
    }
    const core::FileRead file = core::ReadFileBytes(path);
    ClassFileRead read;
    read.error = file.error;
    if (file.error == 0) {
        read = ParseClassFile(core::FromCp932(file.bytes));
    }
    readError_ = read.error;
    if (read.error != 0) {
        forms::MsgBox(L"ファイルの読み込みを失敗しました Err=" + std::to_wstring(read.error),
                      forms::kMbError);
        return;
    }
    records_ = std::move(read.records);
}

std::vector<const ClassRecord*> ClassBook::RecordsOf(std::wstring_view title) const {
    std::vector<const ClassRecord*> found;
    for (const ClassRecord& record : records_) {
        if (record.title == title) {
            found.push_back(&record);
        }
    }
    return found;
}

std::vector<ClassRecord>::const_iterator ClassBook::Find(std::wstring_view title,
                                                         std::wstring_view name) const {
    return std::find_if(records_.begin(), records_.end(), [&](const ClassRecord& record) {
        return record.title == title && record.name == name;
    });
}

bool ClassBook::Holds(std::wstring_view title, std::wstring_view name) const {
    return Find(title, name) != records_.end();
}

int ClassBook::Refresh() {
    if (readError_ != 0) {
        return readError_;
    }
    const std::wstring path = ClassFilePath();
    if (!core::FileExists(path)) {
        records_.clear();
        return 0;
    }
    const core::FileRead file = core::ReadFileBytes(path);
    if (file.error != 0) {
        return file.error;
    }
    ClassFileRead read = ParseClassFile(core::FromCp932(file.bytes));
    if (read.error != 0) {
        return read.error;
    }
    records_ = std::move(read.records);
    return 0;
}

int ClassBook::Store(ClassRecord record) {
    if (const int error = Refresh(); error != 0) {
        return error;
    }
    std::vector<ClassRecord> records = records_;
    const auto found = Find(record.title, record.name);
    if (found != records_.end()) {
        records[static_cast<size_t>(found - records_.begin())] = std::move(record);
    } else {
        records.push_back(std::move(record));
    }
    return Write(std::move(records));
}

int ClassBook::Remove(std::wstring_view title, std::wstring_view name) {
    if (const int error = Refresh(); error != 0) {
        return error;
    }
    std::vector<ClassRecord> records = records_;
    const auto found = Find(title, name);
    if (found != records_.end()) {
        records.erase(records.begin() + (found - records_.begin()));
    }
    return Write(std::move(records));
}

int ClassBook::Write(std::vector<ClassRecord> records) {
    if (readError_ != 0) {
        return readError_;
    }
    const int error = core::WriteFileReplacing(ClassFilePath(), ClassFileBytes(records));
    if (error == 0) {
        records_ = std::move(records);
    }
    return error;
}

}  // namespace quillard
