// Any bytes as a note file: the reader never reads out of bounds, and a record it accepts
// is written back in a form that reads the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "note_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const pindorel::DecodedNote decoded =
        pindorel::DecodeNote(std::string_view(reinterpret_cast<const char*>(data), size));
    if (decoded.damage != pindorel::NoteDamage::None) {
        return 0;
    }
    const std::string once = pindorel::EncodeNote(decoded.record);
    const pindorel::DecodedNote again = pindorel::DecodeNote(once);
    if (again.damage != pindorel::NoteDamage::None || pindorel::EncodeNote(again.record) != once) {
        std::abort();
    }
    return 0;
}
