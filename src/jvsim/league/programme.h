#pragma once
// The card of a venue day: twelve races with their classes, courses, names,
// prize money and post times. The main race of each weekend day and venue is
// the same every year (its name and edition come from the league's seed), so
// graded races recur with rising edition numbers.

#include <cstdint>
#include <utility>
#include <vector>

#include "jvsim/league/race.h"
#include "jvsim/league/rng.h"
#include "jvsim/league/schedule.h"

namespace quindle::jvsim::league {

// The twelve planned races of `venueDay` on `day`, weather and going set.
std::vector<RaceInfo> PlanVenueDay(std::uint64_t seed, const RaceDay& day, const VenueDay& venueDay,
                                   Rng& rng);

// Race type and condition to try when the planned ones find too few horses,
// in order of preference.
std::vector<std::pair<int, int>> FallbackClasses(const RaceInfo& info);

// Sets the race type and condition and what follows from them: weight rule,
// prize money, field size, name (a race that stops being special loses it).
void SetClass(RaceInfo& info, int raceType, int condition, Rng& rng);

// First prize of a class, 100 yen.
std::int64_t FirstPrize(int raceType, int condition, char grade);
// Prize money of places 1 to 5 from the first prize.
std::array<std::int64_t, 5> PlacePrizes(std::int64_t first);

// Course of a race of `surface` near `target` metres at a JRA venue.
void ChooseCourse(RaceInfo& info, Surface surface, int target, Rng& rng);

}  // namespace quindle::jvsim::league
