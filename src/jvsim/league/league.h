#pragma once
// The synthetic JV-Data league: a deterministic world of horses, jockeys and
// trainers racing over seasons of race days, written as a JV-Link substitute
// store (accumulated files, real-time announcements), the odds viewer's
// time-series folder and a jockey recommendation table.
//
// GenerateLeague writes one race day at a time, so a league of years keeps
// no more than a day's records in memory.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "core/util/result.h"
#include "jvsim/league/race_log.h"
#include "jvsim/league/shape.h"

namespace quindle::jvsim::league {

// The recommendation table written beside the store.
inline constexpr const char* kJockDataFile = "jockdata.kcsv";

struct LeagueOptions {
    std::filesystem::path outDir;  // created when missing; a previous league there is replaced
    std::uint64_t seed = 1;
    LeagueSize size = LeagueSize::Small;
    // Given every JRA race as it is run, for checks against the world that
    // made the records; may be empty.
    RaceLog raceLog;
};

// Runners of JRA races as the generator classifies them against their run
// histories (the judgement's view): no earlier run, first ride, same rider as
// last time, a rider of an earlier run back again.
struct PatternCounts {
    std::int64_t runners = 0;
    std::int64_t firstRun = 0;
    std::int64_t tenNori = 0;
    std::int64_t renzoku = 0;
    std::int64_t noriModori = 0;

    std::int64_t WithHistory() const { return tenNori + renzoku + noriModori; }
    // Share among runners with an earlier run.
    double Share(std::int64_t count) const {
        return WithHistory() > 0 ? static_cast<double>(count) / static_cast<double>(WithHistory())
                                 : 0.0;
    }
};

struct LeagueSummary {
    std::uint64_t seed = 0;
    LeagueSize size = LeagueSize::Small;
    std::string firstDay, fullFrom, lastDay, now;  // yyyymmdd, now yyyymmddhhmm
    int raceDays = 0;
    int centralRaces = 0;
    int droppedRaces = 0;  // planned races no class could fill
    int localRaces = 0;
    int overseasRaces = 0;
    int horses = 0;
    int jockeys = 0;
    int trainers = 0;
    std::map<std::string, std::int64_t> fileRecords;      // accumulated files, by record type
    std::map<std::string, std::int64_t> realtimeRecords;  // real-time announcements, by record type
    std::int64_t files = 0;
    std::int64_t announcements = 0;
    std::int64_t timeSeriesLines = 0;
    std::int64_t bytes = 0;
    PatternCounts patterns;
    int getGiveRaces = 0;  // races with a Get/Give pair
    std::int64_t getMarks = 0;
    std::int64_t giveMarks = 0;
    int deadHeats = 0;
    int scratches = 0;
    int pulledUp = 0;
    int favouriteWins = 0;             // races won by the favourite
    std::array<int, 19> fieldSizes{};  // races by number of runners
    int horsesWith30Runs = 0;
    int maxRuns = 0;
    int jockDataRows = 0;
};

Result<LeagueSummary> GenerateLeague(const LeagueOptions& options);

// The summary as lines of UTF-8 text.
std::string FormatSummary(const LeagueSummary& summary);

}  // namespace quindle::jvsim::league
