#pragma once
// Timing shared by the host benchmarks.
#include <time.h>

#include <algorithm>
#include <cstddef>

namespace tovel::bench {

// The best of five runs over `bytes` bytes, in MB/s: the figure the code can reach, with the machine's other
// work left out.
template <class F>
double MegabytesPerSecond(std::size_t bytes, F work) {
    double best = 0;
    for (int round = 0; round < 5; ++round) {
        // <chrono> is avoided: its headers carry a character code page 932 cannot hold.
        timespec start{}, end{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        work();
        clock_gettime(CLOCK_MONOTONIC, &end);
        const double seconds = (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
        best = std::max(best, bytes / 1e6 / seconds);
    }
    return best;
}

}  // namespace tovel::bench
