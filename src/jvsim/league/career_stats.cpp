#include "jvsim/league/career_stats.h"

#include "core/store/record_layout.h"

namespace quindle::jvsim::league {
namespace um = store::layout::um;

int DistanceBand(int distance) {
    return distance <= 1600 ? 0 : distance <= 2200 ? 1 : 2;
}

void HorseCounts::Add(const RunFacts& run) {
    auto add = [&](int block) { blocks[static_cast<std::size_t>(block - 1)].Add(run.finish); };
    add(um::kAll);
    ++racesRun;
    if (run.style >= 1 && run.style <= 4) ++styles[static_cast<std::size_t>(run.style - 1)];
    if (!run.central) return;
    add(um::kCentral);
    bool turf = run.surface == Surface::Turf;
    int turnBlock = 0;
    switch (run.turn) {
        case Turn::Straight:
            turnBlock = turf ? um::kTurfStraight : um::kDirtStraight;
            break;
        case Turn::Right:
            turnBlock = turf ? um::kTurfRight : um::kDirtRight;
            break;
        case Turn::Left:
            turnBlock = turf ? um::kTurfLeft : um::kDirtLeft;
            break;
    }
    add(turnBlock);
    int going = run.going >= 1 && run.going <= 4 ? run.going : 1;
    add((turf ? um::kTurfGood : um::kDirtGood) + going - 1);
    add((turf ? um::kTurfUpTo1600 : um::kDirtUpTo1600) + DistanceBand(run.distance));
    prizes[um::kFlatPrizeTotal - 1] += run.prize;
    prizes[um::kFlatAddedTotal - 1] += run.added;
    // The earned total counts towards the class: the winner's prize only.
    if (run.finish == 1) prizes[um::kFlatEarnedTotal - 1] += run.prize;
}

void PersonYear::Add(const RunFacts& run) {
    if (!run.central) return;
    flat.Add(run.finish);
    flatPrize += run.prize;
    flatAdded += run.added;
    if (run.venue >= 1 && run.venue <= 10)
        venues[static_cast<std::size_t>(run.venue - 1)].Add(run.finish);
    auto band = static_cast<std::size_t>(DistanceBand(run.distance));
    (run.surface == Surface::Turf ? turf : dirt)[band].Add(run.finish);
}

void PersonResults::Roll(int year) {
    if (thisYear.year == year) return;
    lastYear = thisYear;
    if (lastYear.year != year - 1) lastYear = PersonYear{};
    lastYear.year = year - 1;
    thisYear = PersonYear{};
    thisYear.year = year;
}

void PersonResults::Add(const RunFacts& run) {
    thisYear.Add(run);
    allYears.Add(run);
}

}  // namespace quindle::jvsim::league
