// The note store with 200 notes: loading them all, saving after one changed, saving with
// no change.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "note_store.h"
#include "testkit/temp_dir.h"

namespace {

constexpr int kNotes = 200;

std::vector<pindorel::KeyedNote> Notes() {
    std::vector<pindorel::KeyedNote> notes;
    for (int i = 0; i < kNotes; ++i) {
        pindorel::NoteRecord r;
        r.left = float(i * 15);
        r.top = float(i * 30);
        r.width = 2880;
        r.height = 2160;
        r.font = {L"ＭＳ Ｐゴシック", 9, 0, 0, 0, 0, 0};
        r.backColor = 0x99FFFF;
        r.text = L"付箋 " + std::to_wstring(i) + L"\r\n" + std::wstring(200, L'あ');
        notes.push_back({size_t(i), std::move(r)});
    }
    return notes;
}

struct Folder {
    testkit::TempDir dir{"pindorel-bench"};
    pindorel::DiskFolder folder{dir.Dir().wstring(), [](const std::wstring& path, int16_t) {
                                    std::string native(path.begin(), path.end());
                                    for (char& c : native) {
                                        c = c == '\\' ? '/' : c;
                                    }
                                    return std::filesystem::remove(native) ? 0 : 2;
                                }};
    pindorel::NoteStore store{folder};
    std::vector<pindorel::KeyedNote> notes = Notes();
    Folder() {
        if (store.Save(notes, false).written.size() != kNotes) {
            throw std::runtime_error("setting up the folder failed");
        }
    }
};

void BM_LoadTwoHundredNotes(benchmark::State& state) {
    Folder f;
    for (auto _ : state) {
        const pindorel::FolderScan scan = f.store.Load();
        if (scan.notes.size() != kNotes) {
            state.SkipWithError("not every note loaded");
        }
    }
}
BENCHMARK(BM_LoadTwoHundredNotes)->Unit(benchmark::kMillisecond);

void BM_SaveOneChangedOfTwoHundred(benchmark::State& state) {
    Folder f;
    for (auto _ : state) {
        f.notes[117].record.left += 15;
        const pindorel::SaveOutcome outcome = f.store.Save(f.notes, false);
        if (outcome.written.size() != 1) {
            state.SkipWithError("the save did not write exactly one file");
        }
    }
}
BENCHMARK(BM_SaveOneChangedOfTwoHundred)->Unit(benchmark::kMillisecond);

void BM_SaveUnchangedTwoHundred(benchmark::State& state) {
    Folder f;
    for (auto _ : state) {
        if (!f.store.Save(f.notes, false).written.empty()) {
            state.SkipWithError("an unchanged save wrote a file");
        }
    }
}
BENCHMARK(BM_SaveUnchangedTwoHundred)->Unit(benchmark::kMillisecond);

}  // namespace
