// The previous-race search over one downloaded day: loads the day, runs the
// search a few times and prints the time of each run and the result's size.
//   zenso_bench PROGRAM_FOLDER DAY [RUNS]
// DAY is the day date text ("2025年03月29日"). The first run reads the files
// as the page cache has them; later runs show the search with warm files.
// Target: under 2 seconds for a day of 36 races.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/analysis/jockey_recommend_table.h"
#include "core/analysis/zenso.h"
#include "core/load/day_loader.h"
#include "core/load/jockey_table_file.h"
#include "core/load/previous_race_search.h"
#include "core/model/race_day.h"

using namespace quindle;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zenso_bench PROGRAM_FOLDER DAY [RUNS]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::string dayText = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

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
        std::fprintf(stderr, "%s\n", loaded.error().c_str());
        return 1;
    }

    for (int run = 1; run <= runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const Status s = load::SearchPreviousRaceWinners(*day, folder, SilentProgress());
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!s) {
            std::fprintf(stderr, "%s\n", s.error().c_str());
            return 1;
        }
        int runners = 0;
        int horses = 0;
        int upCount = 0;
        for (int r = 0; r < model::kRaces; ++r) {
            for (const auto& members : day->OutData(r).ZensoMembers) {
                if (members.Name[0].Empty()) continue;
                ++runners;
                upCount += members.UpCount;
                for (const auto& name : members.Name) horses += name.Empty() ? 0 : 1;
            }
        }
        std::printf(
            "run %d: %.3f s, %zu races, %d runners with a previous race, %d horses, "
            "%d placed next time\n",
            run, seconds, loaded->raceList.size(), runners, horses, upCount);
    }
    return 0;
}
