#include "jvsim/league/race_log.h"

#include "core/text/fields.h"
#include "jvsim/league/race.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {
namespace {

std::string JockeyCodeOf(const World& world, int jockey) {
    return jockey >= 0 ? world.jockeys[static_cast<std::size_t>(jockey)].code : std::string();
}

}  // namespace

LoggedRace LogRace(const World& world, const Race& race, const Payouts& payouts) {
    LoggedRace out;
    out.key = race.info.Key();
    out.payouts = payouts;
    for (const Runner& r : race.runners) {
        const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
        LoggedRunner l;
        l.pedigree = text::Format("%010lld", static_cast<long long>(h.pedigree));
        l.jockeyCode = JockeyCodeOf(world, r.jockey);
        l.prevJockeyCode = JockeyCodeOf(world, r.prevJockey);
        l.horseNumber = r.horseNumber;
        l.birthYear = static_cast<int>(h.pedigree / 1000000);
        l.runsBefore = h.runs;
        l.pattern = r.pattern;
        l.get = r.get;
        l.give = r.give;
        l.abnormality = r.abnormality;
        l.finish = r.finish;
        l.winOdds = r.winOdds;
        l.winPopularity = r.winPopularity;
        out.runners.push_back(std::move(l));
    }
    return out;
}

}  // namespace quindle::jvsim::league
