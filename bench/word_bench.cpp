// The word at the caret, with the caret at the end of a 10 MB text, beside a
// memchr pass over the same buffer (the cheapest possible full scan).

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench_text.h"
#include "text/word.h"

namespace {

constexpr std::size_t kTextSize = 10 * 1024 * 1024;

void BM_GetWordAtEnd(benchmark::State& state) {
    const std::string& text = kelmio::bench::JapaneseText(kTextSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelmio::GetWordAt(text, text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_GetWordAtEnd)->Unit(benchmark::kMillisecond);

void BM_MemchrBaseline(benchmark::State& state) {
    const std::string& text = kelmio::bench::JapaneseText(kTextSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::memchr(text.data(), '\0', text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_MemchrBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
