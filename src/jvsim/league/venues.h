#pragma once
// Racecourses: the ten JRA venues with their courses, the local tracks and the
// overseas races the league's horses run in, and post times.

#include <span>
#include <string_view>

#include "jvsim/league/basics.h"

namespace quindle::jvsim::league {

struct Course {
    int distance;
    int track;  // トラックコード
};

struct CentralVenue {
    std::string_view code;  // "01".."10"
    Centre centre;
    Turn turn;
    std::span<const Course> turf;
    std::span<const Course> dirt;
};

// Venue 1..10.
const CentralVenue& CentralVenueAt(int venue);

struct LocalVenue {
    std::string_view code;  // "30" and up
    Turn turn;
    std::span<const int> distances;
};
std::span<const LocalVenue> LocalVenues();

struct OverseasRace {
    int month;
    int weekday;  // 0 Sunday .. 6 Saturday
    int nth;      // 1.. the nth such weekday of the month; -1 the last
    std::string_view code;
    Surface surface;
    int distance;
    int raceNumber;
};
std::span<const OverseasRace> OverseasRaces();

// Post time hhmm of race `raceNumber` (1..12) at the venue in `slot` (0 the
// day's main venue) of a race day.
int PostTime(int raceNumber, int slot);

// Track code of a local or overseas course.
int DirtTrack(Turn turn);
int TurfTrack(Turn turn);

}  // namespace quindle::jvsim::league
