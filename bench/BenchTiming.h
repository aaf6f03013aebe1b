#pragma once
// Timing for the benchmarks: the median of a few runs of a piece of work.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace nbx::bench {

// The median time in seconds of `runs` runs of work; before (when given) runs ahead of
// each run, untimed.
inline double MedianSeconds(const std::function<void()>& work,
                            const std::function<void()>& before = {}, int runs = 5) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (before) {
            before();
        }
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace nbx::bench
