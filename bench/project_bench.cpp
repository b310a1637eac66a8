// The project file of a 10,000-memo project: writing the stream, reading it
// back, and loading and saving it as a file, each beside a plain copy or
// plain read of the same bytes in the same run.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "bench_text.h"
#include "platform/file_io.h"
#include "project/project_file.h"

namespace {

constexpr std::size_t kMemoCount = 10000;

void FillProject(kelmio::CKelmioData& data) {
    const std::string& text = kelmio::bench::JapaneseText(kMemoCount * 400);
    data.m_strSrcFile = "/home/user/translation/source/chapter01.html";
    data.m_strEditFile = "/home/user/translation/chapter01.txt";
    for (std::size_t i = 0; i < kMemoCount; ++i) {
        // Titles of a word or two, texts of a few lines; a few long ones.
        const std::size_t textSize = i % 100 == 0 ? 2000 : 40 + (i * 37) % 360;
        data.AppendMemo({text.substr((i * 13) % 1000, 12), text.substr(i * 400 % (text.size() - 2000), textSize)});
    }
    for (int i = 0; i < 30; ++i) data.m_arrSrcHistory.push_back("/home/user/sources/page" + std::to_string(i) + ".html");
    data.m_pos.m_nEditCaret = 12345;
}

const kelmio::CKelmioData& Project() {
    static const kelmio::CKelmioData data = [] {
        kelmio::CKelmioData filled;
        FillProject(filled);
        return filled;
    }();
    return data;
}

const std::string& ProjectBytes() {
    static const std::string bytes = kelmio::WriteProject(Project());
    return bytes;
}

// A project file on disk for the file benchmarks, removed at exit.
class CBenchFile {
public:
    CBenchFile() {
        m_path = (std::filesystem::temp_directory_path() / ("kelmio-bench-" + std::to_string(::getpid()) + ".kmp"))
                     .string();
        (void)kelmio::SaveFileAtomically(kelmio::FromNativePath(m_path), ProjectBytes());
    }
    ~CBenchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    std::string SjisPath() const { return kelmio::FromNativePath(m_path); }

private:
    std::string m_path;
};

const CBenchFile& BenchFile() {
    static const CBenchFile file;
    return file;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ProjectBytes().size()));
    state.counters["file_bytes"] = static_cast<double>(ProjectBytes().size());
}

void BM_ProjectWrite(benchmark::State& state) {
    const kelmio::CKelmioData& data = Project();
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::WriteProject(data));
    SetBytes(state);
}
BENCHMARK(BM_ProjectWrite)->Unit(benchmark::kMillisecond);

void BM_ProjectRead(benchmark::State& state) {
    const std::string& bytes = ProjectBytes();
    for (auto _ : state) {
        kelmio::CKelmioData data;
        benchmark::DoNotOptimize(kelmio::ReadProject(bytes, data));
    }
    SetBytes(state);
}
BENCHMARK(BM_ProjectRead)->Unit(benchmark::kMillisecond);

// Baseline: copying the same bytes into a fresh buffer.
void BM_ProjectPlainCopy(benchmark::State& state) {
    const std::string& bytes = ProjectBytes();
    for (auto _ : state) {
        std::string copy(bytes.size(), '\0');
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_ProjectPlainCopy)->Unit(benchmark::kMillisecond);

void BM_ProjectFileLoad(benchmark::State& state) {
    const std::string path = BenchFile().SjisPath();
    for (auto _ : state) {
        kelmio::CKelmioData data;
        benchmark::DoNotOptimize(kelmio::LoadProjectFile(path, data));
    }
    SetBytes(state);
}
BENCHMARK(BM_ProjectFileLoad)->Unit(benchmark::kMillisecond);

// Baseline: reading the same file's bytes without parsing them.
void BM_ProjectFilePlainRead(benchmark::State& state) {
    const std::string path = BenchFile().SjisPath();
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::ReadWholeFile(path));
    SetBytes(state);
}
BENCHMARK(BM_ProjectFilePlainRead)->Unit(benchmark::kMillisecond);

// Saving includes the flush to disk that makes the save atomic, so it is
// measured beside an atomic save of the already written bytes.
void BM_ProjectFileSave(benchmark::State& state) {
    const std::string path = BenchFile().SjisPath();
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::SaveProjectFile(path, Project()));
    SetBytes(state);
}
BENCHMARK(BM_ProjectFileSave)->Unit(benchmark::kMillisecond);

void BM_ProjectFilePlainSave(benchmark::State& state) {
    const std::string path = BenchFile().SjisPath();
    for (auto _ : state) benchmark::DoNotOptimize(kelmio::SaveFileAtomically(path, ProjectBytes()));
    SetBytes(state);
}
BENCHMARK(BM_ProjectFilePlainSave)->Unit(benchmark::kMillisecond);

}  // namespace
