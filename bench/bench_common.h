#pragma once
// What the benchmarks share: timing the best of several runs and the
// process's peak memory.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace quindle::bench {

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best time of `runs` runs after one unmeasured run.
inline double Best(int runs, const std::function<void()>& work) {
    work();
    double best = 1e9;
    for (int i = 0; i < runs; ++i) best = std::min(best, Seconds(work));
    return best;
}

// The process's resident high-water mark in MB, and its reset (Linux; the
// reset is ignored where it is not supported).
inline double PeakResidentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0;
}
inline void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace quindle::bench
