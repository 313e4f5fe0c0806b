// Median wall time of repeated runs, for the benchmark programs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace velquist::bench {

template <typename Work>
double MedianMilliseconds(int runs, Work&& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace velquist::bench
