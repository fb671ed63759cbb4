#pragma once
// The league's clock: day by day from the first local-track run to the last
// race day, it registers crops, runs local and overseas races, race days and
// the weekly round of retirements and masters, and hands every record to the
// emitter as soon as it is made.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "jvsim/league/emitter.h"
#include "jvsim/league/jockdata.h"
#include "jvsim/league/league.h"
#include "jvsim/league/payouts.h"
#include "jvsim/league/race_log.h"
#include "jvsim/league/schedule.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {

class Simulation {
  public:
    Simulation(World& world, Emitter& emitter, LeagueSummary& summary, JockDataTally& tally);

    Status Run(const std::vector<RaceDay>& days);
    // Every JRA race, as it is run, goes to `log` as well.
    void SetRaceLog(RaceLog log);

  private:
    Status RunRaceDay(const RaceDay& day);
    Status RunOffTrack(Day day, Rng& rng);
    Status FlushOffTrack(Day day);
    Status EmitMasters(Day day, bool everything);
    void NewYear(int year, Day day, Rng& rng);
    void Housekeeping(Day day, Rng& rng);
    void ApplyCentral(const Race& race);
    void ApplyOffTrack(const Race& race);
    void Retire(Horse& h, Day day);
    void Count(const Race& race, const Payouts& payouts);
    int RestDays(Rng& rng) const;

    World& w_;
    Emitter& emit_;
    LeagueSummary& summary_;
    JockDataTally& tally_;
    RaceLog raceLog_;
    // Race and runner records of the week's off-track races, by data kind:
    // they appear together in one file a week.
    std::map<char, std::pair<std::vector<std::string>, std::vector<std::string>>> offTrack_;
};

}  // namespace quindle::jvsim::league
