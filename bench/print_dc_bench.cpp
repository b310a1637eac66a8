// Printing 10 MiB of Japanese text on the real print path: the toolkit's
// device context (a memory DC, as the print preview draws on) with the
// editor's font, through the translation printout and its print device.
// Beside it, in the same run, one plain pass adding up the same text's
// character widths from a table (the least any layout must do).
// Needs a display: run under xvfb-run.

#include <benchmark/benchmark.h>
#include <wx/dcmemory.h>
#include <wx/app.h>

#include <limits>
#include <string>

#include "bench_text.h"
#include "compare.h"
#include "editor/text_print_job.h"
#include "gui/editor/print_device_dc.h"
#include "gui/editor/translation_printout.h"
#include "text/sjis.h"
#include "wx_bench_main.h"

namespace {

using kelmio::bench::RunInterleaved;

constexpr std::size_t kTextSize = 10 * 1024 * 1024;
constexpr int kPageWidth = 794;  // A4 at 96 pixels to the inch
constexpr int kPageHeight = 1123;

kelmio::CPrintSource Source() {
    kelmio::CPrintSource source;
    source.strText = kelmio::bench::JapaneseText(kTextSize);
    source.strFontFace = "Noto Sans Mono CJK JP";
    source.dFontPoints = 10.5;
    return source;
}

// The width-sum baseline over the same text.
void SumWidths(const std::string& text) {
    static const std::array<int, 256> single = [] {
        std::array<int, 256> widths{};
        widths.fill(7);
        return widths;
    }();
    long long x = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = kelmio::CharLengthAt(text, i);
        x += length == 2 ? 14 : single[static_cast<unsigned char>(text[i])];
        i += length;
    }
    benchmark::DoNotOptimize(x);
}

struct CPage {
    CPage() : bitmap(kPageWidth, kPageHeight), dc(bitmap) {}
    wxBitmap bitmap;
    wxMemoryDC dc;
};

void Describe(kelmio::CTranslationPrintout& printout, CPage& page) {
    printout.SetUp(page.dc);
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(96, 96);
    printout.SetPageSizePixels(kPageWidth, kPageHeight);
    printout.SetPageSizeMM(210, 297);
    printout.SetPaperRectPixels(wxRect(0, 0, kPageWidth, kPageHeight));
}

// Every page laid out, as the print dialog needs for its page count.
void BM_PaginateOnDc(benchmark::State& state) {
    const kelmio::CPrintSource source = Source();
    int pages = 0;
    const auto ours = [&] {
        kelmio::CTranslationPrintout printout("bench", source, kelmio::CPrintMargins{});
        CPage page;
        Describe(printout, page);
        printout.OnPreparePrinting();
        pages = printout.PageCount();
        printout.SetDC(nullptr);
    };
    RunInterleaved(state, source.strText.size(), ours, {{"width_sum", [&] { SumWidths(source.strText); }}});
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PaginateOnDc)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The first page drawn with a fresh device, as a preview that lays out
// only up to the page it shows: page 1's layout and drawing.
void BM_FirstPageOnDc(benchmark::State& state) {
    const kelmio::CPrintSource source = Source();
    const auto ours = [&] {
        CPage page;
        page.dc.SetFont(wxFont(wxFontInfo(source.dFontPoints).FaceName(source.strFontFace)));
        kelmio::CDcPrintDevice device(page.dc, {210, 297, kPageWidth, kPageHeight, 0, 0});
        kelmio::CTextPrintJob job(kelmio::CPrintMargins{}, source.nTabSize);
        job.Start();
        job.PrintPage(device, source.strText, 1);
        benchmark::DoNotOptimize(job.PageStarts().data());
    };
    RunInterleaved(state, source.strText.size(), ours, {{"width_sum", [&] { SumWidths(source.strText); }}});
}
BENCHMARK(BM_FirstPageOnDc)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return kelmio::bench::RunWxBenchmarks(argc, argv); }
