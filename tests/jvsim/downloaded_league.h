#pragma once
// A generated league downloaded into a program folder, as a user gets it:
// the substitute serves the store, the download engine sets up from its first
// file with the final odds.

#include <filesystem>
#include <functional>
#include <string>

#include "core/jvlink/download/download_engine.h"
#include "jvsim/league/league.h"

namespace quindle::jvsim::testing {

struct DownloadedLeague {
    int currentYear = 0;   // the substitute's clock
    std::string fromTime;  // where the download started: the store's first file
    jvlink::DownloadSummary download;
};

// The set-up download from `fromTime` with the final odds, as the dialog runs
// it, from `link` (initialised) into the new program folder `home`.
Result<jvlink::DownloadSummary> DownloadInto(jvlink::JvLink& link,
                                             const std::filesystem::path& home,
                                             const std::string& fromTime, int currentYear);

// Generates the league of `size` and `seed` into `store` (every race run goes
// to `raceLog` when given) and downloads it into `home`. On failure, the
// error says which step failed.
Result<DownloadedLeague> DownloadLeague(
    const std::filesystem::path& store, const std::filesystem::path& home, league::LeagueSize size,
    std::uint64_t seed, const std::function<void(const league::LoggedRace&)>& raceLog = {});

}  // namespace quindle::jvsim::testing
