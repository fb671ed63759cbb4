#include "core/analysis/bet_stats.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/model/out_data.h"

namespace quindle::analysis {
namespace {

TEST(HitRate, WilsonIntervalStaysInsideZeroToHundred) {
    struct Case {
        std::int64_t hits, n;
        double value, low, high;
    };
    const Case cases[] = {
        {0, 0, 0.0, 0.0, 0.0},      // no sample: no rate, no interval
        {5, 10, 50.0, 23.7, 76.3},  // symmetric around a half
        {0, 10, 0.0, 0.0, 27.8},    // no hit still leaves room above
        {10, 10, 100.0, 72.2, 100.0}, {80, 1000, 8.0, 6.47, 9.85},  // a large sample narrows it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hits) + "/" + std::to_string(c.n));
        const RateEstimate r = HitRate(c.hits, c.n);
        EXPECT_NEAR(r.value, c.value, 0.05);
        EXPECT_NEAR(r.low, c.low, 0.05);
        EXPECT_NEAR(r.high, c.high, 0.05);
    }
}

TEST(ReturnRate, MeanPayoutPerHundredYenWithNormalInterval) {
    // Three tickets, one paying 300 yen: 100% returned, s = 173.2, s/√3 = 100.
    const RateEstimate r = ReturnRate(3, 300.0, 90000.0);
    EXPECT_DOUBLE_EQ(r.value, 100.0);
    EXPECT_NEAR(r.high, 100.0 + 196.0, 0.1);
    EXPECT_DOUBLE_EQ(r.low, 0.0);  // a return is never below nothing

    const RateEstimate one = ReturnRate(1, 250.0, 62500.0);
    EXPECT_DOUBLE_EQ(one.value, 250.0);  // one ticket: no spread to measure
    EXPECT_DOUBLE_EQ(one.low, 250.0);
    const RateEstimate none = ReturnRate(0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(none.value, 0.0);
}

ScannedRunner Runner(int number, int finish, int oddsTenths = 0) {
    ScannedRunner r;
    r.horseNumber = number;
    r.finish = finish;
    r.winOddsTenths = oddsTenths;
    return r;
}

model::RacePayouts Payouts(std::vector<std::pair<int, int>> win,
                           std::vector<std::pair<int, int>> place) {
    model::RacePayouts p;
    for (size_t i = 0; i < win.size(); ++i) p.Win[i] = {win[i].first, 1, win[i].second};
    for (size_t i = 0; i < place.size(); ++i) p.Place[i] = {place[i].first, 1, place[i].second};
    return p;
}

TEST(TicketPayouts, FromThePayoutRecordElseTheOdds) {
    const model::RacePayouts paid = Payouts({{3, 450}}, {{3, 160}, {7, 210}, {1, 330}});
    const model::RacePayouts deadHeat =
        Payouts({{3, 250}, {5, 610}}, {{3, 110}, {5, 180}, {1, 200}});
    const model::RacePayouts notRun = Payouts({}, {});
    const model::RacePayouts noPlaceTickets = Payouts({{2, 150}}, {});
    struct Case {
        const char* what;
        ScannedRunner runner;
        const model::RacePayouts* payouts;
        int starters;
        std::optional<int> win, place;
        bool placed;
    };
    const Case cases[] = {
        {"winner", Runner(3, 1), &paid, 12, 450, 160, true},
        {"third", Runner(1, 3), &paid, 12, 0, 330, true},
        {"unplaced", Runner(9, 4), &paid, 12, 0, 0, false},
        {"dead heat, each pays its own", Runner(5, 1), &deadHeat, 12, 610, 180, true},
        {"scratched", Runner(4, 0), &paid, 12, 0, 0, false},
        {"no payouts: winner by odds", Runner(3, 1, 57), nullptr, 12, 570, std::nullopt, true},
        {"no payouts: winner without odds", Runner(3, 1), nullptr, 12, std::nullopt, std::nullopt,
         true},
        {"no payouts: loser", Runner(6, 3), nullptr, 7, 0, std::nullopt, false},
        {"no payouts: second of seven", Runner(6, 2), nullptr, 7, 0, std::nullopt, true},
        {"record of a race not run", Runner(3, 0), &notRun, 12, 0, std::nullopt, false},
        {"no place tickets", Runner(2, 1), &noPlaceTickets, 4, 150, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScannedRunner r = c.runner;
        SetTicketPayouts(r, c.payouts, c.starters);
        EXPECT_EQ(r.winPayout, c.win);
        EXPECT_EQ(r.placePayout, c.place);
        EXPECT_EQ(r.placed, c.placed);
    }
}

TEST(TallyBy, CountsRunnersThatRanAndReturnsOverKnownPayouts) {
    auto runner = [](RidingPattern p, int finish, std::optional<int> win, std::optional<int> place,
                     bool placed) {
        ScannedRunner r;
        r.pattern = p;
        r.finish = finish;
        r.winPayout = win;
        r.placePayout = place;
        r.placed = placed;
        return r;
    };
    using P = RidingPattern;
    const std::vector<ScannedRunner> runners{
        runner(P::kTenNori, 1, 400, 150, true),
        runner(P::kTenNori, 5, 0, 0, false),
        runner(P::kTenNori, 0, 0, 0, false),                           // scratched: not a runner
        runner(P::kRenzokuKijo, 1, std::nullopt, std::nullopt, true),  // payouts unknown
        runner(P::kRenzokuKijo, 2, 0, std::nullopt, true),
        runner(P::kNone, 3, 0, 120, true),
    };
    const std::vector<GroupTally> groups = TallyBy(runners, GroupBy::kPattern);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].group, "テン乗り");
    EXPECT_EQ(groups[1].group, "連続騎乗");
    EXPECT_EQ(groups[2].group, "なし");
    EXPECT_EQ(groups[3].group, "合計");

    const BetTally& ten = groups[0].tally;
    EXPECT_EQ(ten.runners, 2);
    EXPECT_EQ(ten.win.hits, 1);
    EXPECT_DOUBLE_EQ(ten.win.Return().value, 200.0);
    EXPECT_DOUBLE_EQ(ten.place.Return().value, 75.0);

    const BetTally& ren = groups[1].tally;
    EXPECT_EQ(ren.runners, 2);
    EXPECT_EQ(ren.win.hits, 1);  // a hit even where its payout is unknown
    EXPECT_EQ(ren.win.tickets, 1);
    EXPECT_EQ(ren.place.tickets, 0);
    EXPECT_EQ(ren.place.hits, 2);

    EXPECT_EQ(groups[3].tally.runners, 5);
    EXPECT_EQ(groups[3].tally.win.hits, 2);
}

TEST(TallyBy, NamesGroupsAsTheCardAndTheTableDo) {
    ScannedRunner r;
    r.finish = 1;
    r.raceKey = "2025010506010211";
    r.popularity = 4;
    r.classMove = model::kClassUp;
    r.get = true;
    const std::pair<GroupBy, const char*> cases[] = {
        {GroupBy::kVenue, "中山"},  {GroupBy::kPopularity, "C(4-5)"}, {GroupBy::kClassMove, "昇級"},
        {GroupBy::kGetGive, "Get"}, {GroupBy::kPattern, "なし"},
    };
    for (const auto& [by, name] : cases) {
        EXPECT_EQ(TallyBy(std::vector{r}, by).front().group, name);
    }
}

}  // namespace
}  // namespace quindle::analysis
