#pragma once
// Who runs and who rides: the fields of a race day and their jockeys.
//
// Every jockey first goes to a venue for the day, mostly the one he rode at
// last time; horses then enter races mostly where their last rider is, and
// trainers avoid sending two horses of the same rider into one race; then
// each race books its riders, better horses first. A rider
// is booked once per race, so when two of his former mounts meet he takes the
// better one and the other changes rider: the judgement's Get and Give. Top
// riders also move to better horses of their own accord now and then.

#include <vector>

#include "jvsim/league/race.h"
#include "jvsim/league/rng.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {

// The horses that may run on a race day and those already placed in a field.
struct DayPool {
    std::vector<int> ready;
    std::vector<char> placed;  // per horse index
};

DayPool MakeDayPool(const World& world, Day day);

// True when horse `h` may enter a race of `info`'s class and age group.
bool Eligible(const Horse& h, const RaceInfo& info, bool relaxed);

// Trims the planned field sizes so that the day's races of a class share the
// horses ready for it instead of the first races taking them all.
void ShareFields(const World& world, std::vector<Race>& races, const DayPool& pool);

// Draws the field of `race` (runners in horse-number order, brackets set)
// from the pool, trying the planned class first and then its fallbacks.
// False when no class finds enough horses; the race is then not run.
bool FillField(World& world, Race& race, DayPool& pool, Rng& rng);

// Sends every riding jockey to one of the day's venues (Jockey::venueToday,
// the slot; -1 for a day off) and returns the riders of each venue, sorted.
std::vector<std::vector<int>> SendJockeysToVenues(World& world, const std::vector<int>& venues,
                                                  Day day, Rng& rng);

// Books the riders of `race` from those at its venue and sets the weights
// they carry.
void BookJockeys(World& world, Race& race, const std::vector<int>& venueJockeys, Rng& rng);

// Pattern, previous rider, Get and Give of every runner, as the judgement
// will see them from the horses' run histories.
void ClassifyRunners(const World& world, Race& race);

}  // namespace quindle::jvsim::league
