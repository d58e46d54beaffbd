// The set-file reader on arbitrary bytes: it never crashes, and whatever it reads without
// an error is written and read back unchanged (unless a field holds a double quote, which
// the written line cannot carry).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/text.h"
#include "question_sets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quillard;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SetFileRead read = ParseSetFile(core::FromCp932(bytes));
    for (const QuestionSet& set : read.sets) {
        (void)SetEntry(set);
        for (int q = 1; q <= set.QuestionCount(); ++q) {
            if (set.CorrectChoice(q) < 0 || set.CorrectChoice(q) > kMaxChoices) {
                std::abort();
            }
        }
        if ((set.title + set.choices + set.answers).find(L'"') != std::wstring::npos) {
            return 0;
        }
    }
    if (read.error == 0) {
        const SetFileRead again = ParseSetFile(core::FromCp932(SetFileBytes(read.sets)));
        if (again.error != 0 || again.sets != read.sets) {
            std::abort();
        }
    }
    return 0;
}
