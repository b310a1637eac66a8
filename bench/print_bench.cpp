// Laying out every printed page of a 10 MiB Japanese translation without
// drawing (what a jump to the last page of the preview costs), beside one
// plain pass that adds up the same character widths (the least any layout
// must do), in the same run. The device measures like a fixed-pitch
// printer font. kelmio-print-bench does the same on the toolkit's device.
//
// And what the print preview of a 4.8 MB translation costs before page 1
// shows: it used to lay out every page first; now it lays out page 1, finds
// where page 2 begins and draws page 1 (the other pages are counted while
// the window is idle, a few at a time).

#include <benchmark/benchmark.h>

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "bench_text.h"
#include "compare.h"
#include "editor/text_print_job.h"
#include "text/sjis.h"

namespace {

constexpr std::size_t kTextSize = 10 * 1024 * 1024;
constexpr int kCharWidth = 50;  // 10.5 points at 600 dpi, roughly

class CFixedPitchDevice final : public kelmio::CPrintDevice {
public:
    kelmio::CPrintTextMetrics GetTextMetrics() const override { return {88, 10, kCharWidth}; }
    std::array<int, 256> GetCharWidths() const override {
        std::array<int, 256> widths{};
        widths.fill(kCharWidth);
        return widths;
    }
    int GetDoubleByteWidth(unsigned char, unsigned char) const override { return 2 * kCharWidth; }
    int GetDefaultTabWidth() const override { return 8 * kCharWidth; }
    int GetTabbedTextWidth(std::string_view text, int nTabStop) const override {
        int x = 0;
        for (std::size_t i = 0; i < text.size(); i += kelmio::CharLengthAt(text, i)) {
            x = text[i] == '\t' ? (x / nTabStop + 1) * nTabStop : x + kelmio::CharLengthAt(text, i) * kCharWidth;
        }
        return x;
    }
    void DrawTabbedText(int, int, std::string_view, int) override {}
    void SetClip(const kelmio::CPrintRect&) override {}
    void ClearClip() override {}
    kelmio::CPrintDeviceCaps GetDeviceCaps() const override { return {200, 287, 4724, 6778, 50, 50}; }
};

long long SumWidths(const std::string& text) {
    long long x = 0;
    for (std::size_t i = 0; i < text.size(); i += kelmio::CharLengthAt(text, i)) {
        x += kelmio::CharLengthAt(text, i) * kCharWidth;
    }
    return x;
}

void BM_PaginateWholeText(benchmark::State& state) {
    const std::string& text = kelmio::bench::JapaneseText(kTextSize);
    CFixedPitchDevice device;
    int pages = 0;
    const auto ours = [&] {
        kelmio::CTextPrintJob job(kelmio::CPrintMargins{}, 8);
        job.Start();
        job.PreparePage(device, text, std::numeric_limits<int>::max());
        pages = job.KnownPageCount();
        benchmark::DoNotOptimize(job.PageStarts().data());
    };
    kelmio::bench::RunInterleaved(state, text.size(), ours,
                                  {{"width_sum", [&] { benchmark::DoNotOptimize(SumWidths(text)); }}});
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PaginateWholeText)->UseManualTime()->Unit(benchmark::kMillisecond);

constexpr std::size_t kLargeTextSize = 4800 * 1024;

void BM_PreviewPageOne_LayOutEveryPageFirst(benchmark::State& state) {
    const std::string& text = kelmio::bench::JapaneseText(kLargeTextSize);
    CFixedPitchDevice device;
    int pages = 0;
    for (auto _ : state) {
        kelmio::CTextPrintJob job(kelmio::CPrintMargins{}, 8);
        job.Start();
        job.PreparePage(device, text, std::numeric_limits<int>::max());
        pages = job.KnownPageCount();
        job.PrintPage(device, text, 1);
        benchmark::DoNotOptimize(job.PageStarts().data());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewPageOne_LayOutEveryPageFirst)->Unit(benchmark::kMillisecond);

void BM_PreviewPageOne_Lazy(benchmark::State& state) {
    const std::string& text = kelmio::bench::JapaneseText(kLargeTextSize);
    CFixedPitchDevice device;
    for (auto _ : state) {
        kelmio::CTextPrintJob job(kelmio::CPrintMargins{}, 8);
        job.Start();
        job.PreparePage(device, text, 2);
        job.PrintPage(device, text, 1);
        benchmark::DoNotOptimize(job.PageStarts().data());
    }
}
BENCHMARK(BM_PreviewPageOne_Lazy)->Unit(benchmark::kMicrosecond);


}  // namespace
