// Quillard's model paths: loading a set file of 1,000 sets, and showing, marking, taking
// back and clearing a set at the question cap with nine choices (headless forms).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "answer_form.h"
#include "core/text.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "set_store.h"
#include "testkit/temp_dir.h"

namespace {

using namespace quillard;

class Program {
  public:
    explicit Program(const std::wstring& setFileText) {
        host.program.directory = folder.Dir().wstring();
        host.program.exeName = L"Quillard";
        folder.Write(L"Quillard.csv", core::ToCp932(setFileText));
        app = std::make_unique<forms::App>(host);
    }
    testkit::TempDir folder{"quillard-bench"};
    headless::TestHost host;
    std::unique_ptr<forms::App> app;
};

std::wstring ThousandSets() {
    std::wstring text;
    for (int i = 1; i <= 1000; ++i) {
        std::wstring answers;
        for (int q = 0; q < 40; ++q) {
            answers += static_cast<wchar_t>(L'1' + (i + q) % 4);
        }
        text += L"\"英語 単語テスト 第" + std::to_wstring(i) + L"回\",\"アイウエ\",\"" + answers +
                L"\"\r\n";
    }
    return text;
}

std::wstring CapSet() {
    std::wstring answers;
    for (int q = 0; q < kMaxQuestions; ++q) {
        answers += static_cast<wchar_t>(L'1' + q % 9);
    }
    return L"\"cap\",\"アイウエオカキクケ\",\"" + answers + L"\"\r\n\"short\",\"アイ\",\"12\"\r\n";
}

void BM_LoadThousandSets(benchmark::State& state) {
    Program program(ThousandSets());
    for (auto _ : state) {
        SetStore store;
        benchmark::DoNotOptimize(LoadQuestionSets(store));
        if (store.sets.size() != 1000) {
            state.SkipWithError("not all sets read");
        }
    }
}
BENCHMARK(BM_LoadThousandSets)->Unit(benchmark::kMillisecond);

// A sheet at the cap with every question ticked on its first choice.
struct CapSheet {
    CapSheet() : program(CapSet()) {
        form.Show();
        Choose(0);
    }
    void Choose(int index) { headless::ChooseItem(form.Combo1, index); }
    void TickAll() {
        for (int q = 1; q <= kMaxQuestions; ++q) {
            form.Check1[BoxNumber(q, 1)].SetValue(1);
        }
    }
    Program program;
    AnswerForm form;
};

void BM_ChooseCapSet(benchmark::State& state) {
    CapSheet sheet;
    for (auto _ : state) {
        sheet.Choose(1);
        sheet.Choose(0);
    }
}
BENCHMARK(BM_ChooseCapSet)->Unit(benchmark::kMillisecond);

void BM_MarkCapSet(benchmark::State& state) {
    CapSheet sheet;
    sheet.TickAll();
    for (auto _ : state) {
        headless::Click(sheet.form.Command1);
        state.PauseTiming();
        headless::Click(sheet.form.Command2[0]);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MarkCapSet)->Unit(benchmark::kMillisecond);

void BM_TakeBackCapSet(benchmark::State& state) {
    CapSheet sheet;
    sheet.TickAll();
    for (auto _ : state) {
        state.PauseTiming();
        headless::Click(sheet.form.Command1);
        state.ResumeTiming();
        headless::Click(sheet.form.Command2[0]);
    }
}
BENCHMARK(BM_TakeBackCapSet)->Unit(benchmark::kMillisecond);

void BM_ClearCapSet(benchmark::State& state) {
    CapSheet sheet;
    for (auto _ : state) {
        state.PauseTiming();
        sheet.TickAll();
        headless::Click(sheet.form.Command1);
        state.ResumeTiming();
        headless::Click(sheet.form.Command2[1]);
    }
}
BENCHMARK(BM_ClearCapSet)->Unit(benchmark::kMillisecond);

}  // namespace
