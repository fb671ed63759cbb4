#pragma once
// The betting market of a race: win probabilities and what follows from them
// under the Harville model (the chance of b second after a won is b's share of
// what a left), turned into odds the way a pari-mutuel pool pays them.

#include <array>
#include <cstdint>
#include <vector>

#include "jvsim/league/calendar.h"

namespace quindle::jvsim::league {

// Return rates of the pools (the rest is the takeout).
inline constexpr double kWinReturn = 0.80;
inline constexpr double kPlaceReturn = 0.80;
inline constexpr double kBracketReturn = 0.775;
inline constexpr double kQuinellaReturn = 0.775;
inline constexpr double kWideReturn = 0.775;
inline constexpr double kExactaReturn = 0.75;
inline constexpr double kTrioReturn = 0.75;
inline constexpr double kTrifectaReturn = 0.725;

// Index of the combination a < b < c (0-based runner indices) among all
// combinations of n runners in lexicographic order.
int TrioIndex(int a, int b, int c, int n);
int TrioCount(int n);

class MarketModel {
  public:
    // `p` per runner (0 for a scratched runner), summing to 1; `placesPaid`
    // 2 or 3. With `full` the exacta, wide and trifecta tables are made too.
    MarketModel(std::vector<double> p, int placesPaid, bool full);

    int Runners() const { return n_; }
    double Win(int a) const { return p_[static_cast<std::size_t>(a)]; }
    double Place(int a) const { return place_[static_cast<std::size_t>(a)]; }
    double Quinella(int a, int b) const { return pair_[Pair(std::min(a, b), std::max(a, b))]; }
    double Exacta(int a, int b) const { return exacta_[Pair(a, b)]; }
    double Wide(int a, int b) const { return wide_[Pair(std::min(a, b), std::max(a, b))]; }
    double Trio(int index) const { return trio_[static_cast<std::size_t>(index)]; }
    double Trifecta(int a, int b, int c) const {
        return trifecta_[static_cast<std::size_t>((a * n_ + b) * n_ + c)];
    }
    int PlacesPaid() const { return placesPaid_; }

  private:
    std::size_t Pair(int a, int b) const { return static_cast<std::size_t>(a * n_ + b); }

    int n_;
    int placesPaid_;
    std::vector<double> p_, place_, pair_, exacta_, wide_, trio_, trifecta_;
};

// Data kinds of odds records: odds during the sale, the day before's last
// odds, the last odds before the post, the final odds.
inline constexpr char kMidSaleOddsKind = '1';
inline constexpr char kEveOddsKind = '2';
inline constexpr char kLastOddsKind = '3';
inline constexpr char kFinalOddsKind = '4';

// Odds of one announcement (or the final odds), per runner index, in tenths;
// -1 for a runner without odds (scratched); popularity 0 for such a runner.
struct OddsBoard {
    Day day = 0;
    int hhmm = 0;
    char kind = '1';  // data kind of the O1/O5 records
    int entered = 0;
    int starters = 0;
    std::vector<int> win, winPop;
    std::vector<int> placeLow, placeHigh, placePop;
    bool bracketSold = false;
    std::array<int, 36> bracket{};  // 枠連 in combination order 1-1, 1-2, ..., 8-8
    std::array<int, 36> bracketPop{};
    std::vector<int> trio, trioPop;  // in TrioIndex order; -1 with a scratched runner
    std::int64_t winVotes = 0, placeVotes = 0, bracketVotes = 0, trioVotes = 0;
};

// Index 0..35 of the bracket combination x <= y (1..8).
int BracketComboIndex(int x, int y);

// The odds board of a market. `brackets` gives each runner's bracket.
OddsBoard MakeOddsBoard(const MarketModel& m, const std::vector<int>& brackets,
                        std::int64_t poolScale);

// Win probabilities from strengths (softmax); scratched runners get 0.
std::vector<double> WinProbabilities(const std::vector<double>& strength,
                                     const std::vector<char>& scratched);

}  // namespace quindle::jvsim::league
