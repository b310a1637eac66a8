// Reading and writing a 5 MB RTF of Japanese text with many short runs,
// beside the public baseline of copying the same bytes into a string and
// scanning them once for "\" (std::string and std::count), the least any
// reader or writer of the file must do.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "bench_text.h"
#include "text/cp932.h"
#include "viewer/rtf_codepage.h"
#include "viewer/rtf_reader.h"
#include "viewer/rtf_writer.h"

namespace {

constexpr std::size_t kRtfSize = 5 * 1024 * 1024;

// One line of bench text per paragraph, cut into runs of about a dozen
// characters that cycle through bold, colour, italic and a second font.
kelmio::CRtfDocument MakeDocument() {
    kelmio::CRtfDocument doc;
    const int gothic = doc.FontNumberFor("ＭＳ ゴシック", kelmio::kCharsetShiftJis);
    const int mincho = doc.FontNumberFor("ＭＳ 明朝", kelmio::kCharsetShiftJis);
    const int red = doc.ColorIndexFor({255, 0, 0});
    doc.m_nDefaultFont = gothic;
    doc.m_paragraphs.clear();
    const std::string lines = kelmio::Cp932ToUtf8(kelmio::bench::JapaneseText(64 * 1024));
    std::size_t written = 0;
    int kind = 0;
    while (written < kRtfSize) {
        std::size_t start = 0;
        while (start < lines.size()) {
            std::size_t end = lines.find("\r\n", start);
            if (end == std::string::npos) end = lines.size();
            kelmio::CRtfParagraph& paragraph = doc.m_paragraphs.emplace_back();
            paragraph.m_strEnd = "par";
            const std::string_view line(lines.data() + start, end - start);
            std::size_t pos = 0;
            while (pos < line.size()) {
                const std::size_t cut = std::min(line.size(), pos + 36);  // about 12 kanji in UTF-8
                std::size_t next = cut;
                while (next < line.size() && (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80) ++next;
                kelmio::CRtfCharFormat format;
                format.m_nFont = kind % 4 == 3 ? mincho : gothic;
                format.m_bBold = kind % 4 == 0;
                format.m_nColor = kind % 4 == 1 ? red : 0;
                format.m_bItalic = kind % 4 == 2;
                kelmio::CRtfDocument::AppendText(paragraph, line.substr(pos, next - pos), format);
                ++kind;
                pos = next;
            }
            start = end + 2;
        }
        written = kelmio::WriteRtf(doc).size();
    }
    doc.m_paragraphs.back().m_strEnd.clear();
    return doc;
}

const kelmio::CRtfDocument& Document() {
    static const kelmio::CRtfDocument doc = MakeDocument();
    return doc;
}

const std::string& RtfBytes() {
    static const std::string bytes = kelmio::WriteRtf(Document());
    return bytes;
}

void BM_RtfRead(benchmark::State& state) {
    const std::string& bytes = RtfBytes();
    for (auto _ : state) {
        kelmio::CRtfReadResult result = kelmio::ReadRtf(bytes);
        benchmark::DoNotOptimize(result.m_document.m_paragraphs.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    std::size_t runs = 0;
    for (const kelmio::CRtfParagraph& paragraph : Document().m_paragraphs) runs += paragraph.m_runs.size();
    state.counters["paragraphs"] = static_cast<double>(Document().m_paragraphs.size());
    state.counters["runs"] = static_cast<double>(runs);
}

void BM_RtfWrite(benchmark::State& state) {
    const kelmio::CRtfDocument& doc = Document();
    for (auto _ : state) {
        std::string bytes = kelmio::WriteRtf(doc);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * RtfBytes().size()));
}

// The baseline: the same bytes copied into a new string and scanned once.
void BM_RtfBytes_CopyAndScan(benchmark::State& state) {
    const std::string& bytes = RtfBytes();
    for (auto _ : state) {
        std::string copy = bytes;
        benchmark::DoNotOptimize(std::count(copy.begin(), copy.end(), '\\'));
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_RtfRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtfWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtfBytes_CopyAndScan)->Unit(benchmark::kMillisecond);

}  // namespace
