#include "jvsim/league/outcome.h"

#include <algorithm>
#include <cmath>

namespace quindle::jvsim::league {
namespace {

double AgeCurve(int age, int month) {
    switch (age) {
        case 2:
            return -0.35 + 0.03 * std::max(0, month - 6);
        case 3:
            return month <= 6 ? -0.12 : -0.04;
        case 4:
        case 5:
            return 0.0;
        case 6:
            return -0.1;
        case 7:
            return -0.25;
        default:
            return -0.4;
    }
}

double Strength(const World& world, const RaceInfo& s, const Runner& r, Rng& rng) {
    const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
    const Jockey& j = world.jockeys[static_cast<std::size_t>(r.jockey)];
    double surfaceFit = (s.surface == Surface::Turf ? h.turfPref - 0.5 : 0.5 - h.turfPref) * 1.2;
    double dd = (s.distance - h.bestDistance) / 600.0;
    double value = h.ability + surfaceFit - 0.6 * dd * dd +
                   AgeCurve(r.age, YmdFromDay(s.date).month) + (j.skill - 0.5) * 0.6 -
                   (r.carried - 560) * 0.005 + rng.Normal() * 0.35;
    return 1.25 * value;
}

}  // namespace

int StandardTimeTenths(const RaceInfo& s, Rng& rng) {
    double km = s.distance / 1000.0;
    double perKm = s.surface == Surface::Turf ? 57.8 + 1.3 * (km - 1.0) : 61.0 + 1.6 * (km - 1.0);
    double t = km * perKm;
    static constexpr double kTurfGoing[] = {0, 0.006, 0.015, 0.03};
    static constexpr double kDirtGoing[] = {0, -0.003, -0.006, -0.008};
    int going = std::clamp(s.Going(), 1, 4) - 1;
    t *= 1.0 + (s.surface == Surface::Turf ? kTurfGoing[going] : kDirtGoing[going]);
    int level = s.Graded()                  ? 8
                : s.condition == kOpen      ? 6
                : s.condition == kThreeWins ? 5
                : s.condition == kTwoWins   ? 4
                : s.condition == kOneWin    ? 3
                                            : 2;
    t *= 1.0 - 0.0015 * (level - 2) + 0.004 * rng.Normal();
    return static_cast<int>(t * 10.0 + 0.5);
}

std::string MarginCode(int tenths, Rng& rng) {
    switch (tenths) {
        case 0: {
            static constexpr const char* kClose[] = {"H  ", "A  ", "K  "};
            return kClose[rng.Below(3)];
        }
        case 1:
            return rng.Chance(0.5) ? "12 " : "34 ";
        case 2:
            return rng.Chance(0.5) ? "1  " : "114";
        case 3:
            return rng.Chance(0.5) ? "112" : "134";
        case 4:
            return "2  ";
        case 5:
            return "212";
        case 6:
            return "3  ";
        case 7:
            return "312";
        case 8:
            return "4  ";
        case 9:
        case 10:
            return "5  ";
        case 11:
        case 12:
            return "6  ";
        case 13:
            return "7  ";
        case 14:
            return "8  ";
        case 15:
            return "9  ";
        default:
            return tenths < 20 ? "Z  " : "T  ";
    }
}

void WeighIn(const World& world, Runner& r, Rng& rng) {
    const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
    if (h.lastWeight == 0) {
        r.firstWeighing = true;
        r.bodyWeight = h.baseWeight + 2 * rng.Range(-3, 3);
        r.weightChange = 0;
        return;
    }
    int change = 2 * static_cast<int>(std::lround(rng.Normal() * 2.0));
    // Drift back towards the horse's own weight.
    if (h.lastWeight > h.baseWeight + 12) change -= 2;
    if (h.lastWeight < h.baseWeight - 12) change += 2;
    r.bodyWeight = std::clamp(h.lastWeight + change, 360, 598);
    r.weightChange = r.bodyWeight - h.lastWeight;
}

namespace {

// Positions (1..) of the runners in `order` by the values of `key` (smaller
// first); runners not in `order` keep 0.
void RankInto(const std::vector<int>& order, const std::vector<double>& key,
              std::vector<int>& rank) {
    std::vector<int> idx = order;
    std::sort(idx.begin(), idx.end(), [&](int a, int b) {
        auto ua = static_cast<std::size_t>(a), ub = static_cast<std::size_t>(b);
        return key[ua] != key[ub] ? key[ua] < key[ub] : a < b;
    });
    for (std::size_t k = 0; k < idx.size(); ++k)
        rank[static_cast<std::size_t>(idx[k])] = static_cast<int>(k) + 1;
}

}  // namespace

std::vector<int> AnnouncementTimes(int postTime, Rng& rng) {
    std::vector<int> times;
    const int post = MinutesOf(postTime);
    int t = 9 * 60 + 30 + rng.Range(0, 5);
    while (t < post - 8) {
        times.push_back(t / 60 * 100 + t % 60);
        t += rng.Range(30, 60);
    }
    int last = post - 2;
    times.push_back(last / 60 * 100 + last % 60);
    return times;
}

RaceOutcome RunRace(const World& world, Race& race, Rng& rng, bool withSeries) {
    RaceInfo& s = race.info;
    const int n = static_cast<int>(race.runners.size());
    const auto un = static_cast<std::size_t>(n);
    RaceOutcome out;

    std::vector<double> strength(un), finalMarket(un), drift(un);
    for (std::size_t i = 0; i < un; ++i) {
        Runner& r = race.runners[i];
        strength[i] = Strength(world, s, r, rng);
        r.strength = strength[i];
        finalMarket[i] = strength[i] + rng.Normal() * 0.2;
        r.market = finalMarket[i];
        drift[i] = rng.Normal() * 0.45;
        r.style = world.horses[static_cast<std::size_t>(r.horse)].style;
        WeighIn(world, r, rng);
    }

    // A scratch now and then, announced some time in the morning.
    int scratchedRunner = -1;
    int scratchAt = 0;
    if (n >= 9 && rng.Chance(0.07)) {
        scratchedRunner = static_cast<int>(rng.Below(static_cast<std::uint32_t>(n)));
        scratchAt =
            AddMinutesHhmm(800, rng.Range(0, std::max(0, MinutesOf(s.postTime) - 8 * 60 - 30)));
        race.runners[static_cast<std::size_t>(scratchedRunner)].abnormality = kScratched;
    }
    std::vector<int> brackets;
    for (const Runner& r : race.runners) brackets.push_back(r.bracket);
    const int starters = n - (scratchedRunner >= 0 ? 1 : 0);
    const int placesPaid = starters <= 7 ? 2 : 3;
    const std::int64_t poolScale =
        30000 * (s.Graded() ? (s.grade == 'A' ? 60 : 8) : 1 + s.raceNumber / 6);

    auto board = [&](double progress, bool scratchKnown, bool full) {
        std::vector<double> m(un);
        std::vector<char> scratched(un, 0);
        for (std::size_t i = 0; i < un; ++i) {
            m[i] = finalMarket[i] + drift[i] * (1.0 - progress) +
                   (progress < 1.0 ? rng.Normal() * 0.04 : 0.0);
        }
        if (scratchKnown && scratchedRunner >= 0)
            scratched[static_cast<std::size_t>(scratchedRunner)] = 1;
        MarketModel model(WinProbabilities(m, scratched), placesPaid, full);
        OddsBoard b = MakeOddsBoard(model, brackets, poolScale);
        return std::make_pair(std::move(b), std::move(model));
    };

    if (withSeries) {
        std::vector<int> times = AnnouncementTimes(s.postTime, rng);
        const int first = MinutesOf(times.front());
        const int post = MinutesOf(s.postTime);
        // Sunday races are on sale from Saturday afternoon.
        if (s.weekdayCode == 2) {
            auto [b, model] = board(-0.3, false, false);
            b.day = s.date - 1;
            b.hhmm = 1700;
            b.kind = kEveOddsKind;
            out.series.push_back(std::move(b));
        }
        for (std::size_t k = 0; k < times.size(); ++k) {
            double progress =
                post > first ? static_cast<double>(MinutesOf(times[k]) - first) / (post - first)
                             : 1.0;
            bool known = scratchedRunner >= 0 && times[k] >= scratchAt;
            auto [b, model] = board(std::min(progress, 0.97), known, false);
            b.day = s.date;
            b.hhmm = times[k];
            b.kind = k + 1 == times.size() ? kLastOddsKind : kMidSaleOddsKind;
            out.series.push_back(std::move(b));
        }
    }
    {
        auto [b, model] = board(1.0, true, true);
        b.day = s.date;
        b.hhmm = s.postTime;
        b.kind = kFinalOddsKind;
        out.final = std::move(b);
        out.finalModel.emplace(std::move(model));
    }
    for (std::size_t i = 0; i < un; ++i) {
        race.runners[i].winOdds = std::max(0, out.final.win[i]);
        race.runners[i].winPopularity = out.final.winPop[i];
    }

    // The finishing order: strength plus Gumbel noise draws the Plackett-Luce
    // order that the win probabilities describe.
    std::vector<int> runningOrder;
    std::vector<double> key(un, 0);
    for (int i = 0; i < n; ++i) {
        if (i == scratchedRunner) continue;
        key[static_cast<std::size_t>(i)] = -(strength[static_cast<std::size_t>(i)] + rng.Gumbel());
        runningOrder.push_back(i);
    }
    std::sort(runningOrder.begin(), runningOrder.end(), [&](int a, int b) {
        auto ua = static_cast<std::size_t>(a), ub = static_cast<std::size_t>(b);
        return key[ua] != key[ub] ? key[ua] < key[ub] : a < b;
    });
    int pulledUp = -1;
    if (runningOrder.size() > 4 && rng.Chance(0.008)) {
        std::size_t k = 1 + rng.Below(static_cast<std::uint32_t>(runningOrder.size() - 1));
        pulledUp = runningOrder[k];
        runningOrder.erase(runningOrder.begin() + static_cast<std::ptrdiff_t>(k));
        race.runners[static_cast<std::size_t>(pulledUp)].abnormality = kPulledUp;
    }
    const int finishers = static_cast<int>(runningOrder.size());
    // A dead heat now and then, most often for a paid place.
    int deadHeatAt = -1;  // position index k: runningOrder[k] and [k + 1] share a place
    if (finishers >= 4 && rng.Chance(0.02)) {
        deadHeatAt = rng.Chance(0.6)
                         ? static_cast<int>(rng.Below(3))
                         : static_cast<int>(rng.Below(static_cast<std::uint32_t>(finishers - 1)));
    }

    // Times: gaps to the horse ahead from the strength differences.
    const int winnerTime = StandardTimeTenths(s, rng);
    std::vector<int> gap(static_cast<std::size_t>(finishers), 0);
    for (int k = 1; k < finishers; ++k) {
        double d = key[static_cast<std::size_t>(runningOrder[static_cast<std::size_t>(k)])] -
                   key[static_cast<std::size_t>(runningOrder[static_cast<std::size_t>(k - 1)])];
        int g = static_cast<int>(d * 1.6 + std::fabs(rng.Normal()) * 0.7);
        if (k >= finishers - 2 && rng.Chance(0.3)) g += rng.Range(2, 10);
        gap[static_cast<std::size_t>(k)] = std::clamp(g, 0, 30);
    }
    if (deadHeatAt >= 0) gap[static_cast<std::size_t>(deadHeatAt + 1)] = 0;

    int behind = 0;
    int position = 0;
    for (int k = 0; k < finishers; ++k) {
        Runner& r =
            race.runners[static_cast<std::size_t>(runningOrder[static_cast<std::size_t>(k)])];
        behind += gap[static_cast<std::size_t>(k)];
        bool tiedWithAhead = deadHeatAt >= 0 && k == deadHeatAt + 1;
        if (!tiedWithAhead) position = k + 1;
        r.finish = position;
        r.passingOrder = position;
        r.deadHeat = deadHeatAt >= 0 && (k == deadHeatAt || k == deadHeatAt + 1);
        r.timeTenths = winnerTime + behind;
        r.behindTenths = behind;
        if (k == 0) {
            r.margin = "   ";
        } else if (tiedWithAhead) {
            r.margin = "D  ";
        } else {
            r.margin = MarginCode(gap[static_cast<std::size_t>(k)], rng);
        }
    }
    // The winner's time difference is its lead over the second, shown negative.
    if (finishers >= 2) {
        Runner& w = race.runners[static_cast<std::size_t>(runningOrder[0])];
        w.behindTenths = -gap[1];
    }

    // Corner positions: early position from the running style, drifting
    // towards the finishing order.
    std::vector<int> passing = runningOrder;
    if (pulledUp >= 0) passing.push_back(pulledUp);
    std::vector<double> early(un, 0), finalRank(un, 0);
    for (std::size_t k = 0; k < passing.size(); ++k) {
        auto i = static_cast<std::size_t>(passing[k]);
        early[i] = race.runners[i].style + rng.Normal() * 0.7;
        finalRank[i] = static_cast<double>(k) / std::max<std::size_t>(1, passing.size() - 1) * 4.0;
    }
    const bool straight = s.track == 10;
    const int firstCorner = straight ? 5 : s.distance <= 1400 ? 3 : 1;
    static constexpr double kMix[] = {0.1, 0.25, 0.45, 0.7};
    for (int c = firstCorner; c <= 4; ++c) {
        std::vector<double> v(un, 0);
        for (int i : passing) {
            auto u = static_cast<std::size_t>(i);
            double w = kMix[c - 1];
            v[u] = (1 - w) * early[u] + w * finalRank[u] + rng.Normal() * 0.25;
        }
        std::vector<int> rank(un, 0);
        RankInto(passing, v, rank);
        for (int i : passing)
            race.runners[static_cast<std::size_t>(i)].corners[static_cast<std::size_t>(c - 1)] =
                rank[static_cast<std::size_t>(i)];
    }

    // Last three furlongs.
    double base3f = (s.surface == Surface::Turf ? 34.6 : 37.6) + (s.distance - 1600) / 1000.0 * 1.0;
    if (s.surface == Surface::Turf) base3f += 0.4 * (s.turfGoing - 1);
    int best3f = 9999;
    for (int k = 0; k < finishers; ++k) {
        Runner& r =
            race.runners[static_cast<std::size_t>(runningOrder[static_cast<std::size_t>(k)])];
        static constexpr double kStyle[] = {0.4, 0.1, -0.3, -0.6};
        double t = base3f + 0.12 * k + kStyle[std::clamp(r.style, 1, 4) - 1] + rng.Normal() * 0.4;
        r.last3f = std::clamp(static_cast<int>(t * 10 + 0.5), 320, 460);
        best3f = std::min(best3f, r.last3f);
    }
    race.last3f = best3f == 9999 ? 0 : best3f + rng.Range(0, 6);
    race.front3f = std::clamp(
        static_cast<int>((s.surface == Surface::Turf ? 35.0 : 36.0) * 10 + rng.Normal() * 8), 320,
        420);

    // Prize money: a dead heat shares the prizes of the places it covers.
    for (int k = 0; k < finishers; ++k) {
        Runner& r =
            race.runners[static_cast<std::size_t>(runningOrder[static_cast<std::size_t>(k)])];
        int pos = r.finish;
        auto prizeAt = [&](int p) {
            return p >= 1 && p <= 5 ? s.prize[static_cast<std::size_t>(p - 1)] : 0;
        };
        auto addedAt = [&](int p) {
            return p >= 1 && p <= 3 ? s.added[static_cast<std::size_t>(p - 1)] : 0;
        };
        if (r.deadHeat) {
            r.prize = (prizeAt(pos) + prizeAt(pos + 1)) / 2;
            r.added = (addedAt(pos) + addedAt(pos + 1)) / 2;
        } else {
            r.prize = prizeAt(pos);
            r.added = addedAt(pos);
        }
    }

    // 相手馬: the second for the winner (the other winner in a dead heat), the
    // winner for everybody else.
    if (finishers >= 2) {
        int winner = runningOrder[0];
        int second = runningOrder[1];
        for (Runner& r : race.runners) r.opponent = winner;
        race.runners[static_cast<std::size_t>(winner)].opponent = second;
    }

    race.starters = starters;
    race.finishers = finishers;
    race.resultsAt = AddMinutesHhmm(s.postTime, 8 + s.distance / 1000);
    return out;
}

}  // namespace quindle::jvsim::league
