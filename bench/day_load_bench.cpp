// Loading one race day and the previous-race search over it, against the
// physical floor of the load: the time to read once, into memory, every file
// the load reads (the day's RA, SE, HR, O1 and O5 files, each runner's run
// history, and the RA files of the past runs' dates and venues).
//   day_load_bench PROGRAM_FOLDER [DAY|-] [RUNS] [--list-files | --profile N]
// DAY is a day date text ("2025年03月29日") or yyyymmdd; without it (or "-") the day with
// the most races is taken, among those the days with payouts, among those the
// one with the most runners, the newest of equals. The load and the floor of
// all its files are timed side by side, run after run (RUNS runs, default 5,
// after a first, unmeasured one that warms the page cache), and reported as
// medians, the line "load/floor" giving the median of their ratios; the floors
// of the file groups and the search are the best of RUNS runs. Peak memory is
// the process's resident high-water mark over the runs.
// --list-files prints the files the load reads, one per line, and nothing else;
// --profile N runs the load N times and nothing else (for perf and strace).
// Targets: a load within 1.5 times the floor and under 0.5 s; the search under
// 2 s.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "bench_common.h"
#include "busiest_day.h"
#include "core/analysis/jockey_recommend_table.h"
#include "core/analysis/riding_pattern.h"
#include "core/analysis/zenso.h"
#include "core/load/day_files.h"
#include "core/load/day_loader.h"
#include "core/load/jockey_table_file.h"
#include "core/load/previous_race_search.h"
#include "core/model/race_day.h"
#include "core/store/files/file_names.h"
#include "core/store/files/history_file.h"
#include "core/store/files/local_files.h"
#include "core/text/fields.h"

using namespace quindle;
namespace fs = std::filesystem;
namespace layout = store::layout;

using namespace quindle::bench;

namespace {

constexpr double kLoadFloorFactor = 1.5;
constexpr double kLoadLimitSeconds = 0.5;
constexpr double kSearchLimitSeconds = 2.0;
constexpr int kDefaultRuns = 5;

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// The files a load reads, in three groups.
struct LoadFiles {
    std::set<fs::path> day;        // the day's RA, SE, HR, O1 and O5 files
    std::set<fs::path> histories;  // each runner's run history
    std::set<fs::path> pastRaces;  // the RA files of the past runs' dates and venues

    std::vector<fs::path> All() const {
        std::set<fs::path> all = day;
        all.insert(histories.begin(), histories.end());
        all.insert(pastRaces.begin(), pastRaces.end());
        return {all.begin(), all.end()};
    }
};

// The files a load of the day in `day` read: the day's own files, each
// runner's history and the RA file of every past run kept in the tables.
LoadFiles FilesOfLoad(const model::RaceDay& day, const fs::path& folder,
                      const std::string& dateText) {
    LoadFiles files;
    auto dayFiles = load::DayFiles::Open(folder, dateText);
    if (!dayFiles) return {};
    const load::DayFilePaths& paths = dayFiles->Paths();
    for (const fs::path& p : {paths.ra, paths.hr, paths.o1, paths.o5}) {
        if (Exists(p)) files.day.insert(p);
    }
    store::LocalFiles local(folder);
    auto add = [&](std::set<fs::path>& group, const Result<store::FileLocation>& location) {
        if (!location) return;
        auto path = local.PathOf(*location, /*createFolders=*/false);
        if (path && Exists(*path)) group.insert(*path);
    };
    for (int r = 0; r < model::kRaces; ++r) {
        const model::RaImage& ra = day.RaceRA(r);
        if (!load::HasRaceYear(ra)) continue;
        add(files.day,
            store::DayFileLocation(store::FileKind::SeDay, ra.Field(layout::head::kRaceDate),
                                   ra.Field(layout::head::kVenue)));
        for (int slot = 0; slot < analysis::EnteredSlots(ra); ++slot) {
            const fs::path history =
                store::FindHistoryFile(folder, day.RunnerSE(r, slot).Field(layout::se::kPedigree));
            if (!history.empty()) files.histories.insert(history);
            for (int k = 0; k < model::kPastRuns; ++k) {
                const model::SeImage& past = day.PastSE(r, slot, k);
                if (past.Text(layout::head::kYear).empty()) break;
                const std::string_view ymd = past.Field(layout::head::kRaceDate);
                const std::string_view venue = past.Field(layout::head::kVenue);
                const auto v = text::ReadInt(venue);
                add(files.pastRaces, v >= 1 && v <= 10
                                         ? store::DayFileLocation(store::FileKind::RaDay, ymd)
                                         : store::OtherVenueLocation(ymd, venue));
            }
        }
    }
    return files;
}

// Reads every file once into one buffer (open, fstat, read, close); returns
// the bytes read.
template <typename Files>
std::int64_t ReadAll(const Files& files, std::vector<char>& buffer) {
    std::int64_t total = 0;
    for (const fs::path& p : files) {
        const int fd = ::open(p.c_str(), O_RDONLY);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            continue;
        }
        const auto size = static_cast<size_t>(st.st_size);
        if (buffer.size() < size) buffer.resize(size);
        size_t got = 0;
        for (ssize_t n; got < size && (n = ::read(fd, buffer.data() + got, size - got)) > 0;)
            got += static_cast<size_t>(n);
        ::close(fd);
        total += static_cast<std::int64_t>(got);
    }
    return total;
}

const char* Verdict(bool met) {
    return met ? "met" : "MISSED";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool listFiles = std::erase(args, "--list-files") > 0;
    int profileRuns = 0;
    if (auto p = std::find(args.begin(), args.end(), "--profile");
        p != args.end() && p + 1 != args.end()) {
        profileRuns = std::atoi((p + 1)->c_str());
        args.erase(p, p + 2);
    }
    if (args.empty()) {
        std::fprintf(stderr,
                     "usage: day_load_bench PROGRAM_FOLDER [DAY|-] [RUNS] [--list-files]\n");
        return 2;
    }
    const fs::path folder = args[0];
    std::string dateText = args.size() > 1 && args[1] != "-" ? args[1] : PickBusiestDay(folder);
    if (auto fromYmd = load::DateTextOfYmd(dateText)) dateText = *fromYmd;
    const int runs = args.size() > 2 ? std::max(1, std::atoi(args[2].c_str())) : kDefaultRuns;
    if (dateText.empty()) {
        std::fprintf(stderr, "no race day in %s\n", folder.c_str());
        return 1;
    }

    std::vector<std::string> tableProblems;  // unusable lines give no mark
    auto table = load::LoadJockeyRecommendTable(folder, tableProblems);
    if (!table) {
        std::fprintf(stderr, "%s\n", table.error().c_str());
        return 1;
    }
    auto day = std::make_unique<model::RaceDay>();
    load::DayLoadOutcome outcome;
    bool failed = false;
    auto load = [&] {
        auto loaded = load::LoadDay(*day, folder, dateText, load::DayLoadSettings{}, *table,
                                    load::SystemLoadClock(), SilentProgress());
        if (!loaded) {
            std::fprintf(stderr, "%s\n", loaded.error().c_str());
            failed = true;
            return;
        }
        outcome = std::move(*loaded);
    };
    load();
    if (failed) return 1;
    if (profileRuns > 0) {
        for (int i = 0; i < profileRuns && !failed; ++i) load();
        return failed ? 1 : 0;
    }
    const LoadFiles groups = FilesOfLoad(*day, folder, dateText);
    const std::vector<fs::path> files = groups.All();
    if (listFiles) {
        for (const fs::path& p : files) std::printf("%s\n", p.c_str());
        return 0;
    }

    int runners = 0, pastRuns = 0;
    for (int r = 0; r < model::kRaces; ++r) {
        for (int slot = 0; slot < analysis::EnteredSlots(day->RaceRA(r)); ++slot) {
            ++runners;
            pastRuns += std::min(day->OutData(r).PastRunCount[slot], model::kPastRuns);
        }
    }
    std::vector<char> buffer;
    std::int64_t bytes = 0;
    const double dayFloor = Best(runs, [&] { ReadAll(groups.day, buffer); });
    const double historyFloor = Best(runs, [&] { ReadAll(groups.histories, buffer); });
    const double pastRaceFloor = Best(runs, [&] { ReadAll(groups.pastRaces, buffer); });

    ResetPeakResident();
    const Paired paired = MedianPaired(runs, load, [&] { bytes = ReadAll(files, buffer); });
    const double floor = paired.floor;
    const double loadSeconds = paired.work;
    const double loadPeak = PeakResidentMb();
    if (failed) return 1;

    ResetPeakResident();
    Status searched = Status::Ok();
    const double searchSeconds = Best(runs, [&] {
        if (Status s = load::SearchPreviousRaceWinners(*day, folder, SilentProgress()); !s)
            searched = s;
    });
    const double searchPeak = PeakResidentMb();
    if (!searched) {
        std::fprintf(stderr, "%s\n", searched.error().c_str());
        return 1;
    }

    std::printf("day %s: %zu races, %d runners, %d past runs placed\n", dateText.c_str(),
                outcome.raceList.size(), runners, pastRuns);
    std::printf("files the load reads: %zu, %.1f MB\n", files.size(),
                static_cast<double>(bytes) / 1e6);
    std::printf("floor (each file read once, warm cache): %.4f s (median)\n", floor);
    std::printf("  day files %zu: %.4f s, run histories %zu: %.4f s, past-race files %zu: %.4f s\n",
                groups.day.size(), dayFloor, groups.histories.size(), historyFloor,
                groups.pastRaces.size(), pastRaceFloor);
    std::printf("day load: %.4f s (median), peak resident %.1f MB (model tables %.1f MB)\n",
                loadSeconds, loadPeak, static_cast<double>(model::RaceDay::TableBytes()) / 1e6);
    std::printf("load/floor %.2f (median of %d side-by-side runs)\n", paired.ratio, runs);
    std::printf("previous-race search: %.4f s, peak resident %.1f MB\n", searchSeconds, searchPeak);
    const bool loadMet = paired.ratio <= kLoadFloorFactor && loadSeconds < kLoadLimitSeconds;
    const bool searchMet = searchSeconds < kSearchLimitSeconds;
    std::printf("goal, load within %.1f x floor and under %.1f s: %s\n", kLoadFloorFactor,
                kLoadLimitSeconds, Verdict(loadMet));
    std::printf("goal, search under %.1f s: %s\n", kSearchLimitSeconds, Verdict(searchMet));
    return 0;
}
