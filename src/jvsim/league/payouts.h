#pragma once
// Payouts of a race from its finishing order and its final odds. A dead heat
// pays every combination that one of the tied orders makes, each from a share
// of the pool, as a pari-mutuel pool does.

#include <array>
#include <cstdint>
#include <vector>

#include "jvsim/league/market.h"
#include "jvsim/league/race.h"

namespace quindle::jvsim::league {

enum class Bet { Win, Place, Bracket, Quinella, Wide, Exacta, Trio, Trifecta };
inline constexpr int kBetCount = 8;

struct Payout {
    std::vector<int> combo;  // horse numbers (brackets for Bet::Bracket), in the record's order
    std::int64_t yen = 0;    // per 100-yen ticket
    int popularity = 0;
};

struct Payouts {
    std::array<std::vector<Payout>, kBetCount> bets;
    std::vector<int> refundedHorses;  // scratched horse numbers
    bool bracketSold = false;
    int placesPaid = 3;
    const std::vector<Payout>& Of(Bet b) const { return bets[static_cast<std::size_t>(b)]; }
};

Payouts ComputePayouts(const Race& race, const OddsBoard& finalOdds, const MarketModel& model);

}  // namespace quindle::jvsim::league
