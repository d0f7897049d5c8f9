#pragma once
// The benchmarks' one way of timing: the best of several rounds, so that a
// round slowed by another process on the machine does not count.
#include <algorithm>
#include <chrono>

template <typename F>
double BestSeconds(int rounds, F&& body)
{
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        body();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}
