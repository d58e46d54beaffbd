#include "set_store.h"

#include <algorithm>

#include "core/files.h"
#include "core/text.h"
#include "forms/forms.h"

namespace quillard {

namespace {

void ReportTooLong(const std::vector<QuestionSet>& sets) {
    std::wstring titles;
    for (const QuestionSet& set : sets) {
        if (!SetStore::Showable(set)) {
            titles += L"\r\n" + set.title;
        }
    }
    if (!titles.empty()) {
        forms::MsgBox(L"問題が " + std::to_wstring(kMaxQuestions) +
                          L" 問を超えるため、次のセットは表示できません。" + titles,
                      forms::kMbError);
    }
}

}  // namespace

std::wstring SetFilePath() {
    const forms::App& app = forms::App::Current();
    return core::AppFilePath(app.Path(), app.ExeName() + L".csv");
}

bool LoadQuestionSets(SetStore& store) {
    const std::wstring path = SetFilePath();
    if (!core::FileExists(path)) {
        return true;
    }
    store.sets.clear();
    store.maxChoiceCount = 0;
    store.maxQuestionCount = 0;
    const core::FileRead file = core::ReadFileBytes(path);
    SetFileRead read;
    read.error = file.error;
    if (file.error == 0) {
        read = ParseSetFile(core::FromCp932(file.bytes));
    }
    store.sets = std::move(read.sets);
    if (read.error != 0) {
        store.readWhole = false;
        forms::MsgBox(L"ファイルの読み込みを失敗しました Err=" + std::to_wstring(read.error),
                      forms::kMbError);
        return true;
    }
    for (const QuestionSet& set : store.sets) {
        if (SetStore::Showable(set)) {
            store.maxChoiceCount =
                std::max(store.maxChoiceCount, std::min(set.ChoiceCount(), kMaxChoices));
            store.maxQuestionCount = std::max(store.maxQuestionCount, set.QuestionCount());
        }
    }
    ReportTooLong(store.sets);
    return false;
}

std::wstring BackupPath(const std::wstring& setFile) {
    return setFile + L".bak";
}

int SaveQuestionSets(const std::wstring& setFile, const std::vector<QuestionSet>& sets,
                     bool keepBackup) {
    if (keepBackup && core::FileExists(setFile)) {
        const core::FileRead old = core::ReadFileBytes(setFile);
        const int error =
            old.error != 0 ? old.error : core::WriteFileReplacing(BackupPath(setFile), old.bytes);
        if (error != 0) {
            return error;
        }
    }
    return core::WriteFileReplacing(setFile, SetFileBytes(sets));
}

}  // namespace quillard
