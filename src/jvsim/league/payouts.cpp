#include "jvsim/league/payouts.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace quindle::jvsim::league {
namespace {

// Every order of the first three places the finishing positions allow: tied
// runners in either order.
std::vector<std::vector<int>> TopOrders(const Race& race) {
    std::vector<int> finishers;
    for (int i : race.FinishOrder()) {
        if (race.runners[static_cast<std::size_t>(i)].finish > 0) finishers.push_back(i);
    }
    std::vector<std::vector<int>> groups;
    for (int i : finishers) {
        int pos = race.runners[static_cast<std::size_t>(i)].finish;
        if (!groups.empty() &&
            race.runners[static_cast<std::size_t>(groups.back().front())].finish == pos) {
            groups.back().push_back(i);
        } else {
            groups.push_back({i});
        }
    }
    std::vector<std::vector<int>> orders{{}};
    for (const auto& g : groups) {
        if (orders.front().size() >= 3) break;
        std::vector<int> perm = g;
        std::sort(perm.begin(), perm.end());
        std::vector<std::vector<int>> next;
        do {
            for (const auto& o : orders) {
                auto e = o;
                e.insert(e.end(), perm.begin(), perm.end());
                next.push_back(std::move(e));
            }
        } while (std::next_permutation(perm.begin(), perm.end()));
        orders = std::move(next);
    }
    for (auto& o : orders) {
        if (o.size() > 3) o.resize(3);
    }
    return orders;
}

std::int64_t Yen(double oddsUnits) {
    double yen = std::floor(oddsUnits * 100.0 / 10.0) * 10.0;
    if (yen < 100) yen = 100;
    if (yen > 999999990) yen = 999999990;
    return static_cast<std::int64_t>(yen);
}

// Pay-out per unit of a winning combination c among the winners W of its pool.
double PoolPayout(double returnRate, double pc, double pWinners, std::size_t winners) {
    if (pc <= 0) return 1.0;
    return std::max(1.0, 1.0 + (returnRate - pWinners) / (static_cast<double>(winners) * pc));
}

// Rank of `p` among `all` (higher probability first); ties by order.
int PopularityOf(double p, const std::vector<double>& all, std::size_t self) {
    int rank = 1;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] > p || (all[i] == p && i < self)) ++rank;
    }
    return rank;
}

}  // namespace

Payouts ComputePayouts(const Race& race, const OddsBoard& finalOdds, const MarketModel& m) {
    Payouts out;
    const int n = static_cast<int>(race.runners.size());
    auto number = [&](int i) { return race.runners[static_cast<std::size_t>(i)].horseNumber; };
    auto bracket = [&](int i) { return race.runners[static_cast<std::size_t>(i)].bracket; };
    for (const Runner& r : race.runners) {
        if (!r.Started()) out.refundedHorses.push_back(r.horseNumber);
    }
    out.bracketSold = finalOdds.bracketSold;
    out.placesPaid = m.PlacesPaid();
    const auto orders = TopOrders(race);
    if (orders.empty() || orders.front().size() < 2) return out;

    std::set<int> win;
    std::vector<int> place;
    std::set<std::pair<int, int>> quinella, wide, exacta, bracketPairs;
    std::set<std::vector<int>> trio;
    std::vector<std::vector<int>> trifecta;
    for (const auto& o : orders) {
        win.insert(o[0]);
        for (std::size_t k = 0; k < o.size() && static_cast<int>(k) < out.placesPaid; ++k) {
            if (std::find(place.begin(), place.end(), o[k]) == place.end()) place.push_back(o[k]);
        }
        quinella.insert({std::min(o[0], o[1]), std::max(o[0], o[1])});
        exacta.insert({o[0], o[1]});
        int b0 = bracket(o[0]), b1 = bracket(o[1]);
        bracketPairs.insert({std::min(b0, b1), std::max(b0, b1)});
        if (o.size() >= 3) {
            for (int x = 0; x < 3; ++x) {
                for (int y = x + 1; y < 3; ++y) {
                    wide.insert(
                        {std::min(o[static_cast<std::size_t>(x)], o[static_cast<std::size_t>(y)]),
                         std::max(o[static_cast<std::size_t>(x)], o[static_cast<std::size_t>(y)])});
                }
            }
            std::vector<int> t = o;
            std::sort(t.begin(), t.end());
            trio.insert(t);
            if (std::find(trifecta.begin(), trifecta.end(), o) == trifecta.end())
                trifecta.push_back(o);
        }
    }
    // Place payouts in finishing order.
    std::sort(place.begin(), place.end(), [&](int a, int b) {
        int fa = race.runners[static_cast<std::size_t>(a)].finish,
            fb = race.runners[static_cast<std::size_t>(b)].finish;
        return fa != fb ? fa < fb : number(a) < number(b);
    });

    auto& wins = out.bets[static_cast<std::size_t>(Bet::Win)];
    double pWin = 0;
    for (int i : win) pWin += m.Win(i);
    for (int i : win) {
        Payout p;
        p.combo = {number(i)};
        p.yen = win.size() == 1
                    ? static_cast<std::int64_t>(finalOdds.win[static_cast<std::size_t>(i)]) * 10
                    : Yen(PoolPayout(kWinReturn, m.Win(i), pWin, win.size()));
        p.popularity = finalOdds.winPop[static_cast<std::size_t>(i)];
        wins.push_back(p);
    }
    std::sort(wins.begin(), wins.end(),
              [](const Payout& a, const Payout& b) { return a.combo < b.combo; });

    auto& places = out.bets[static_cast<std::size_t>(Bet::Place)];
    double qSum = 0;
    for (int i : place) qSum += m.Place(i);
    for (int i : place) {
        auto u = static_cast<std::size_t>(i);
        double q = std::max(m.Place(i), 1e-6);
        double units = std::max(1.0, 1.0 + (kPlaceReturn - qSum / out.placesPaid) / q);
        int tenths = static_cast<int>(std::floor(units * 10));
        tenths = std::clamp(tenths, finalOdds.placeLow[u], finalOdds.placeHigh[u]);
        Payout p;
        p.combo = {number(i)};
        p.yen = static_cast<std::int64_t>(tenths) * 10;
        p.popularity = finalOdds.placePop[u];
        places.push_back(p);
    }

    // Pairs: quinella, wide, exacta ranked among every pair of the field.
    auto pairBet = [&](Bet bet, const std::set<std::pair<int, int>>& winners, bool ordered,
                       double rate, auto prob) {
        std::vector<double> all;
        std::vector<std::pair<int, int>> keys;
        for (int a = 0; a < n; ++a) {
            for (int b = ordered ? 0 : a + 1; b < n; ++b) {
                if (a == b) continue;
                all.push_back(prob(a, b));
                keys.emplace_back(a, b);
            }
        }
        double pW = 0;
        for (const auto& w : winners) pW += prob(w.first, w.second);
        auto& list = out.bets[static_cast<std::size_t>(bet)];
        for (const auto& w : winners) {
            double pc = prob(w.first, w.second);
            Payout p;
            int x = number(w.first), y = number(w.second);
            p.combo =
                ordered ? std::vector<int>{x, y} : std::vector<int>{std::min(x, y), std::max(x, y)};
            p.yen = Yen(winners.size() == 1 ? rate / std::max(pc, 1e-9)
                                            : PoolPayout(rate, pc, pW, winners.size()));
            auto self =
                static_cast<std::size_t>(std::find(keys.begin(), keys.end(), w) - keys.begin());
            p.popularity = PopularityOf(pc, all, self);
            list.push_back(p);
        }
        std::sort(list.begin(), list.end(),
                  [](const Payout& a, const Payout& b) { return a.combo < b.combo; });
    };
    pairBet(Bet::Quinella, quinella, false, kQuinellaReturn,
            [&](int a, int b) { return m.Quinella(a, b); });
    pairBet(Bet::Exacta, exacta, true, kExactaReturn, [&](int a, int b) { return m.Exacta(a, b); });
    if (orders.front().size() >= 3) {
        pairBet(Bet::Wide, wide, false, kWideReturn, [&](int a, int b) { return m.Wide(a, b); });
    }

    if (out.bracketSold) {
        auto& list = out.bets[static_cast<std::size_t>(Bet::Bracket)];
        for (const auto& [x, y] : bracketPairs) {
            int idx = BracketComboIndex(x, y);
            Payout p;
            p.combo = {x, y};
            int odds = finalOdds.bracket[static_cast<std::size_t>(idx)];
            p.yen = bracketPairs.size() == 1 && odds > 0
                        ? static_cast<std::int64_t>(odds) * 10
                        : Yen(odds > 0 ? odds / 10.0 / bracketPairs.size() : 1.0);
            p.popularity = finalOdds.bracketPop[static_cast<std::size_t>(idx)];
            list.push_back(p);
        }
    }

    if (!trio.empty()) {
        auto& list = out.bets[static_cast<std::size_t>(Bet::Trio)];
        double pW = 0;
        for (const auto& t : trio) pW += m.Trio(TrioIndex(t[0], t[1], t[2], n));
        for (const auto& t : trio) {
            int idx = TrioIndex(t[0], t[1], t[2], n);
            Payout p;
            p.combo = {number(t[0]), number(t[1]), number(t[2])};
            p.yen =
                trio.size() == 1
                    ? static_cast<std::int64_t>(finalOdds.trio[static_cast<std::size_t>(idx)]) * 10
                    : Yen(PoolPayout(kTrioReturn, m.Trio(idx), pW, trio.size()));
            p.popularity = finalOdds.trioPop[static_cast<std::size_t>(idx)];
            list.push_back(p);
        }
        auto& tri = out.bets[static_cast<std::size_t>(Bet::Trifecta)];
        std::vector<double> all;
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) {
                for (int c = 0; c < n; ++c) {
                    if (a != b && b != c && a != c) all.push_back(m.Trifecta(a, b, c));
                }
            }
        }
        double pT = 0;
        for (const auto& t : trifecta) pT += m.Trifecta(t[0], t[1], t[2]);
        for (const auto& t : trifecta) {
            double pc = m.Trifecta(t[0], t[1], t[2]);
            Payout p;
            p.combo = {number(t[0]), number(t[1]), number(t[2])};
            p.yen =
                Yen(trifecta.size() == 1 ? kTrifectaReturn / std::max(pc, 1e-12)
                                         : PoolPayout(kTrifectaReturn, pc, pT, trifecta.size()));
            int rank = 1;
            for (double v : all) {
                if (v > pc) ++rank;
            }
            p.popularity = rank;
            tri.push_back(p);
        }
    }
    return out;
}

}  // namespace quindle::jvsim::league
