#pragma once
// Running a race: the runners' strengths, the market's odds through the
// morning, scratches, the finishing order with dead heats now and then, race
// times, margins, corner positions, last-three-furlong times, body weights and
// prize money.

#include <optional>
#include <vector>

#include "jvsim/league/market.h"
#include "jvsim/league/race.h"
#include "jvsim/league/rng.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {

struct RaceOutcome {
    // Odds announcements on and before the race day, oldest first (made only
    // when asked for: the real-time days).
    std::vector<OddsBoard> series;
    OddsBoard final;
    std::optional<MarketModel> finalModel;
};

// Runs `race` (runners and riders set, patterns classified): fills every
// result field of its runners and the outcome's odds.
RaceOutcome RunRace(const World& world, Race& race, Rng& rng, bool withSeries);

// A standard winning time for the race's course and going, in tenths.
int StandardTimeTenths(const RaceInfo& info, Rng& rng);

// Body weight on race day and the change since the last run.
void WeighIn(const World& world, Runner& runner, Rng& rng);

// 着差コード for a gap of `tenths` to the horse ahead.
std::string MarginCode(int tenths, Rng& rng);

// Announcement times hhmm of a race posted at `postTime`: from about 09:30 every
// 30 to 60 minutes, and two minutes before the post.
std::vector<int> AnnouncementTimes(int postTime, Rng& rng);

}  // namespace quindle::jvsim::league
