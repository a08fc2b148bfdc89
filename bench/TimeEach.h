#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

// Reports times in milliseconds as `<prefix>median_ms` and `<prefix>p99_ms`.
inline void reportSpread(benchmark::State& st, std::vector<double> ms, const std::string& prefix) {
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    st.counters[prefix + "median_ms"] = ms[ms.size() / 2];
    st.counters[prefix + "p99_ms"] = ms[std::min(ms.size() - 1, size_t(0.99 * double(ms.size())))];
}

// Times each iteration alone (the benchmark uses manual time) and reports the median and the
// 99th percentile in milliseconds, with the goal beside them when there is one. `between` runs
// after each step, untimed: what the program does before the next one comes.
template <typename Step, typename Between>
void timeEach(benchmark::State& st, double goalMs, Step step, Between between) {
    std::vector<double> ms;
    for (auto _ : st) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        st.SetIterationTime(took.count());
        ms.push_back(took.count() * 1000.0);
        between();
    }
    if (ms.empty())
        return;
    reportSpread(st, std::move(ms), "");
    if (goalMs > 0)
        st.counters["goal_ms"] = goalMs;
}

template <typename Step> void timeEach(benchmark::State& st, double goalMs, Step step) {
    timeEach(st, goalMs, step, [] {});
}
