// The CSV exports of one downloaded day: loads the day, runs the
// previous-race search once, then writes the five files of "CSV出力" into a
// folder and prints the best time of each export and of all of them.
//   exports_bench PROGRAM_FOLDER OUT_FOLDER [DAY|-] [RUNS]
// DAY is a day date text ("2025年03月29日"); without it (or "-") the day with
// the most races is taken, the newest of equals. Target: all five files well
// under a second.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/exports/day_exports.h"
#include "core/load/day_loader.h"
#include "core/load/jockey_table_file.h"
#include "core/load/previous_race_search.h"
#include "core/model/race_day.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"
#include "core/util/text_lines.h"

using namespace quindle;
namespace fs = std::filesystem;

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The race day with the most RA lines, the newest of equals.
std::string BusiestDay(const fs::path& folder) {
    std::string busiest;
    std::size_t most = 0;
    const auto data = FindFolder(folder, kDataFolder);
    for (const std::string& day : load::MakeDataList(folder)) {
        if (!data) break;
        auto bytes = ReadFileBytes(*data / fs::path(day + ".jvRA"));
        const std::size_t races = bytes ? SplitTextLines(*bytes).size() : 0;
        if (races > most) {
            most = races;
            busiest = day;
        }
    }
    return busiest;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: exports_bench PROGRAM_FOLDER OUT_FOLDER [DAY|-] [RUNS]\n");
        return 2;
    }
    const fs::path folder = argv[1];
    const fs::path out = argv[2];
    std::string dayText = argc > 3 ? argv[3] : "-";
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 10;
    if (dayText == "-") dayText = BusiestDay(folder);

    std::vector<std::string> tableProblems;  // unusable lines give no mark
    auto table = load::LoadJockeyRecommendTable(folder, tableProblems);
    if (!table) {
        std::fprintf(stderr, "%s\n", table.error().c_str());
        return 1;
    }
    auto day = std::make_unique<model::RaceDay>();
    auto loaded = load::LoadDay(*day, folder, dayText, load::DayLoadSettings{}, *table,
                                load::SystemLoadClock(), SilentProgress());
    if (!loaded) {
        std::fprintf(stderr, "%s: %s\n", dayText.c_str(), loaded.error().c_str());
        return 1;
    }
    if (Status s = load::SearchPreviousRaceWinners(*day, folder, SilentProgress()); !s) {
        std::fprintf(stderr, "%s\n", s.error().c_str());
        return 1;
    }
    std::printf("day %s: %zu races\n", dayText.c_str(), loaded->raceList.size());

    using exports::DayExport;
    const std::pair<const char*, DayExport> kinds[] = {
        {"単推奨・複推奨", DayExport::Recommend},
        {"Get・Give", DayExport::GetGive},
        {"勝ち上り馬", DayExport::PreviousRaceWinners},
    };
    double total = 0;
    for (const auto& [name, kind] : kinds) {
        std::size_t bytes = 0;
        bool ok = true;
        double best = 1e9;
        for (int run = 0; run < runs; ++run) {
            best = std::min(best, Seconds([&] {
                                auto written =
                                    exports::WriteDayExport(*day, loaded->raceIndexes, kind, out);
                                ok = ok && written.ok();
                                if (!written) std::fprintf(stderr, "%s\n", written.error().c_str());
                            }));
        }
        if (!ok) return 1;
        for (const auto& file : exports::BuildDayExport(*day, loaded->raceIndexes, kind)) {
            bytes += file.bytes.size();
        }
        total += best;
        std::printf("%s: %.2f ms (best of %d), %zu bytes\n", name, best * 1000, runs, bytes);
    }
    std::printf("all five files: %.2f ms\n", total * 1000);
    return 0;
}
