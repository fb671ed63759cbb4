#pragma once
// Runs of the league's horses away from the JRA venues: careers at local
// tracks (data kind "A") before joining the league or after leaving it,
// exchange graded races of JRA dirt horses at local tracks, and overseas
// races (data kind "B"). Only the league's horses have runner records; the
// race records give the whole field's size.

#include <vector>

#include "jvsim/league/race.h"
#include "jvsim/league/rng.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {

// JV-Data weekday code of a calendar day (1 Saturday, 2 Sunday, 4 Monday ..).
int WeekdayCode(Day day);

// The local-track races run today by horses based at local tracks; horses
// whose local career ends today join the league instead.
std::vector<Race> LocalRuns(World& world, Day day, Rng& rng);

// An exchange graded race at a local track for JRA dirt horses, on the
// Wednesdays the calendar holds one.
std::vector<Race> ExchangeRaces(World& world, Day day, Rng& rng);

// Overseas races today; horses travel three weeks before.
std::vector<Race> OverseasRuns(World& world, Day day, Rng& rng);

}  // namespace quindle::jvsim::league
