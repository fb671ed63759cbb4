#pragma once
// Finish counts and prize totals that the master records report: per horse
// the 27 blocks of UM, per jockey and trainer the results blocks of KS and CH
// (this year, last year, all years). Every run the league simulates, and every
// synthetic run of a career that began before the league, goes through Add, so
// the blocks always agree with each other.

#include <array>
#include <cstdint>
#include <string>

#include "jvsim/league/basics.h"
#include "jvsim/league/calendar.h"

namespace quindle::jvsim::league {

// One run as the counts see it.
struct RunFacts {
    bool central = true;  // at one of the ten JRA venues
    int venue = 0;        // 1..10 when central
    Surface surface = Surface::Turf;
    Turn turn = Turn::Right;
    int distance = 1600;
    int going = 1;           // 1 good .. 4 heavy
    int finish = 0;          // 1.. for a finishing position; 0 for a runner that did not finish
    std::int64_t prize = 0;  // 100 yen
    std::int64_t added = 0;
    int style = 0;  // 1 front runner .. 4 deep closer; 0 unknown
};

// Distance band of the counts: 0 up to 1600 m, 1 up to 2200 m, 2 beyond.
int DistanceBand(int distance);

template <typename T>
struct FinishCounts {
    std::array<T, 6> n{};  // 1st..5th, unplaced
    void Add(int finish) { ++n[finish >= 1 && finish <= 5 ? finish - 1 : 5]; }
    std::uint64_t Starts() const {
        std::uint64_t s = 0;
        for (T v : n) s += v;
        return s;
    }
};

// The UM counts of one horse.
struct HorseCounts {
    std::array<FinishCounts<std::uint16_t>, 27> blocks{};  // in the record's block order
    std::array<std::int64_t, 6> prizes{};                  // flat, jump, flat added, ...
    std::array<std::uint16_t, 4> styles{};
    std::uint16_t racesRun = 0;
    void Add(const RunFacts& run);
};

// One results block of KS or CH.
struct PersonYear {
    int year = 0;
    std::int64_t flatPrize = 0;
    std::int64_t flatAdded = 0;
    FinishCounts<std::uint32_t> flat;
    std::array<FinishCounts<std::uint32_t>, 10> venues{};
    std::array<FinishCounts<std::uint32_t>, 3> turf{};
    std::array<FinishCounts<std::uint32_t>, 3> dirt{};
    void Add(const RunFacts& run);
};

struct PersonResults {
    PersonYear thisYear;
    PersonYear lastYear;
    PersonYear allYears;
    // Starts the year `year`: this year's block becomes last year's.
    void Roll(int year);
    void Add(const RunFacts& run);
};

// A race as the masters refer to it (first ride, first win, graded wins).
struct RaceRef {
    Day date = 0;  // 0: none
    std::string venue;
    int meeting = 0;
    int dayOfMeeting = 0;
    int raceNumber = 0;
    int starters = 0;
    std::string pedigree;   // 10 digits
    std::string horseName;  // CP932
    int finish = 0;
    // Graded wins only:
    std::string raceName, short10, short6, short3;  // CP932
    char grade = ' ';
};

}  // namespace quindle::jvsim::league
