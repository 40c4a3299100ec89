// Speed of the language data: parsing a 1 MB language file (the shipped English
// file's sections repeated under new names, as a large translation would be) and
// one Apply of the main window with the German file. Goals: under 20 ms and under
// 1 ms on a build without sanitizers.
#include <benchmark/benchmark.h>

#include <string>

#include "localisation/MainWindowHarness.h"

namespace tallow::testing {
namespace {

std::string OneMegabyteLanguage() {
    const std::string english = ShippedLanguage("English");
    std::string text;
    for (int copy = 0; text.size() < (1u << 20); ++copy) {
        const std::string marker = std::to_string(copy);
        for (size_t from = 0, at; (at = english.find("\n[", from)) != std::string::npos; from = at + 2) {
            text.append(english, from, at + 2 - from);
            text += 'C';
            text += marker;
        }
        text.append(english, english.rfind("\n[") + 2, std::string::npos);
    }
    return text;
}

void BM_ParseOneMegabyteFile(benchmark::State& state) {
    const std::string text = OneMegabyteLanguage();
    for (auto _ : state) {
        TCLMultiLangLan lan;
        lan.LoadFromText(text);
        std::string value;
        benchmark::DoNotOptimize(lan.ReadText("C7TfrmMain", "", "btnClearAll.Caption", value));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseOneMegabyteFile)->Unit(benchmark::kMillisecond);

void BM_ApplyMainWindow(benchmark::State& state) {
    MainWindowHarness harness;
    TfrmMain& window = harness.Window();
    window.clmltlngdt1->LoadLanguageFile(harness.PutLanguage("German"));
    for (auto _ : state)
        window.smLanguage->Apply();
}
BENCHMARK(BM_ApplyMainWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tallow::testing

BENCHMARK_MAIN();
