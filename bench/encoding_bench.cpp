// The four Japanese conversions over 100 MB of realistic text, each beside
// iconv(3) doing the same conversion on the same buffer, and the whole load
// of an EUC-JP file (detection, text-mode reading, conversion).

#include <benchmark/benchmark.h>

#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <stdexcept>
#include <string>
#include <string_view>

#include "bench_text.h"
#include "encoding/conversion.h"
#include "encoding/text_source.h"

namespace {

constexpr std::size_t kTextSize = 100 * 1024 * 1024;

// Converts all of `input` with iconv into `out` (sized by the caller).
std::size_t IconvInto(iconv_t cd, std::string_view input, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("iconv stopped early");
    }
    return out.size() - outLeft;
}

// iconv has no JIS variant with half-width katakana except the JIS X 0213
// one; it writes the text's JIS X 0208 characters exactly as ISO-2022-JP.
constexpr const char* kIconvJis = "ISO-2022-JP-3";
constexpr const char* kIconvEuc = "EUC-JP";
constexpr const char* kIconvSjis = "CP932";

std::string ConvertWithIconv(const char* to, const char* from, std::string_view input) {
    iconv_t cd = iconv_open(to, from);
    std::string out(input.size() * 2, '\0');
    out.resize(IconvInto(cd, input, out));
    iconv_close(cd);
    return out;
}

const std::string& SjisText() { return kelmio::bench::JapaneseText(kTextSize); }
const std::string& EucText() {
    static const std::string text = ConvertWithIconv(kIconvEuc, kIconvSjis, SjisText());
    return text;
}
const std::string& JisText() {
    static const std::string text = ConvertWithIconv(kIconvJis, kIconvSjis, SjisText());
    return text;
}

// Runs `convert` over every line of `input` (lines end in LF, possibly CR
// LF), as a file is converted, appending each line and CR LF to `out`.
template <typename Convert>
void ByLines(std::string_view input, std::string& out, Convert convert) {
    std::size_t pos = 0;
    while (pos < input.size()) {
        std::size_t lf = input.find('\n', pos);
        if (lf == std::string_view::npos) lf = input.size();
        std::string_view line = input.substr(pos, lf - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        convert(line, out);
        out += "\r\n";
        pos = lf + 1;
    }
}

template <typename Convert>
void RunOurs(benchmark::State& state, const std::string& input, Convert convert) {
    std::string out;
    out.reserve(input.size() * 2);
    for (auto _ : state) {
        out.clear();
        ByLines(input, out, convert);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void RunIconv(benchmark::State& state, const std::string& input, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    std::string out(input.size() * 2, '\0');
    for (auto _ : state) benchmark::DoNotOptimize(IconvInto(cd, input, out));
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void BM_EucToSjis(benchmark::State& state) {
    RunOurs(state, EucText(), [](std::string_view line, std::string& out) { kelmio::EucToSjis(line, out); });
}
void BM_EucToSjis_Iconv(benchmark::State& state) { RunIconv(state, EucText(), kIconvSjis, kIconvEuc); }

void BM_JisToSjis(benchmark::State& state) {
    kelmio::CJisState jis;
    RunOurs(state, JisText(), [&jis](std::string_view line, std::string& out) { kelmio::JisToSjis(line, jis, out); });
}
void BM_JisToSjis_Iconv(benchmark::State& state) { RunIconv(state, JisText(), kIconvSjis, kIconvJis); }

void BM_SjisToEuc(benchmark::State& state) {
    RunOurs(state, SjisText(), [](std::string_view line, std::string& out) { kelmio::SjisToEuc(line, out); });
}
void BM_SjisToEuc_Iconv(benchmark::State& state) { RunIconv(state, SjisText(), kIconvEuc, kIconvSjis); }

void BM_SjisToJis(benchmark::State& state) {
    kelmio::CJisState jis;
    RunOurs(state, SjisText(), [&jis](std::string_view line, std::string& out) { kelmio::SjisToJis(line, jis, out); });
}
void BM_SjisToJis_Iconv(benchmark::State& state) { RunIconv(state, SjisText(), kIconvJis, kIconvSjis); }

BENCHMARK(BM_EucToSjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EucToSjis_Iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis_Iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToEuc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToEuc_Iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis_Iconv)->Unit(benchmark::kMillisecond);

// The whole load of a 100 MB EUC-JP file's bytes: detection, text-mode
// reading and conversion into the pane's text.
void BM_LoadEucSource(benchmark::State& state) {
    const std::string& euc = EucText();
    for (auto _ : state) {
        kelmio::LoadedTextSource source = kelmio::LoadTextSourceBytes(euc);
        benchmark::DoNotOptimize(&source.text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * euc.size()));
}
BENCHMARK(BM_LoadEucSource)->Unit(benchmark::kMillisecond);

// A value in kB from /proc/self/status ("VmRSS", "VmHWM").
long StatusKb(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

// Peak memory of loading a 100 MB EUC-JP file from disk. The process's peak
// resident size is reset first (clear_refs 5), so the figure is what the
// load itself adds: the file's bytes and the converted text.
void BM_LoadEucFilePeakMemory(benchmark::State& state) {
    char path[] = "/tmp/kelmio-bench-euc-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) {
        state.SkipWithError("no temporary file");
        return;
    }
    ::close(fd);
    std::ofstream(path, std::ios::binary) << EucText();
    long growthKb = 0;
    for (auto _ : state) {
        if (!(std::ofstream("/proc/self/clear_refs") << "5")) {
            state.SkipWithError("cannot reset the peak resident size");
            break;
        }
        const long before = StatusKb("VmRSS");
        const kelmio::LoadedTextSource source = kelmio::LoadTextSource(path);
        benchmark::DoNotOptimize(&source.text);
        growthKb = StatusKb("VmHWM") - before;
    }
    std::remove(path);
    const double fileMb = static_cast<double>(EucText().size()) / (1024.0 * 1024.0);
    state.counters["file_MB"] = fileMb;
    state.counters["peak_growth_MB"] = static_cast<double>(growthKb) / 1024.0;
    state.counters["peak_per_file_size"] = static_cast<double>(growthKb) / 1024.0 / fileMb;
}
BENCHMARK(BM_LoadEucFilePeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
