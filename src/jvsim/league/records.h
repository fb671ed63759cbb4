#pragma once
// The JV-Data records of the league, each built through RecordBuilder from
// the simulation's state: race details, runners, payouts, odds, mining
// predictions and the horse, jockey and trainer masters.

#include <string>
#include <string_view>

#include "jvsim/league/market.h"
#include "jvsim/league/payouts.h"
#include "jvsim/league/race.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {

// What a race or runner record shows.
enum class Stage {
    EntryList,  // runners and riders, no result
    Result,     // the race has been run
};

std::string BuildRA(const Race& race, char kind, std::string_view created8, Stage stage);
std::string BuildSE(const World& world, const Race& race, const Runner& runner, char kind,
                    std::string_view created8, Stage stage);
std::string BuildHR(const Race& race, const Payouts& payouts, char kind, std::string_view created8);

std::string BuildO1(const Race& race, const OddsBoard& board);
std::string BuildO5(const Race& race, const OddsBoard& board);
// Mining predictions made at `madeAt` (hhmm) on `created8`.
std::string BuildDM(const Race& race, char kind, std::string_view created8, int madeAt);

// Masters as of `created`.
std::string BuildUM(const World& world, const Horse& horse, Day created);
std::string BuildKS(const World& world, const Jockey& jockey, Day created);
std::string BuildCH(const World& world, const Trainer& trainer, Day created);

}  // namespace quindle::jvsim::league
