#pragma once
// What the benchmarks share: timing the best of several runs, a work and
// its floor side by side, and the process's peak memory.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

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

// Medians of a work and its floor measured side by side: each run times
// the floor and then the work, so that whatever else loads the machine weighs
// on both alike. `ratio` is the median of the runs' ratios.
struct Paired {
    double work = 0;
    double floor = 0;
    double ratio = 0;
};

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// `runs` pairs after one unmeasured run of each.
inline Paired MedianPaired(int runs, const std::function<void()>& work,
                           const std::function<void()>& floor) {
    floor();
    work();
    std::vector<double> works, floors, ratios;
    for (int i = 0; i < runs; ++i) {
        floors.push_back(Seconds(floor));
        works.push_back(Seconds(work));
        ratios.push_back(floors.back() > 0 ? works.back() / floors.back() : 0);
    }
    return {Median(works), Median(floors), Median(ratios)};
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
