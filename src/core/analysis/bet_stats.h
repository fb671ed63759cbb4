#pragma once
// Hit and return rates of bets on scanned runners, with confidence intervals
// so that a small sample is not read as a signal.
//
// Hit rates carry the Wilson score interval. Return rates (yen returned per
// 100 yen staked, in percent) carry a normal interval on the mean return of
// one ticket, mean ± z·s/√n with s the sample standard deviation of the
// returns: payouts are heavy-tailed, so the interval is wide until the sample
// is large, which is the point.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/scanned_runner.h"
#include "core/model/payout_tables.h"

namespace quindle::analysis {

// Sets the win and place payouts and `placed` of a runner from its race's
// payout tables (`payouts`; nullptr when the race has no payout record) and
// the race's number of starters. Dead heats pay every entry of the horse.
// Without a payout record a winner's ticket pays its final odds (unknown
// without odds), a loser's pays nothing, and place payouts are unknown; the
// places are then the first three of eight or more starters, the first two of
// five to seven, none below.
void SetTicketPayouts(ScannedRunner& runner, const model::RacePayouts* payouts, int starters);

// z of a two-sided 95% interval.
inline constexpr double kZ95 = 1.959963984540054;

// A rate in percent with its interval.
struct RateEstimate {
    double value = 0.0;
    double low = 0.0;
    double high = 0.0;
};

// Wilson score interval of `hits` out of `n` (all zeros for n = 0).
RateEstimate HitRate(std::int64_t hits, std::int64_t n, double z = kZ95);

// Return rate of `n` tickets that paid `paid` yen per 100 yen in all, with
// `paidSquares` the sum of the squared payouts (all zeros for n = 0).
RateEstimate ReturnRate(std::int64_t n, double paid, double paidSquares, double z = kZ95);

// Tickets of one kind (win or place) on a set of runners.
struct TicketTally {
    std::int64_t hits = 0;
    std::int64_t tickets = 0;  // tickets whose payout is known
    double paid = 0.0;         // yen returned per 100 yen, summed
    double paidSquares = 0.0;

    void Add(bool hit, const std::optional<int>& payout);
    RateEstimate Return() const { return ReturnRate(tickets, paid, paidSquares); }
};

// Runners, wins and places of a set of runners that ran, and a win and a
// place ticket of 100 yen on each.
struct BetTally {
    std::int64_t runners = 0;
    TicketTally win;
    TicketTally place;

    // Counts the runner when it ran; otherwise does nothing.
    void Add(const ScannedRunner& runner);
    RateEstimate WinHit() const { return HitRate(win.hits, runners); }
    RateEstimate PlaceHit() const { return HitRate(place.hits, runners); }
};

enum class GroupBy { kPattern, kJockey, kVenue, kPopularity, kClassMove, kGetGive };

struct GroupTally {
    std::string group;  // UTF-8
    BetTally tally;
};

// The runners that ran, tallied by `by` in a fixed order of groups (patterns
// as on the card, then those without one; jockeys and venues by name), and
// last the total as "合計".
std::vector<GroupTally> TallyBy(std::span<const ScannedRunner> runners, GroupBy by);

// Group names (UTF-8) of one runner.
std::string PatternName(RidingPattern pattern);  // "テン乗り", …, "なし"
// The pattern text of the card and the table (CP932), empty for kNone.
const std::string& PatternTextOf(RidingPattern pattern);
std::string PopularityGroup(int popularity);  // "A" to "F", "-" without one

}  // namespace quindle::analysis
