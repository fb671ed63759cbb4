#pragma once
// A runner result of the stored history as the riding-pattern judgement saw
// it on its race day, with its finish, popularity, odds and the payouts a
// win or place ticket on it returned: the unit every statistic, backtest and
// learned table counts.

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/model/fixed_types.h"

namespace quindle::analysis {

enum class RidingPattern : std::uint8_t { kNone, kTenNori, kRenzokuKijo, kNoriModori };

struct ScannedRunner {
    model::FixedString<16> raceKey;  // year, date, venue, meeting, day, race
    int date = 0;                    // yyyymmdd
    int horseNumber = 0;
    model::FixedString<5> jockeyCode;   // today's, as stored
    model::FixedString<8> jockeyShort;  // 騎手名略称, CP932 as stored
    model::FixedString<5> prevJockeyCode;
    model::FixedString<8> prevJockeyShort;
    int pastRunCount = 0;
    RidingPattern pattern = RidingPattern::kNone;
    bool get = false;
    bool give = false;
    int classMove = 0;  // model::kClassSame, kClassUp, kClassDown or 0

    int finish = 0;      // 確定着順; 0 for a runner that did not finish (scratched, excluded)
    int popularity = 0;  // 単勝人気順 at the close; 0 without one
    int winOddsTenths = 0;  // final win odds in tenths; 0 without odds
    bool placed = false;    // within the places the place tickets paid on
    // Yen a 100-yen ticket returned; nothing when the race's payouts do not
    // tell (no payout record and, for a winner, no odds either).
    std::optional<int> winPayout;
    std::optional<int> placePayout;
    double trioFavouriteOdds = 0.0;  // the race's, 0 without trio odds

    // A result the statistics count: the runner finished.
    bool Ran() const { return finish > 0; }
    std::string_view Venue() const { return raceKey.View().substr(8, 2); }
};

}  // namespace quindle::analysis
