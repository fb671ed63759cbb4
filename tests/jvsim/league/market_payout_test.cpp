// The market model and the payouts: combination order, odds ranks, and what a
// dead heat pays.

#include <gtest/gtest.h>

#include <algorithm>

#include "jvsim/league/market.h"
#include "jvsim/league/payouts.h"
#include "jvsim/league/race.h"

namespace quindle::jvsim::league {
namespace {

TEST(LeagueMarket, TrioIndexCountsCombinationsInLexicographicOrder) {
    for (int n : {3, 8, 12, 18}) {
        int expected = 0;
        for (int a = 0; a < n; ++a) {
            for (int b = a + 1; b < n; ++b) {
                for (int c = b + 1; c < n; ++c) ASSERT_EQ(TrioIndex(a, b, c, n), expected++) << n;
            }
        }
        EXPECT_EQ(expected, TrioCount(n));
    }
    EXPECT_EQ(TrioCount(18), 816);
}

TEST(LeagueMarket, PlaceAndTrioProbabilitiesAreConsistent) {
    std::vector<double> p = WinProbabilities({1.2, 0.4, 0.0, -0.3, -0.8, 0.9, -1.5, 0.1, 0.2},
                                             {0, 0, 0, 0, 1, 0, 0, 0, 0});
    EXPECT_EQ(p[4], 0.0);
    MarketModel m(p, 3, true);
    double place = 0, trio = 0;
    for (int i = 0; i < m.Runners(); ++i) place += m.Place(i);
    for (int k = 0; k < TrioCount(m.Runners()); ++k) trio += m.Trio(k);
    EXPECT_NEAR(place, 3.0, 1e-9);
    EXPECT_NEAR(trio, 1.0, 1e-9);

    OddsBoard b = MakeOddsBoard(m, {1, 2, 3, 4, 5, 6, 7, 8, 8}, 1000);
    EXPECT_EQ(b.win[4], -1);
    EXPECT_EQ(b.winPop[4], 0);
    EXPECT_EQ(b.starters, 8);
    // The strongest runner is the favourite and its place odds are a range.
    EXPECT_EQ(b.winPop[0], 1);
    for (std::size_t i = 0; i < 9; ++i) {
        if (i == 4) continue;
        EXPECT_LE(b.placeLow[i], b.placeHigh[i]);
    }
    // Trio combinations with the scratched runner have no odds.
    EXPECT_EQ(b.trio[static_cast<std::size_t>(TrioIndex(0, 1, 4, 9))], -1);
    EXPECT_GT(b.trio[static_cast<std::size_t>(TrioIndex(0, 1, 2, 9))], 0);
}

// A race of eight starters finishing in horse-number order, with `finish`
// overriding the positions.
Race EightRunners(std::vector<int> finish) {
    Race race;
    for (int i = 0; i < 8; ++i) {
        Runner r;
        r.horseNumber = i + 1;
        r.bracket = i + 1;
        r.finish = finish[static_cast<std::size_t>(i)];
        r.deadHeat = std::count(finish.begin(), finish.end(), r.finish) > 1;
        race.runners.push_back(r);
    }
    race.starters = 8;
    race.finishers = 8;
    return race;
}

std::vector<std::vector<int>> CombosOf(const Payouts& p, Bet bet) {
    std::vector<std::vector<int>> out;
    for (const auto& x : p.Of(bet)) out.push_back(x.combo);
    return out;
}

struct DeadHeatCase {
    const char* name;
    std::vector<int> finish;
    std::vector<std::vector<int>> win, place, quinella, wide, exacta, trio, trifecta;
};

TEST(LeaguePayouts, ADeadHeatPaysEveryOrderItAllows) {
    const DeadHeatCase cases[] = {
        {"third place shared",
         {1, 2, 3, 3, 5, 6, 7, 8},
         {{1}},
         {{1}, {2}, {3}, {4}},
         {{1, 2}},
         {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}},
         {{1, 2}},
         {{1, 2, 3}, {1, 2, 4}},
         {{1, 2, 3}, {1, 2, 4}}},
        {"first place shared",
         {1, 1, 3, 4, 5, 6, 7, 8},
         {{1}, {2}},
         {{1}, {2}, {3}},
         {{1, 2}},
         {{1, 2}, {1, 3}, {2, 3}},
         {{1, 2}, {2, 1}},
         {{1, 2, 3}},
         {{1, 2, 3}, {2, 1, 3}}},
        {"no dead heat",
         {3, 1, 2, 4, 5, 6, 7, 8},
         {{2}},
         {{2}, {3}, {1}},
         {{2, 3}},
         {{1, 2}, {1, 3}, {2, 3}},
         {{2, 3}},
         {{1, 2, 3}},
         {{2, 3, 1}}},
    };
    std::vector<double> p =
        WinProbabilities({0.5, 0.4, 0.3, 0.2, 0.1, 0.0, -0.1, -0.2}, std::vector<char>(8, 0));
    MarketModel m(p, 3, true);
    OddsBoard board = MakeOddsBoard(m, {1, 2, 3, 4, 5, 6, 7, 8}, 1000);
    for (const auto& c : cases) {
        Race race = EightRunners(c.finish);
        Payouts pay = ComputePayouts(race, board, m);
        EXPECT_EQ(CombosOf(pay, Bet::Win), c.win) << c.name;
        EXPECT_EQ(CombosOf(pay, Bet::Place), c.place) << c.name;
        EXPECT_EQ(CombosOf(pay, Bet::Quinella), c.quinella) << c.name;
        EXPECT_EQ(CombosOf(pay, Bet::Wide), c.wide) << c.name;
        EXPECT_EQ(CombosOf(pay, Bet::Exacta), c.exacta) << c.name;
        EXPECT_EQ(CombosOf(pay, Bet::Trio), c.trio) << c.name;
        EXPECT_EQ(CombosOf(pay, Bet::Trifecta), c.trifecta) << c.name;
        EXPECT_TRUE(pay.Of(Bet::Bracket).empty()) << "no bracket quinella with eight runners";
        for (const auto& bet : pay.bets) {
            for (const auto& x : bet) {
                EXPECT_GE(x.yen, 100) << c.name;
                EXPECT_EQ(x.yen % 10, 0) << c.name;
                EXPECT_GE(x.popularity, 1) << c.name;
            }
        }
        if (c.win.size() == 1) {
            int i = c.win[0][0] - 1;
            EXPECT_EQ(pay.Of(Bet::Win)[0].yen, board.win[static_cast<std::size_t>(i)] * 10)
                << c.name;
            EXPECT_EQ(pay.Of(Bet::Win)[0].popularity, board.winPop[static_cast<std::size_t>(i)])
                << c.name;
        } else {
            // A shared win pool pays each winner less than its own odds.
            for (const auto& x : pay.Of(Bet::Win)) {
                EXPECT_LT(x.yen, board.win[static_cast<std::size_t>(x.combo[0] - 1)] * 10)
                    << c.name;
            }
        }
    }
}

TEST(LeaguePayouts, ScratchedRunnersAreRefundedAndNeverPaid) {
    std::vector<double> p = WinProbabilities({0.5, 0.4, 0.3, 0.2, 0.1, 0.0, -0.1, -0.2, 0.3},
                                             {0, 0, 0, 0, 0, 0, 0, 0, 1});
    MarketModel m(p, 3, true);
    OddsBoard board = MakeOddsBoard(m, {1, 2, 3, 4, 5, 6, 7, 8, 8}, 1000);
    Race race = EightRunners({1, 2, 3, 4, 5, 6, 7, 8});
    Runner scratched;
    scratched.horseNumber = 9;
    scratched.bracket = 8;
    scratched.abnormality = kScratched;
    race.runners.push_back(scratched);
    Payouts pay = ComputePayouts(race, board, m);
    EXPECT_EQ(pay.refundedHorses, std::vector<int>{9});
    ASSERT_EQ(pay.Of(Bet::Bracket).size(), 1u);
    EXPECT_EQ(pay.Of(Bet::Bracket)[0].combo, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace quindle::jvsim::league
