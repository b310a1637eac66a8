// The caret's Shift-JIS offset at the end of a 10 MB translation text, as
// the editor asks for it when a project is saved: the whole-prefix
// conversion (copy the widget's text, convert everything before the caret)
// against the per-line map, beside a plain count of the same UTF-8 bytes.
//
// The editor widget needs a display, so the map reads the text through
// CUtf8TextLines, which splits and copies lines as the widget does.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "bench_text.h"
#include "editor/sjis_offset_map.h"
#include "editor/text_offsets.h"
#include "text/cp932.h"

namespace {

constexpr std::size_t kTranslationSize = 10 * 1024 * 1024;

// The translation as the widget holds it: UTF-8.
const std::string& WidgetText() {
    static const std::string text = kelmio::Cp932ToUtf8(kelmio::bench::JapaneseText(kTranslationSize));
    return text;
}

void BM_CaretOffset_CountUtf8Bytes(benchmark::State& state) {
    const std::string& text = WidgetText();
    for (auto _ : state) {
        const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        });
        benchmark::DoNotOptimize(characters);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CaretOffset_CountUtf8Bytes)->Unit(benchmark::kMillisecond);

void BM_CaretOffset_WholePrefix(benchmark::State& state) {
    const std::string& text = WidgetText();
    for (auto _ : state) {
        const std::string copy = text;  // the widget hands out a copy of its text
        benchmark::DoNotOptimize(kelmio::SjisOffsetFromUtf8(copy, copy.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * WidgetText().size()));
}
BENCHMARK(BM_CaretOffset_WholePrefix)->Unit(benchmark::kMillisecond);

// Steady state: the line starts are known; one line is converted.
void BM_CaretOffset_LineMap(benchmark::State& state) {
    const std::string& text = WidgetText();
    const kelmio::CUtf8TextLines lines(text);
    kelmio::CSjisOffsetMap map(lines);
    map.SjisOffset(text.size());
    for (auto _ : state) benchmark::DoNotOptimize(map.SjisOffset(text.size()));
}
BENCHMARK(BM_CaretOffset_LineMap)->Unit(benchmark::kMicrosecond);

// Typing on the last line invalidates only that line's successors.
void BM_CaretOffset_LineMapAfterTypingOnTheLastLine(benchmark::State& state) {
    const std::string& text = WidgetText();
    const kelmio::CUtf8TextLines lines(text);
    kelmio::CSjisOffsetMap map(lines);
    map.SjisOffset(text.size());
    for (auto _ : state) {
        map.InvalidateFrom(lines.LineCount() - 1);
        benchmark::DoNotOptimize(map.SjisOffset(text.size()));
    }
}
BENCHMARK(BM_CaretOffset_LineMapAfterTypingOnTheLastLine)->Unit(benchmark::kMicrosecond);

// The worst case: an edit on the first line, so every line start is
// worked out again.
void BM_CaretOffset_LineMapAfterAnEditAtTheTop(benchmark::State& state) {
    const std::string& text = WidgetText();
    const kelmio::CUtf8TextLines lines(text);
    kelmio::CSjisOffsetMap map(lines);
    for (auto _ : state) {
        map.InvalidateFrom(0);
        benchmark::DoNotOptimize(map.SjisOffset(text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CaretOffset_LineMapAfterAnEditAtTheTop)->Unit(benchmark::kMillisecond);

// Placing the caret at the end: a binary search over whole-prefix
// conversions against the map.
void BM_PlaceCaret_WholePrefixSearch(benchmark::State& state) {
    const std::string& text = WidgetText();
    const std::size_t end = kelmio::SjisOffsetFromUtf8(text, text.size());
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::Utf8OffsetFromSjis(text, end));
}
BENCHMARK(BM_PlaceCaret_WholePrefixSearch)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlaceCaret_LineMap(benchmark::State& state) {
    const std::string& text = WidgetText();
    const kelmio::CUtf8TextLines lines(text);
    kelmio::CSjisOffsetMap map(lines);
    const std::size_t end = map.SjisOffset(text.size());
    for (auto _ : state) benchmark::DoNotOptimize(map.Utf8Position(end));
}
BENCHMARK(BM_PlaceCaret_LineMap)->Unit(benchmark::kMicrosecond);

}  // namespace
