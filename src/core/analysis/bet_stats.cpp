#include "core/analysis/bet_stats.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/analysis/riding_pattern.h"
#include "core/model/out_data.h"
#include "core/store/codes.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

constexpr double kPercent = 100.0;
constexpr double kStake = 100.0;  // yen per ticket

std::string JockeyGroup(const ScannedRunner& runner) {
    return text::ToUtf8(JockeyTableName(runner.jockeyShort.View()));
}

std::string ClassMoveGroup(int move) {
    switch (move) {
        case model::kClassSame:
            return "同格";
        case model::kClassUp:
            return "昇級";
        case model::kClassDown:
            return "降級";
        default:
            return "不明";
    }
}

std::string GetGiveGroup(const ScannedRunner& runner) {
    if (runner.get && runner.give) return "Get+Give";
    if (runner.get) return "Get";
    if (runner.give) return "Give";
    return "なし";
}

// A sort key that puts the groups in their reading order: patterns as on the
// card, class moves and Get/Give by meaning, the rest by name.
std::string GroupKey(const ScannedRunner& runner, GroupBy by, std::string& name) {
    switch (by) {
        case GroupBy::kPattern:
            name = PatternName(runner.pattern);
            return std::to_string(static_cast<int>(
                runner.pattern == RidingPattern::kNone ? 9 : static_cast<int>(runner.pattern)));
        case GroupBy::kJockey:
            name = JockeyGroup(runner);
            return name;
        case GroupBy::kVenue:
            name = text::ToUtf8(text::TrimBlanks(store::VenueName(runner.Venue(), 2)));
            return std::string(runner.Venue());
        case GroupBy::kPopularity:
            name = PopularityGroup(runner.popularity);
            return name;
        case GroupBy::kClassMove:
            name = ClassMoveGroup(runner.classMove);
            return std::to_string(runner.classMove == 0 ? 9 : runner.classMove);
        case GroupBy::kGetGive:
            name = GetGiveGroup(runner);
            return std::to_string((runner.get ? 0 : 2) + (runner.give ? 0 : 1));
    }
    return name;
}

constexpr int kOddsToYen = 10;  // odds in tenths times 10: yen per 100 yen
constexpr int kThreePlacesFrom = 8;
constexpr int kTwoPlacesFrom = 5;

template <typename Table>
int PaidOn(const Table& table, int horseNumber) {
    int paid = 0;
    for (const auto& entry : table) {
        if (horseNumber > 0 && entry.Key == horseNumber) paid += entry.Payout;
    }
    return paid;
}

}  // namespace

void SetTicketPayouts(ScannedRunner& r, const model::RacePayouts* payouts, int starters) {
    r.winPayout.reset();
    r.placePayout.reset();
    // A payout record of a race not yet run (no winner in it) tells nothing.
    const auto anyKey = [](const auto& table) {
        return std::any_of(table.begin(), table.end(),
                           [](const model::NumberPayout& p) { return p.Key > 0; });
    };
    if (payouts && anyKey(payouts->Win)) {
        r.winPayout = PaidOn(payouts->Win, r.horseNumber);
    } else if (r.finish != 1) {
        r.winPayout = 0;
    } else if (r.winOddsTenths > 0) {
        r.winPayout = r.winOddsTenths * kOddsToYen;
    }
    if (payouts && anyKey(payouts->Place)) {
        r.placePayout = PaidOn(payouts->Place, r.horseNumber);
        r.placed = *r.placePayout > 0;
        return;
    }
    const int places = starters >= kThreePlacesFrom ? 3 : starters >= kTwoPlacesFrom ? 2 : 0;
    r.placed = r.finish >= 1 && r.finish <= places;
}

RateEstimate HitRate(std::int64_t hits, std::int64_t n, double z) {
    if (n <= 0) return {};
    const double nn = static_cast<double>(n);
    const double p = static_cast<double>(hits) / nn;
    const double z2 = z * z;
    const double centre = (p + z2 / (2 * nn)) / (1 + z2 / nn);
    const double half = z / (1 + z2 / nn) * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn));
    return {p * kPercent, std::max(0.0, centre - half) * kPercent,
            std::min(1.0, centre + half) * kPercent};
}

RateEstimate ReturnRate(std::int64_t n, double paid, double paidSquares, double z) {
    if (n <= 0) return {};
    const double nn = static_cast<double>(n);
    // Payouts are per 100 yen, so their mean is the return in percent.
    const double mean = paid / nn * (kPercent / kStake);
    double half = 0.0;
    if (n > 1) {
        const double variance = std::max(0.0, (paidSquares - paid * paid / nn) / (nn - 1));
        half = z * std::sqrt(variance / nn) * (kPercent / kStake);
    }
    return {mean, std::max(0.0, mean - half), mean + half};
}

void TicketTally::Add(bool hit, const std::optional<int>& payout) {
    if (hit) ++hits;
    if (!payout) return;
    ++tickets;
    const double p = *payout;
    paid += p;
    paidSquares += p * p;
}

void BetTally::Add(const ScannedRunner& runner) {
    if (!runner.Ran()) return;
    ++runners;
    win.Add(runner.finish == 1, runner.winPayout);
    place.Add(runner.placed, runner.placePayout);
}

const std::string& PatternTextOf(RidingPattern pattern) {
    static const std::string empty;
    switch (pattern) {
        case RidingPattern::kTenNori:
            return text::Sj("テン乗り");
        case RidingPattern::kRenzokuKijo:
            return text::Sj("連続騎乗");
        case RidingPattern::kNoriModori:
            return text::Sj("乗り戻り");
        case RidingPattern::kNone:
            break;
    }
    return empty;
}

std::string PatternName(RidingPattern pattern) {
    switch (pattern) {
        case RidingPattern::kTenNori:
            return "テン乗り";
        case RidingPattern::kRenzokuKijo:
            return "連続騎乗";
        case RidingPattern::kNoriModori:
            return "乗り戻り";
        case RidingPattern::kNone:
            break;
    }
    return "なし";
}

std::string PopularityGroup(int popularity) {
    const std::string letter = PopularityLetter(popularity);
    if (letter.empty()) return "-";
    static const std::map<std::string, std::string> ranges = {
        {"A", "(1)"},   {"B", "(2-3)"},   {"C", "(4-5)"},
        {"D", "(6-9)"}, {"E", "(10-13)"}, {"F", "(14-)"},
    };
    return letter + ranges.at(letter);
}

std::vector<GroupTally> TallyBy(std::span<const ScannedRunner> runners, GroupBy by) {
    std::map<std::string, GroupTally> groups;
    GroupTally total{"合計", {}};
    std::string name;
    for (const ScannedRunner& runner : runners) {
        if (!runner.Ran()) continue;
        const std::string key = GroupKey(runner, by, name);
        GroupTally& group = groups[key];
        if (group.group.empty()) group.group = name;
        group.tally.Add(runner);
        total.tally.Add(runner);
    }
    std::vector<GroupTally> out;
    out.reserve(groups.size() + 1);
    for (auto& [key, group] : groups) out.push_back(std::move(group));
    out.push_back(std::move(total));
    return out;
}

}  // namespace quindle::analysis
