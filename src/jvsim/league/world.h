#pragma once
// The league's people and horses: what the simulation changes day by day and
// what the master records are written from.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "jvsim/league/calendar.h"
#include "jvsim/league/career_stats.h"
#include "jvsim/league/rng.h"
#include "jvsim/league/shape.h"

namespace quindle::jvsim::league {

struct Jockey {
    std::string code;                       // 5 digits
    std::string fullName, kana, shortName;  // CP932, unpadded
    Day birth = 0;
    Day licence = 0;
    Day retiredOn = 0;  // 0: riding
    int sex = 1;
    Centre centre = Centre::East;
    JockeyKind kind = JockeyKind::Central;
    int localVenue = -1;  // index into LocalVenues() for local riders
    int stableTrainer = -1;
    double skill = 0.5;  // 0..1
    int careerWins = 0;  // central wins, for the apprentice allowance
    PersonResults results;
    RaceRef firstRide, firstWin;
    std::vector<RaceRef> gradedWins;  // most recent first, at most 3
    bool dirty = true;
    bool written = false;
    // Per race day:
    int venueToday = -1;  // index into the day's venues; -1 not riding
    int lastVenue = 0;    // venue 1..10 of the last day he rode at a JRA venue
    int ridesToday = 0;

    // 騎手見習コード on `day`: 1 to 3 (4 for women) while the rider is an
    // apprentice, 0 otherwise.
    int ApprenticeCode(Day day) const;
    bool ActiveOn(Day day) const { return licence <= day && (retiredOn == 0 || day < retiredOn); }
};

struct Trainer {
    std::string code;
    std::string fullName, kana, shortName;
    Day birth = 0;
    Day licence = 0;
    int sex = 1;
    Centre centre = Centre::East;
    double quality = 0.5;
    std::vector<int> favouriteJockeys;
    PersonResults results;
    std::vector<RaceRef> gradedWins;
    bool dirty = true;
    bool written = false;
};

struct Owner {
    std::string code;  // 6 digits
    std::string name;  // CP932
    std::string silks;
};

struct Breeder {
    std::string code;  // 8 digits
    std::string name;
    std::string place;
};

struct Horse {
    std::int64_t pedigree = 0;  // 10 digits, the year of birth first
    std::string name, kana;     // CP932
    Day birth = 0;
    Day registered = 0;
    Day retiredOn = 0;
    int sex = 1;     // 1 colt, 2 filly, 3 gelding
    int coat = 3;    // coat colour code
    int symbol = 0;  // horse symbol code
    bool foreignBred = false;
    Centre centre = Centre::East;
    int trainer = 0;
    int owner = 0;
    int breeder = 0;
    std::array<int, 14> ancestors{};  // indices into World::ancestors
    float ability = 0;
    float turfPref = 0.5f;  // 1: turf only, 0: dirt only
    std::int16_t bestDistance = 1600;
    std::uint8_t style = 2;  // 1..4
    std::int16_t baseWeight = 470;
    std::int16_t lastWeight = 0;  // 0: never weighed
    std::uint8_t classWins = 0;   // wins that set the class
    std::int16_t centralStarts = 0;
    std::int16_t runs = 0;  // records in its run history (central, local, overseas)
    std::int16_t localWins = 0;
    Location loc = Location::Central;
    Day ready = 0;       // may run from this day on
    Day debutFrom = 0;   // not before this day
    Day localUntil = 0;  // a local career ends (joins the league) on this day
    int localVenue = -1;
    bool transfer = false;  // began at a local track
    bool blinkers = false;
    std::int16_t lastJockey = -1;
    // The regular rider: the first one, then whoever rode it twice in a row.
    // A stand-in rides once when he is elsewhere, and he comes back after.
    std::int16_t mainJockey = -1;
    std::vector<std::int16_t> riders;  // every rider of its recorded runs, once each
    HorseCounts counts;
    int abroadRace = -1;  // planned overseas race while abroad
    bool dirty = true;
    bool written = false;

    int AgeOn(Day day) const { return YmdFromDay(day).year - static_cast<int>(pedigree / 1000000); }
    bool RodeBy(int jockey) const;
};

struct Ancestor {
    std::string number;  // breeding registration number, 10 digits
    std::string name;    // CP932
};

struct World {
    std::uint64_t seed = 0;
    LeagueShape shape;
    std::vector<Jockey> jockeys;
    std::vector<Trainer> trainers;
    std::vector<Owner> owners;
    std::vector<Breeder> breeders;
    std::vector<Ancestor> ancestors;
    std::vector<Horse> horses;
    std::vector<int> localHorses;  // horses now racing at local tracks
    std::unordered_set<std::string> usedHorseNames;
    std::vector<int> pedigreeSerial;  // next serial per birth year offset
    int nextJockeyCode = 1;
    int nextLocalJockeyCode = 1;
};

// The world on the league's first day: people, owners, breeders, the horses
// of ages 2 to 8 with the careers they had before, and the horses whose local
// careers start at `shape.preStart`.
World CreateWorld(std::uint64_t seed, const LeagueShape& shape);

// Registers `count` two-year-olds born in `birthYear` (on 1 January of the
// year they turn two).
void RegisterCrop(World& world, Rng& rng, int birthYear, int count, Day registered);

// New apprentices licensed on `day` (1 March).
void LicenceApprentices(World& world, Rng& rng, int count, Day day);

}  // namespace quindle::jvsim::league
