// The class-file reader on arbitrary bytes: it never crashes, what it reads without an error
// holds digit-only choices, and the records written again read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "class_records.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quillard;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ClassFileRead read = ParseClassFile(core::FromCp932(bytes));
    if (read.error != 0) {
        return 0;
    }
    for (const ClassRecord& record : read.records) {
        for (wchar_t c : record.choices) {
            if (c < L'0' || c > L'9') {
                std::abort();
            }
        }
        // A character the code page cannot hold is written as another one.
        const std::wstring fields = record.title + record.name + record.recorded;
        if (core::FromCp932(core::ToCp932(fields)) != fields) {
            return 0;
        }
    }
    const ClassFileRead again = ParseClassFile(core::FromCp932(ClassFileBytes(read.records)));
    if (again.error != 0 || again.records != read.records) {
        std::abort();
    }
    return 0;
}
