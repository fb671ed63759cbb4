// The history scan of a whole program folder against its floor: the time to
// read every history file once into memory, through the same reader.
//   history_scan_bench PROGRAM_FOLDER [RUNS] [FROM TO]
// FROM and TO are yyyymmdd (default: every date). The scan is measured as
// the statistics run it, side by side with the floor run after run (medians of RUNS runs, default
// 3, after a first, unmeasured run that warms the page cache; "scan/floor" is the median of their
// ratios), and again with the trio odds the backtest reads (best of RUNS runs). Peak memory is the
// process's resident high-water mark during the scan. Target: the scan within 1.5 times the
// floor.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_common.h"
#include "core/load/history_scan.h"
#include "core/store/files/history_file.h"

using namespace quindle;
using namespace quindle::bench;
namespace fs = std::filesystem;

namespace {

constexpr double kFloorFactor = 1.5;
constexpr int kDefaultRuns = 3;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: history_scan_bench PROGRAM_FOLDER [RUNS] [FROM TO]\n");
        return 2;
    }
    const fs::path folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : kDefaultRuns;
    const int from = argc > 4 ? std::atoi(argv[3]) : 0;
    const int to = argc > 4 ? std::atoi(argv[4]) : 99999999;

    size_t bytes = 0;
    size_t files = 0;
    const auto readAll = [&] {
        std::string buffer;
        bytes = 0;
        files = 0;
        for (const std::string& pedigree : load::HistoryPedigrees(folder)) {
            if (store::ReadHistoryFile(folder, pedigree, buffer).state !=
                store::HistoryRead::kRead) {
                continue;
            }
            bytes += buffer.size();
            ++files;
        }
    };

    size_t runners = 0;
    std::string failure;
    ResetPeakResident();
    const double baseMb = PeakResidentMb();
    const double withTrio = Best(runs, [&] {
        auto result = load::ScanHistory(folder, from, to, SilentProgress(), load::TrioOdds::kRead);
        if (!result) failure = result.error();
    });
    const Paired paired = MedianPaired(
        runs,
        [&] {
            auto result =
                load::ScanHistory(folder, from, to, SilentProgress(), load::TrioOdds::kSkip);
            if (!result) {
                failure = result.error();
                return;
            }
            runners = result->runners.size();
        },
        readAll);
    const double scan = paired.work;
    const double floor = paired.floor;
    const double peakMb = PeakResidentMb();
    if (!failure.empty()) {
        std::fprintf(stderr, "scan failed: %s\n", failure.c_str());
        return 1;
    }

    std::printf("history files      %zu (%.1f MB)\n", files, static_cast<double>(bytes) / 1e6);
    std::printf("runner results     %zu (%d to %d)\n", runners, from, to);
    std::printf("floor (read once)  %.3f s (median)\n", floor);
    std::printf("scan               %.3f s (median)\n", scan);
    std::printf("scan/floor %.2f (median of %d side-by-side runs; target <= %.1f)\n", paired.ratio,
                runs, kFloorFactor);
    std::printf("scan + trio odds   %.3f s (the backtest's scan), ratio %.2f\n", withTrio,
                withTrio / floor);
    std::printf("peak memory        %.0f MB (%.0f MB before the scan)\n", peakMb, baseMb);
    return paired.ratio <= kFloorFactor ? 0 : 1;
}
