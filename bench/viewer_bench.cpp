// The source pane's hot paths on a 100 MB text, each beside its public
// baseline in the same run:
// - an EUC-JP file's bytes into the UTF-8 text the pane holds (detection,
//   conversion to Shift-JIS, then UTF-8 in pieces), beside iconv going
//   from EUC-JP to UTF-8 in one call;
// - find next over the pane's text without regard to case, beside
//   std::string_view::find (memmem-like, case-sensitive).

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "bench_text.h"
#include "text/cp932.h"
#include "viewer/source_text.h"
#include "viewer/text_search.h"

namespace {

constexpr std::size_t kTextSize = 100 * 1024 * 1024;

std::string Iconv(const char* to, const char* from, std::string_view input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
    std::string out(input.size() * 2, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) throw std::runtime_error("iconv");
    out.resize(out.size() - outLeft);
    iconv_close(cd);
    return out;
}

const std::string& EucText() {
    static const std::string text = Iconv("EUC-JP", "CP932", kelmio::bench::JapaneseText(kTextSize));
    return text;
}

const std::string& PaneText() {
    static const std::string text = kelmio::Cp932ToUtf8(kelmio::bench::JapaneseText(kTextSize));
    return text;
}

void BM_EucSourceToPaneText(benchmark::State& state) {
    const std::string& euc = EucText();
    std::string pane;
    pane.reserve(euc.size() * 2);
    for (auto _ : state) {
        pane.clear();
        kelmio::LoadedTextSource source = kelmio::LoadTextSourceBytes(euc);
        kelmio::ForEachPaneChunk(source.text, 1 << 20, [&pane](std::string_view piece) { pane.append(piece); });
        benchmark::DoNotOptimize(pane.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * euc.size()));
}
BENCHMARK(BM_EucSourceToPaneText)->Unit(benchmark::kMillisecond);

void BM_EucSourceToPaneText_Iconv(benchmark::State& state) {
    const std::string& euc = EucText();
    for (auto _ : state) {
        std::string pane = Iconv("UTF-8", "EUC-JP", euc);
        benchmark::DoNotOptimize(pane.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * euc.size()));
}
BENCHMARK(BM_EucSourceToPaneText_Iconv)->Unit(benchmark::kMillisecond);

// A word that is not in the text, so the whole text is searched.
constexpr std::string_view kMissingWord = "翻訳支援ツール";

void BM_FindNextInPane(benchmark::State& state) {
    const std::string& text = PaneText();
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::FindNoCase(text, 0, kMissingWord));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindNextInPane)->Unit(benchmark::kMillisecond);

void BM_FindNextInPane_StringViewFind(benchmark::State& state) {
    const std::string_view text = PaneText();
    for (auto _ : state) benchmark::DoNotOptimize(text.find(kMissingWord));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindNextInPane_StringViewFind)->Unit(benchmark::kMillisecond);

}  // namespace
