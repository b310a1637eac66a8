// Recovery copies of a 10 MB translation: what the UI thread pays (copying
// the editor's text, beside a plain memcpy), what the writer thread does off
// the typing path (convert, checksum, save atomically, beside a plain atomic
// save of the same bytes), and the longest pause a typing loop on the UI
// thread sees while a copy is taken and written.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include "bench_text.h"
#include "platform/file_io.h"
#include "recovery/recovery_writer.h"
#include "text/cp932.h"

namespace {

constexpr std::size_t kTextSize = 10 * 1024 * 1024;

// The editor holds UTF-8; the translation is 10 MB as Shift-JIS.
const std::string& EditorText() {
    static const std::string utf8 = kelmio::Cp932ToUtf8(kelmio::bench::JapaneseText(kTextSize));
    return utf8;
}

class CBenchFolder {
public:
    CBenchFolder()
        : m_path((std::filesystem::temp_directory_path() / ("kelmio-bench-recovery-" + std::to_string(::getpid()))).string()) {
        std::filesystem::create_directories(m_path);
    }
    ~CBenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

kelmio::RecoverySnapshot Snapshot(const std::string& utf8) {
    kelmio::RecoverySnapshot snapshot;
    snapshot.entry.m_strProject = "/home/user/translation/chapter01.kmp";
    snapshot.entry.m_strEditFile = "/home/user/translation/chapter01.txt";
    snapshot.entry.m_arrMemo.assign(50, kelmio::CKelmioMemo{"title", std::string(400, 'm')});
    snapshot.strEditTextUtf8 = utf8;
    return snapshot;
}

// On the UI thread: one copy of the editor's buffer.
void BM_RecoveryUiCopy(benchmark::State& state) {
    const std::string& text = EditorText();
    for (auto _ : state) {
        kelmio::RecoverySnapshot snapshot = Snapshot(text);
        benchmark::DoNotOptimize(snapshot.strEditTextUtf8.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_RecoveryUiCopy)->Unit(benchmark::kMillisecond);

void BM_BaselineMemcpy(benchmark::State& state) {
    const std::string& text = EditorText();
    std::string copy(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_BaselineMemcpy)->Unit(benchmark::kMillisecond);

// On the writer thread: convert, lay out with its checksum, save atomically.
void BM_RecoveryWrite(benchmark::State& state) {
    const CBenchFolder folder;
    const kelmio::CRecoveryStore store(kelmio::FromNativePath(folder.Path()));
    for (auto _ : state) {
        state.PauseTiming();
        kelmio::RecoverySnapshot snapshot = Snapshot(EditorText());
        state.ResumeTiming();
        if (store.Save(kelmio::EntryFromSnapshot(std::move(snapshot)))) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextSize));
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BaselineAtomicSave(benchmark::State& state) {
    const CBenchFolder folder;
    const std::string& bytes = kelmio::bench::JapaneseText(kTextSize);
    const std::string path = kelmio::FromNativePath(folder.Path() + "/plain.txt");
    for (auto _ : state) {
        if (kelmio::SaveFileAtomically(path, bytes)) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextSize));
}
BENCHMARK(BM_BaselineAtomicSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// A typing loop on this thread (a keystroke into the 10 MB buffer every
// 0.2 ms) while one copy is taken here and written by the writer; the
// counters say how long the copy held typing up and the longest gap
// between keystrokes until the entry was on disk. With arg 0 no copy is
// taken: the loop's own gaps, for comparison; with arg 2 each copy goes
// into fresh storage, as it did before the writer handed storage back.
//
// With arg 1 the copy is taken as the application takes it: into storage
// the writer made ready beforehand, then into that of the copy before,
// which the writer hands back, so no copy maps fresh pages on this thread.
// The simulated editor has room to grow, as the editor's gap buffer does;
// reallocating 10 MB on a keystroke is the editor's own pause, not the
// copy's.
void BM_TypingWhileCopying(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const bool copy = state.range(0) != 0;
    const bool reuse = state.range(0) == 1;
    const CBenchFolder folder;
    std::string editor = EditorText();
    editor.reserve(editor.size() + (1 << 20));
    double longestPause = 0;
    double snapshotTime = 0;
    double firstSnapshotTime = -1;
    kelmio::CRecoveryWriter writer(kelmio::CRecoveryStore(kelmio::FromNativePath(folder.Path())));
    if (reuse) {
        // The application asks for the storage a second or more before a copy is due.
        writer.PrepareSpareText(editor.size());
        writer.Flush();
    }
    for (auto _ : state) {
        std::atomic<bool> written{false};
        const Clock::time_point start = Clock::now();
        if (copy) {
            kelmio::RecoverySnapshot snapshot = Snapshot({});
            if (reuse) snapshot.strEditTextUtf8 = writer.TakeSpareText();
            snapshot.strEditTextUtf8.assign(editor);
            writer.Write(std::move(snapshot));
            const double taken = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (firstSnapshotTime < 0) firstSnapshotTime = taken;
            else snapshotTime = std::max(snapshotTime, taken);
        }
        Clock::time_point last = start;
        // Type until the writer is done (or for 300 ms without a copy).
        std::thread flusher([&] {
            if (copy) writer.Flush();
            else std::this_thread::sleep_for(std::chrono::milliseconds(300));
            written = true;
        });
        std::size_t typed = 0;
        while (!written.load()) {
            editor.insert(editor.size() - 10, 1, static_cast<char>('a' + typed++ % 26));
            const Clock::time_point now = Clock::now();
            longestPause = std::max(longestPause, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        flusher.join();
        editor.resize(EditorText().size());
    }
    state.counters["first_snapshot_ms"] = std::max(firstSnapshotTime, 0.0);
    state.counters["snapshot_ms"] = snapshotTime;
    state.counters["longest_pause_ms"] = longestPause;
}
BENCHMARK(BM_TypingWhileCopying)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
