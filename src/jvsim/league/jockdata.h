#pragma once
// The jockey recommendation table of the league (jockdata.kcsv): for every
// rider, popularity letter and riding pattern with enough rides, whether
// backing the rider to win or to place returned more than it cost in the
// league's own results. CP932 comma text with CR LF, a heading line that
// sorts before every data line.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "core/util/result.h"
#include "jvsim/league/basics.h"
#include "jvsim/league/world.h"

namespace quindle::jvsim::league {

// The popularity letter of a win popularity rank ("" for no rank).
std::string_view PopularityLetter(int rank);

class JockDataTally {
  public:
    // One ride: rider, win popularity, pattern, finish, and the win and place
    // payouts (yen per 100 yen; 0 when not paid).
    void Add(int jockey, int popularity, Pattern pattern, std::int64_t winPayout,
             std::int64_t placePayout);

    // Writes the table; returns the number of data lines.
    Result<int> Write(const std::filesystem::path& file, const World& world, int minRides) const;

  private:
    struct Cell {
        int rides = 0;
        int wins = 0;
        int places = 0;
        std::int64_t winReturn = 0;
        std::int64_t placeReturn = 0;
    };
    std::map<std::tuple<int, int, int>, Cell> cells_;  // rider, letter, pattern
};

}  // namespace quindle::jvsim::league
