#include "note_store.h"

#include <algorithm>
#include <set>

namespace pindorel {

namespace {

constexpr std::wstring_view kPrefix = L"TagData";
constexpr std::wstring_view kSuffix = L".dat";
// A completed new version waiting to replace its note file.
constexpr std::wstring_view kPendingSuffix = L".new";
// What the crash-safe write leaves when it is cut short.
constexpr std::wstring_view kPartialSuffix = L".new~";
constexpr size_t kMaxNumberDigits = 9;

wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsNoCase(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() && EqualNoCase(text.substr(0, start.size()), start);
}

bool EndsNoCase(std::wstring_view text, std::wstring_view end) {
    return text.size() >= end.size() && EqualNoCase(text.substr(text.size() - end.size()), end);
}

// The number of a canonical note name ("TagData12.dat", no leading zero), else nothing.
std::optional<int> NoteNumber(std::wstring_view name) {
    if (!IsNoteFileName(name)) {
        return std::nullopt;
    }
    const std::wstring_view digits =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.empty() || digits.size() > kMaxNumberDigits || digits[0] == L'0' ||
        !std::all_of(digits.begin(), digits.end(),
                     [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        return std::nullopt;
    }
    return std::stoi(std::wstring(digits));
}

}  // namespace

std::wstring NoteFileName(int number) {
    return std::wstring(kPrefix) + std::to_wstring(number) + std::wstring(kSuffix);
}

bool IsNoteFileName(std::wstring_view name) {
    return name.size() >= kPrefix.size() + kSuffix.size() && StartsNoCase(name, kPrefix) &&
           EndsNoCase(name, kSuffix);
}

std::vector<std::wstring> SortedNoteNames(std::vector<std::wstring> names) {
    struct Keyed {
        int number;  // INT_MAX for names without a canonical number
        std::wstring name;
    };
    std::vector<Keyed> keyed;
    std::set<int> seen;
    for (std::wstring& name : names) {
        if (!IsNoteFileName(name)) {
            continue;
        }
        std::optional<int> number = NoteNumber(name);
        if (number && !seen.insert(*number).second) {
            number.reset();  // a second spelling of a number (case) sorts with the others
        }
        keyed.push_back({number.value_or(INT32_MAX), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.number != b.number ? a.number < b.number : a.name < b.name;
    });
    std::vector<std::wstring> sorted;
    sorted.reserve(keyed.size());
    for (Keyed& entry : keyed) {
        sorted.push_back(std::move(entry.name));
    }
    return sorted;
}

std::vector<std::wstring> NoteStore::Recover() {
    std::vector<std::wstring> stuck;
    for (const std::wstring& name : folder_.Names()) {
        if (!StartsNoCase(name, kPrefix)) {
            continue;
        }
        if (EndsNoCase(name, kPartialSuffix)) {
            folder_.Remove(name);
            continue;
        }
        if (!EndsNoCase(name, kPendingSuffix)) {
            continue;
        }
        const std::wstring target = name.substr(0, name.size() - kPendingSuffix.size());
        if (!IsNoteFileName(target)) {
            continue;
        }
        if (folder_.Exists(target)) {
            folder_.Remove(name);
        } else if (folder_.Rename(name, target) != 0) {
            stuck.push_back(name);
        }
    }
    return stuck;
}

int NoteStore::PlacePending() {
    for (const std::wstring& name : folder_.Names()) {
        if (!StartsNoCase(name, kPrefix) || !EndsNoCase(name, kPendingSuffix)) {
            continue;
        }
        const std::wstring target = name.substr(0, name.size() - kPendingSuffix.size());
        if (!IsNoteFileName(target) || folder_.Exists(target)) {
            continue;
        }
        if (const int error = folder_.Rename(name, target)) {
            return error;
        }
    }
    return 0;
}

void NoteStore::NoteRenamed(const std::wstring& from, const std::wstring& to) {
    if (untouchable_.erase(from) != 0) {
        untouchable_.insert(to);
    }
    if (auto it = ours_.find(from); it != ours_.end()) {
        std::string bytes = std::move(it->second);
        ours_.erase(it);
        ours_[to] = std::move(bytes);
    }
}

FolderScan NoteStore::Load() {
    FolderScan scan;
    untouchable_.clear();
    ours_.clear();
    for (std::wstring& name : SortedNoteNames(folder_.Names())) {
        core::FileRead file = folder_.Read(name);
        DecodedNote decoded = DecodeNote(file.bytes);
        if (file.error != 0 || file.tooLarge || decoded.damage != NoteDamage::None) {
            untouchable_.insert(name);
            scan.damaged.push_back(std::move(name));
        } else {
            ours_[name] = std::move(file.bytes);
            scan.notes.push_back({std::move(name), std::move(decoded.record)});
        }
    }
    return scan;
}

std::vector<NoteStore::Slot> NoteStore::ReadSlots() {
    std::vector<Slot> slots;
    for (std::wstring& name : SortedNoteNames(folder_.Names())) {
        Slot slot{std::move(name), std::nullopt};
        if (untouchable_.count(slot.name) == 0) {
            core::FileRead file = folder_.Read(slot.name);
            const auto ours = ours_.find(slot.name);
            if (file.error == 0 && !file.tooLarge &&
                DecodeNote(file.bytes).damage == NoteDamage::None) {
                slot.bytes = ours_[slot.name] = std::move(file.bytes);
            } else if (file.error != 0 && !file.tooLarge && ours != ours_.end()) {
                slot.bytes = ours->second;  // held by another program for now: still this note
            } else {
                untouchable_.insert(slot.name);
            }
        }
        slots.push_back(std::move(slot));
    }
    return slots;
}

int NoteStore::Renumber(std::vector<Slot>& slots) {
    // Slot j's number is never above its current one, and every number between is free
    // by then, so each file moves once, straight to its final name: a run cut short at any
    // point leaves note files that load in the same order.
    for (size_t j = 0; j < slots.size(); ++j) {
        const std::wstring target = NoteFileName(int(j + 1));
        if (EqualNoCase(slots[j].name, target)) {
            continue;
        }
        if (const int error = folder_.Rename(slots[j].name, target)) {
            return error;
        }
        NoteRenamed(slots[j].name, target);
        slots[j].name = target;
    }
    return 0;
}

bool NoteStore::Retire(const std::wstring& name, bool recycle, SaveOutcome& outcome) {
    if (folder_.Retire(name, recycle) != 0) {
        outcome.failed = true;
        outcome.error = 0;
        return false;
    }
    ours_.erase(name);
    outcome.retired.push_back(name);
    return true;
}

bool NoteStore::Replace(const std::wstring& name, const std::string& bytes, bool recycle,
                        SaveOutcome& outcome) {
    const std::wstring pending = name + std::wstring(kPendingSuffix);
    if (const int error = folder_.Write(pending, bytes)) {
        outcome.failed = true;
        outcome.error = error;
        return false;
    }
    if (folder_.Exists(name) && !Retire(name, recycle, outcome)) {
        folder_.Remove(pending);
        return false;
    }
    if (const int error = folder_.Rename(pending, name)) {
        // The new version stays complete beside the retired name; Recover puts it in place.
        outcome.failed = true;
        outcome.error = error;
        return false;
    }
    ours_[name] = bytes;
    outcome.written.push_back(name);
    return true;
}

SaveOutcome NoteStore::Save(const std::vector<NoteRecord>& notes, bool recycle) {
    SaveOutcome outcome;
    // A new version whose old file is gone is the only copy of its note: in place before
    // its number can be given to another note.
    if (const int error = PlacePending()) {
        outcome.failed = true;
        outcome.error = error;
        return outcome;
    }
    std::vector<Slot> slots = ReadSlots();
    std::vector<std::string> encoded;
    encoded.reserve(notes.size());
    for (const NoteRecord& note : notes) {
        encoded.push_back(EncodeNote(note));
    }
    std::vector<size_t> sound;  // the slots holding readable notes
    for (size_t j = 0; j < slots.size(); ++j) {
        if (slots[j].bytes) {
            sound.push_back(j);
        }
    }
    const auto unchanged = [&](size_t i) {
        return i < sound.size() && SameNote(encoded[i], *slots[sound[i]].bytes);
    };
    bool allSame = sound.size() == encoded.size();
    for (size_t i = 0; allSame && i < encoded.size(); ++i) {
        allSame = unchanged(i);
    }
    if (allSame) {
        return outcome;
    }
    if (const int error = Renumber(slots)) {
        outcome.failed = true;
        outcome.error = error;
        return outcome;
    }
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (unchanged(i)) {
            continue;
        }
        const std::wstring name = i < sound.size()
                                      ? slots[sound[i]].name
                                      : NoteFileName(int(slots.size() + i - sound.size() + 1));
        if (!Replace(name, encoded[i], recycle, outcome)) {
            return outcome;
        }
    }
    for (size_t i = encoded.size(); i < sound.size(); ++i) {
        if (!Retire(slots[sound[i]].name, recycle, outcome)) {
            return outcome;
        }
    }
    return outcome;
}

}  // namespace pindorel
