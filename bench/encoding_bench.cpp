// The four Japanese conversions over 10 MiB of realistic text, each beside
// iconv(3) doing the same conversion on the same buffer (every module that
// gives the same bytes, so the fastest one is in the table), a plain C loop
// doing the textbook arithmetic, and a byte copy; the whole load of an
// EUC-JP and a JIS file; and the detection of a 100 MiB JIS file beside
// reading it.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench_text.h"
#include "compare.h"
#include "encoding/conversion.h"
#include "encoding/text_source.h"

namespace {

using kelmio::bench::CContender;
using kelmio::bench::RunInterleaved;

constexpr std::size_t kTextSize = 10 * 1024 * 1024;
constexpr std::size_t kDetectSize = 100 * 1024 * 1024;

// Converts all of `input` with iconv into `out` (sized by the caller);
// nullopt when iconv stops on a byte it cannot take.
std::optional<std::size_t> IconvInto(iconv_t cd, std::string_view input, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return out.size() - outLeft;
}

// One iconv conversion, opened once, with its output buffer.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no iconv module ") + to);
    }
    ~CIconv() { iconv_close(m_cd); }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    // The converted bytes, or "" when iconv refused the input.
    std::string Convert(std::string_view input) {
        m_out.resize(input.size() * 2 + 16);
        const std::optional<std::size_t> n = IconvInto(m_cd, input, m_out);
        return n ? m_out.substr(0, *n) : std::string();
    }
    void Run(std::string_view input) {
        m_out.resize(input.size() * 2 + 16);
        benchmark::DoNotOptimize(IconvInto(m_cd, input, m_out));
    }

private:
    iconv_t m_cd;
    std::string m_out;
};

// iconv has no JIS variant with half-width katakana except the JIS X 0213
// one; it writes the text's JIS X 0208 characters exactly as ISO-2022-JP.
constexpr const char* kIconvJis = "ISO-2022-JP-3";
constexpr const char* kIconvSjis = "CP932";

// Runs `convert` over every line of `input` (lines end in LF, possibly CR
// LF), as a file is converted, appending each line and, where the input
// had a line end, CR LF to `out`.
template <typename Convert>
void ByLines(std::string_view input, std::string& out, Convert convert) {
    std::size_t pos = 0;
    while (pos < input.size()) {
        const std::size_t lf = input.find('\n', pos);
        std::string_view line = input.substr(pos, (lf == std::string_view::npos ? input.size() : lf) - pos);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        convert(line, out);
        if (lf == std::string_view::npos) break;
        out += "\r\n";
        pos = lf + 1;
    }
}

const std::string& SjisText() { return kelmio::bench::JapaneseText(kTextSize); }
const std::string& EucText() {
    static const std::string text = [] {
        std::string out;
        ByLines(SjisText(), out, [](std::string_view line, std::string& o) { kelmio::SjisToEuc(line, o); });
        return out;
    }();
    return text;
}
const std::string& JisText() {
    static const std::string text = CIconv(kIconvJis, kIconvSjis).Convert(SjisText());
    return text;
}

// The textbook conversions a C programmer writes: the row/cell arithmetic
// inline, no tables, no checks beyond the byte classes.
std::size_t PlainSjisToEuc(std::string_view input, std::string& out) {
    const auto* in = reinterpret_cast<const unsigned char*>(input.data());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    const std::size_t n = input.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned c = in[i];
        if (c < 0x80) {
            *o++ = static_cast<unsigned char>(c);
        } else if (c >= 0xA1 && c <= 0xDF) {
            *o++ = 0x8E;
            *o++ = static_cast<unsigned char>(c);
        } else if (i + 1 < n) {
            unsigned d = in[++i];
            c = (c - (c < 0xA0 ? 0x71 : 0xB1)) * 2 + 1;
            if (d > 0x7F) --d;
            if (d >= 0x9E) {
                d -= 0x7D;
                ++c;
            } else {
                d -= 0x1F;
            }
            *o++ = static_cast<unsigned char>(c | 0x80);
            *o++ = static_cast<unsigned char>(d | 0x80);
        } else {
            *o++ = static_cast<unsigned char>(c);
        }
    }
    return static_cast<std::size_t>(o - reinterpret_cast<unsigned char*>(out.data()));
}

std::size_t PlainEucToSjis(std::string_view input, std::string& out) {
    const auto* in = reinterpret_cast<const unsigned char*>(input.data());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    const std::size_t n = input.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned c = in[i];
        if (c < 0x80) {
            *o++ = static_cast<unsigned char>(c);
        } else if (c == 0x8E && i + 1 < n) {
            *o++ = in[++i];
        } else if (i + 1 < n) {
            c &= 0x7F;
            unsigned d = in[++i] & 0x7F;
            d += (c & 1) ? 0x1F : 0x7D;
            if (d >= 0x7F) ++d;
            c = ((c - 0x21) >> 1) + 0x81;
            if (c > 0x9F) c += 0x40;
            *o++ = static_cast<unsigned char>(c);
            *o++ = static_cast<unsigned char>(d);
        }
    }
    return static_cast<std::size_t>(o - reinterpret_cast<unsigned char*>(out.data()));
}

// The contenders of one conversion row: iconv with each module that gives
// exactly Kelmio's bytes (a module that differs is reported, not timed), a
// plain loop when there is one, and a byte copy.
struct CRow {
    std::vector<CContender> m_baselines;
    std::vector<std::string> m_differing;
};

CRow ConversionRow(const std::string& input, const std::string& expected, const char* to,
                   const std::vector<const char*>& froms, bool fromSjis,
                   std::size_t (*plain)(std::string_view, std::string&)) {
    CRow row;
    for (const char* from : froms) {
        const char* source = fromSjis ? kIconvSjis : from;
        const char* target = fromSjis ? from : to;
        auto converter = std::make_shared<CIconv>(target, source);
        std::string name = std::string("iconv_") + from;
        for (char& c : name) {
            if (c == '-') c = '_';
        }
        if (converter->Convert(input) != expected) {
            row.m_differing.push_back(name);
            continue;
        }
        row.m_baselines.push_back({name, [converter, &input] { converter->Run(input); }});
    }
    if (plain != nullptr) {
        auto out = std::make_shared<std::string>(input.size() * 2, '\0');
        row.m_baselines.push_back({"plain_loop", [plain, out, &input] { benchmark::DoNotOptimize(plain(input, *out)); }});
    }
    auto copy = std::make_shared<std::string>(input.size(), '\0');
    row.m_baselines.push_back({"copy", [copy, &input] {
                                   std::memcpy(copy->data(), input.data(), input.size());
                                   benchmark::ClobberMemory();
                               }});
    return row;
}

template <typename Convert>
void RunConversionRow(benchmark::State& state, const std::string& input, const CRow& row, Convert convert) {
    std::string out;
    out.reserve(input.size() * 2);
    const auto ours = [&] {
        out.clear();
        ByLines(input, out, convert);
        benchmark::DoNotOptimize(out.data());
    };
    RunInterleaved(state, input.size(), ours, row.m_baselines);
    state.counters["high_byte_share"] = kelmio::bench::HighByteShare(SjisText());
    for (const std::string& name : row.m_differing) state.counters[name + "_differs"] = 1;
}

void BM_SjisToEuc(benchmark::State& state) {
    static const CRow row =
        ConversionRow(SjisText(), EucText(), nullptr, {"EUC-JP-MS", "EUC-JP", "EUCJP-OPEN"}, true, PlainSjisToEuc);
    RunConversionRow(state, SjisText(), row, [](std::string_view line, std::string& out) { kelmio::SjisToEuc(line, out); });
}

void BM_EucToSjis(benchmark::State& state) {
    static const CRow row =
        ConversionRow(EucText(), SjisText(), kIconvSjis, {"EUC-JP-MS", "EUC-JP", "EUCJP-OPEN"}, false, PlainEucToSjis);
    RunConversionRow(state, EucText(), row, [](std::string_view line, std::string& out) { kelmio::EucToSjis(line, out); });
}

void BM_JisToSjis(benchmark::State& state) {
    static const CRow row = ConversionRow(JisText(), SjisText(), kIconvSjis, {kIconvJis}, false, nullptr);
    kelmio::CJisState jis;
    RunConversionRow(state, JisText(), row,
                     [&jis](std::string_view line, std::string& out) { kelmio::JisToSjis(line, jis, out); });
}

void BM_SjisToJis(benchmark::State& state) {
    // Kelmio writes half-width katakana with SO and SI, iconv with ESC ( I:
    // the bytes differ by design, so iconv is timed without the comparison.
    auto converter = std::make_shared<CIconv>(kIconvJis, kIconvSjis);
    CRow row = ConversionRow(SjisText(), SjisText(), kIconvSjis, {}, true, nullptr);
    row.m_baselines.insert(row.m_baselines.begin(), {"iconv_ISO_2022_JP_3", [converter] { converter->Run(SjisText()); }});
    kelmio::CJisState jis;
    RunConversionRow(state, SjisText(), row,
                     [&jis](std::string_view line, std::string& out) { kelmio::SjisToJis(line, jis, out); });
}

BENCHMARK(BM_SjisToEuc)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EucToSjis)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis)->UseManualTime()->Unit(benchmark::kMillisecond);

// The whole load of a file's bytes into the pane's text (detection,
// text-mode reading, conversion) beside iconv converting the same bytes.
void RunLoad(benchmark::State& state, const std::string& bytes, const char* iconvFrom) {
    auto converter = std::make_shared<CIconv>(kIconvSjis, iconvFrom);
    const auto ours = [&bytes] {
        kelmio::LoadedTextSource source = kelmio::LoadTextSourceBytes(bytes);
        benchmark::DoNotOptimize(&source.text);
    };
    RunInterleaved(state, bytes.size(), ours, {{"iconv", [converter, &bytes] { converter->Run(bytes); }}});
}
void BM_LoadEucSource(benchmark::State& state) { RunLoad(state, EucText(), "EUC-JP-MS"); }
void BM_LoadJisSource(benchmark::State& state) { RunLoad(state, JisText(), kIconvJis); }
BENCHMARK(BM_LoadEucSource)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJisSource)->UseManualTime()->Unit(benchmark::kMillisecond);

// A temporary file removed when the benchmark ends.
class CTempFile {
public:
    explicit CTempFile(const std::string& bytes) {
        const int fd = ::mkstemp(m_path.data());
        if (fd >= 0) ::close(fd);
        std::ofstream(m_path.c_str(), std::ios::binary) << bytes;
    }
    ~CTempFile() { std::remove(m_path.c_str()); }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path = "/tmp/kelmio-bench-XXXXXX";
};

// Detecting a 100 MiB JIS file (all 7-bit bytes) beside reading it once
// with read(2), which is what any detector that looks at every byte costs
// at least.
void BM_DetectJisFile(benchmark::State& state) {
    std::string jis;
    jis.reserve(kDetectSize);
    while (jis.size() + JisText().size() <= kDetectSize) jis += JisText();
    const CTempFile file(jis);
    jis = std::string();
    const auto ours = [&file] {
        std::optional<kelmio::FileError> error;
        benchmark::DoNotOptimize(kelmio::DetectTextFile(file.Path(), error));
    };
    const auto readAll = [&file] {
        const int fd = ::open(file.Path(), O_RDONLY);
        static char buffer[1 << 16];
        while (::read(fd, buffer, sizeof buffer) > 0) benchmark::ClobberMemory();
        ::close(fd);
    };
    RunInterleaved(state, kDetectSize, ours, {{"read_whole_file", readAll}});
}
BENCHMARK(BM_DetectJisFile)->UseManualTime()->Unit(benchmark::kMillisecond);

// A value in kB from /proc/self/status ("VmRSS", "VmHWM").
long StatusKb(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

// Peak memory of loading an EUC-JP file from disk. The process's peak
// resident size is reset first (clear_refs 5), so the figure is what the
// load itself adds: the file's bytes and the converted text.
void BM_LoadEucFilePeakMemory(benchmark::State& state) {
    const CTempFile file(EucText());
    long growthKb = 0;
    for (auto _ : state) {
        if (!(std::ofstream("/proc/self/clear_refs") << "5")) {
            state.SkipWithError("cannot reset the peak resident size");
            break;
        }
        const long before = StatusKb("VmRSS");
        const kelmio::LoadedTextSource source = kelmio::LoadTextSource(file.Path());
        benchmark::DoNotOptimize(&source.text);
        growthKb = StatusKb("VmHWM") - before;
    }
    const double fileMb = static_cast<double>(EucText().size()) / (1024.0 * 1024.0);
    state.counters["file_MB"] = fileMb;
    state.counters["peak_growth_MB"] = static_cast<double>(growthKb) / 1024.0;
    state.counters["peak_per_file_size"] = static_cast<double>(growthKb) / 1024.0 / fileMb;
}
BENCHMARK(BM_LoadEucFilePeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
