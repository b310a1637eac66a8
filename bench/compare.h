#pragma once
// Runs Kelmio's code and the public baselines for the same work in one
// benchmark, taking turns within every iteration, so that each figure comes
// from the same run on the same machine state. The benchmark's own time is
// Kelmio's; each baseline adds a counter "<name>_MBps" and "x_<name>", how
// many times faster Kelmio was (above 1 is faster). Times are the thread's
// CPU time (user and system), so a machine shared with other work still
// gives fair ratios.

#include <benchmark/benchmark.h>

#include <time.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kelmio::bench {

struct CContender {
    std::string m_strName;
    std::function<void()> m_run;
};

inline void RunInterleaved(benchmark::State& state, std::size_t bytes, const std::function<void()>& ours,
                           const std::vector<CContender>& baselines) {
    const auto now = [] {
        timespec time{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
    };
    const auto seconds = [&now](const std::function<void()>& run) {
        const double start = now();
        run();
        return now() - start;
    };
    std::vector<double> totals(baselines.size(), 0.0);
    double ourTotal = 0.0;
    for (auto _ : state) {
        const double ourTime = seconds(ours);
        ourTotal += ourTime;
        for (std::size_t i = 0; i < baselines.size(); ++i) totals[i] += seconds(baselines[i].m_run);
        state.SetIterationTime(ourTime);
    }
    const double megabytes = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
    for (std::size_t i = 0; i < baselines.size(); ++i) {
        state.counters[baselines[i].m_strName + "_MBps"] = megabytes / totals[i];
        state.counters["x_" + baselines[i].m_strName] = totals[i] / ourTotal;
    }
}

}  // namespace kelmio::bench
