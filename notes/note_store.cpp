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
constexpr std::wstring_view kKeptAside =
    L"次の付箋のファイルは、実行中にほかのプログラムでも書き換えられていました。どちらの"
    L"内容も失わないように、ほかのプログラムの内容はそのまま別の付箋として残し、こちらの"
    L"内容は新しいファイルに保存しました。ほかのプログラムの内容は次回の起動時に表示されます。";
// "File already exists".
constexpr int kErrFileExists = 58;

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

std::wstring KeptAsideMessage(const std::vector<std::wstring>& names) {
    std::wstring text(kKeptAside);
    for (const std::wstring& name : names) {
        text += L"\r\n" + name;
    }
    return text;
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

FolderScan NoteStore::Load(NoteKey firstKey) {
    FolderScan scan;
    tracked_.clear();
    for (std::wstring& name : SortedNoteNames(folder_.Names())) {
        core::FileRead file = folder_.Read(name);
        DecodedNote decoded = DecodeNote(file.bytes);
        if (file.error != 0 || file.tooLarge || decoded.damage != NoteDamage::None) {
            scan.damaged.push_back(std::move(name));
            continue;
        }
        const NoteKey key = firstKey + scan.notes.size();
        tracked_[key] = {name, std::move(file.bytes)};
        scan.notes.push_back({std::move(name), std::move(decoded.record), key});
    }
    return scan;
}

NoteStore::FileState NoteStore::StateOf(const Tracked& tracked) {
    if (tracked.name.empty() || !folder_.Exists(tracked.name)) {
        return FileState::Gone;
    }
    const core::FileRead file = folder_.Read(tracked.name);
    if (file.error != 0 && !file.tooLarge) {
        return FileState::Ours;  // held by another program for now: still this note's file
    }
    return file.bytes == tracked.bytes ? FileState::Ours : FileState::Changed;
}

// A note of this save: the store's file it is in now (if any), the file it goes to, and
// whether its content is written.
struct NoteStore::Plan {
    NoteKey key = 0;
    std::string bytes;
    std::wstring current;
    std::wstring target;
    bool write = false;
};

void NoteStore::AssignTargets(std::vector<Plan>& plans) {
    // Numbers of note files that are not the store's are kept out of the numbering.
    std::set<int> taken;
    for (const std::wstring& name : folder_.Names()) {
        const bool ours = std::any_of(plans.begin(), plans.end(), [&](const Plan& plan) {
            return EqualNoCase(plan.current, name);
        });
        if (const std::optional<int> number = NoteNumber(name); number && !ours) {
            taken.insert(*number);
        }
    }
    int number = 1;
    for (Plan& plan : plans) {
        while (taken.count(number) != 0) {
            ++number;
        }
        plan.target = NoteFileName(number++);
    }
}

int NoteStore::Renumber(const std::vector<Plan>& plans) {
    // Files stay in the order of their notes, so a target below a file's number is free
    // once the files before it moved down, and one above it once the files after it moved
    // up: down first, in order, then up, in reverse order.
    const auto move = [&](const Plan& plan, bool down) {
        if (plan.current.empty() || EqualNoCase(plan.current, plan.target) ||
            (NoteNumber(plan.current).value_or(INT32_MAX) > *NoteNumber(plan.target)) != down) {
            return 0;
        }
        if (const int error = folder_.Rename(plan.current, plan.target)) {
            return error;
        }
        tracked_[plan.key].name = plan.target;
        return 0;
    };
    for (const Plan& plan : plans) {
        if (const int error = move(plan, true)) {
            return error;
        }
    }
    for (auto it = plans.rbegin(); it != plans.rend(); ++it) {
        if (const int error = move(*it, false)) {
            return error;
        }
    }
    return 0;
}

bool NoteStore::Retire(const std::wstring& name, bool recycle, SaveOutcome& outcome) {
    if (folder_.Retire(name, recycle) != 0) {
        outcome.failed = true;
        outcome.error = 0;
        return false;
    }
    outcome.retired.push_back(name);
    return true;
}

bool NoteStore::Replace(const std::wstring& name, const std::string& bytes, bool replacing,
                        bool recycle, SaveOutcome& outcome) {
    const std::wstring pending = name + std::wstring(kPendingSuffix);
    const auto fail = [&](int error) {
        outcome.failed = true;
        outcome.error = error;
        return false;
    };
    if (!replacing && folder_.Exists(name)) {
        return fail(kErrFileExists);  // another program took the number just now
    }
    if (const int error = folder_.Write(pending, bytes)) {
        return fail(error);
    }
    if (replacing && folder_.Exists(name) && !Retire(name, recycle, outcome)) {
        folder_.Remove(pending);
        return false;
    }
    if (const int error = folder_.Rename(pending, name)) {
        // The new version stays complete beside the retired name; the next save or start
        // puts it in place.
        return fail(error);
    }
    outcome.written.push_back(name);
    return true;
}

std::vector<NoteStore::Plan> NoteStore::PlanNotes(const std::vector<KeyedNote>& notes,
                                                  SaveOutcome& outcome) {
    std::vector<Plan> plans;
    for (const KeyedNote& note : notes) {
        Plan plan{note.key, EncodeNote(note.record), L"", L"", true};
        if (const auto it = tracked_.find(note.key); it != tracked_.end()) {
            Tracked& tracked = it->second;
            const FileState state = StateOf(tracked);
            plan.write = !SameNote(plan.bytes, tracked.bytes);
            if (state == FileState::Changed && plan.write) {
                outcome.keptAside.push_back(tracked.name);
            }
            if (state != FileState::Ours) {
                tracked.name.clear();  // what is there now is another program's
            }
            plan.current = tracked.name;
            if (!plan.write && plan.current.empty()) {
                continue;  // unchanged here: what the other program left stands
            }
        }
        plans.push_back(std::move(plan));
    }
    return plans;
}

std::vector<NoteKey> NoteStore::GoneNotes(const std::vector<KeyedNote>& notes) {
    std::set<NoteKey> present;
    for (const KeyedNote& note : notes) {
        present.insert(note.key);
    }
    std::vector<NoteKey> gone;
    for (auto& [key, tracked] : tracked_) {
        if (present.count(key) != 0) {
            continue;
        }
        if (StateOf(tracked) != FileState::Ours) {
            tracked.name.clear();  // replaced or removed by another program: not ours
        }
        gone.push_back(key);
    }
    return gone;
}

SaveOutcome NoteStore::Save(const std::vector<KeyedNote>& notes, bool recycle) {
    SaveOutcome outcome;
    // A new version whose old file is gone is the only copy of its note: in place before
    // its number can be given to another note.
    if (const int error = PlacePending()) {
        outcome.failed = true;
        outcome.error = error;
        return outcome;
    }
    std::vector<Plan> plans = PlanNotes(notes, outcome);
    const std::vector<NoteKey> gone = GoneNotes(notes);
    const bool due =
        std::any_of(plans.begin(), plans.end(), [](const Plan& plan) { return plan.write; }) ||
        std::any_of(gone.begin(), gone.end(),
                    [&](NoteKey key) { return !tracked_[key].name.empty(); });
    if (!due) {
        return outcome;
    }
    for (const NoteKey key : gone) {
        const std::wstring& name = tracked_[key].name;
        if (!name.empty() && !Retire(name, recycle, outcome)) {
            return outcome;
        }
        tracked_.erase(key);
    }
    AssignTargets(plans);
    if (const int error = Renumber(plans)) {
        outcome.failed = true;
        outcome.error = error;
        return outcome;
    }
    for (const Plan& plan : plans) {
        if (!plan.write) {
            continue;
        }
        const bool written =
            Replace(plan.target, plan.bytes, !plan.current.empty(), recycle, outcome);
        const bool pending = !written &&
                             folder_.Exists(plan.target + std::wstring(kPendingSuffix)) &&
                             !folder_.Exists(plan.target);
        if (written || pending) {
            tracked_[plan.key] = {plan.target, plan.bytes};  // a pending version: placed next
        }
        if (!written) {
            return outcome;
        }
    }
    return outcome;
}

}  // namespace pindorel
