#include "jvsim/league/market.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "jvsim/league/rng.h"

namespace quindle::jvsim::league {
namespace {

int OddsTenths(double returnRate, double p, int maxTenths) {
    if (!(p > 0)) return maxTenths;
    double t = std::floor(returnRate * 10.0 / p);
    if (t < 10) t = 10;
    if (t > maxTenths) t = maxTenths;
    return static_cast<int>(t);
}

// Ranks 1.. of the entries with odds >= 0 by (odds, tie, index); 0 otherwise.
std::vector<int> RankBy(const std::vector<int>& odds, const std::vector<int>& tie) {
    std::vector<int> idx;
    for (int i = 0; i < static_cast<int>(odds.size()); ++i) {
        if (odds[static_cast<std::size_t>(i)] >= 0) idx.push_back(i);
    }
    std::sort(idx.begin(), idx.end(), [&](int a, int b) {
        auto ua = static_cast<std::size_t>(a), ub = static_cast<std::size_t>(b);
        if (odds[ua] != odds[ub]) return odds[ua] < odds[ub];
        if (!tie.empty() && tie[ua] != tie[ub]) return tie[ua] < tie[ub];
        return a < b;
    });
    std::vector<int> rank(odds.size(), 0);
    for (std::size_t k = 0; k < idx.size(); ++k)
        rank[static_cast<std::size_t>(idx[k])] = static_cast<int>(k) + 1;
    return rank;
}

}  // namespace

int TrioCount(int n) {
    return n < 3 ? 0 : n * (n - 1) * (n - 2) / 6;
}

int TrioIndex(int a, int b, int c, int n) {
    // Combinations before those starting with a, then with (a, b), then c.
    int index = 0;
    for (int x = 0; x < a; ++x) index += (n - 1 - x) * (n - 2 - x) / 2;
    for (int y = a + 1; y < b; ++y) index += n - 1 - y;
    return index + (c - b - 1);
}

int BracketComboIndex(int x, int y) {
    int index = 0;
    for (int i = 1; i < x; ++i) index += 9 - i;
    return index + (y - x);
}

std::vector<double> WinProbabilities(const std::vector<double>& strength,
                                     const std::vector<char>& scratched) {
    double top = -1e300;
    for (std::size_t i = 0; i < strength.size(); ++i) {
        if (!scratched[i]) top = std::max(top, strength[i]);
    }
    std::vector<double> p(strength.size(), 0.0);
    double sum = 0;
    for (std::size_t i = 0; i < strength.size(); ++i) {
        if (scratched[i]) continue;
        p[i] = Exp(strength[i] - top);
        sum += p[i];
    }
    for (double& v : p) v /= sum;
    return p;
}

MarketModel::MarketModel(std::vector<double> p, int placesPaid, bool full)
    : n_(static_cast<int>(p.size())), placesPaid_(placesPaid), p_(std::move(p)) {
    const auto n = static_cast<std::size_t>(n_);
    place_.assign(n, 0.0);
    pair_.assign(n * n, 0.0);
    trio_.assign(static_cast<std::size_t>(TrioCount(n_)), 0.0);
    if (full) {
        exacta_.assign(n * n, 0.0);
        wide_.assign(n * n, 0.0);
        trifecta_.assign(n * n * n, 0.0);
    }
    for (int a = 0; a < n_; ++a) {
        double pa = p_[static_cast<std::size_t>(a)];
        if (pa <= 0) continue;
        place_[static_cast<std::size_t>(a)] += pa;
        for (int b = 0; b < n_; ++b) {
            double pb = p_[static_cast<std::size_t>(b)];
            if (b == a || pb <= 0) continue;
            double rest1 = 1.0 - pa;
            double ab = pa * pb / rest1;
            pair_[Pair(std::min(a, b), std::max(a, b))] += ab;
            if (full) exacta_[Pair(a, b)] += ab;
            place_[static_cast<std::size_t>(b)] += ab;
            double rest2 = rest1 - pb;
            for (int c = 0; c < n_; ++c) {
                double pc = p_[static_cast<std::size_t>(c)];
                if (c == a || c == b || pc <= 0 || rest2 <= 0) continue;
                double abc = ab * pc / rest2;
                if (placesPaid_ >= 3) place_[static_cast<std::size_t>(c)] += abc;
                int lo = std::min({a, b, c});
                int hi = std::max({a, b, c});
                int mid = a + b + c - lo - hi;
                trio_[static_cast<std::size_t>(TrioIndex(lo, mid, hi, n_))] += abc;
                if (full) {
                    trifecta_[static_cast<std::size_t>((a * n_ + b) * n_ + c)] = abc;
                    wide_[Pair(std::min(a, b), std::max(a, b))] += abc;
                    wide_[Pair(std::min(a, c), std::max(a, c))] += abc;
                    wide_[Pair(std::min(b, c), std::max(b, c))] += abc;
                }
            }
        }
    }
}

OddsBoard MakeOddsBoard(const MarketModel& m, const std::vector<int>& brackets,
                        std::int64_t poolScale) {
    const int n = m.Runners();
    OddsBoard b;
    b.entered = n;
    b.win.assign(static_cast<std::size_t>(n), -1);
    b.placeLow.assign(static_cast<std::size_t>(n), -1);
    b.placeHigh.assign(static_cast<std::size_t>(n), -1);
    std::vector<int> starters;
    for (int i = 0; i < n; ++i) {
        if (m.Win(i) > 0) starters.push_back(i);
    }
    b.starters = static_cast<int>(starters.size());
    const int k = m.PlacesPaid();
    for (int i : starters) {
        auto u = static_cast<std::size_t>(i);
        b.win[u] = OddsTenths(kWinReturn, m.Win(i), 9999);
        // Place odds: the pool shared by the paid places; the range runs from
        // the strongest to the weakest possible fellow placers.
        std::vector<double> others;
        for (int j : starters) {
            if (j != i) others.push_back(m.Place(j));
        }
        std::sort(others.begin(), others.end());
        double qi = std::max(m.Place(i), 1e-6);
        double strong = 0, weak = 0;
        for (int x = 0; x < k - 1 && x < static_cast<int>(others.size()); ++x) {
            strong += others[others.size() - 1 - static_cast<std::size_t>(x)];
            weak += others[static_cast<std::size_t>(x)];
        }
        auto payout = [&](double fellows) {
            double q = (qi + fellows) / k;
            return std::max(1.0, 1.0 + (kPlaceReturn - q) / qi);
        };
        int low = std::clamp(static_cast<int>(std::floor(payout(strong) * 10)), 10, 9999);
        int high = std::clamp(static_cast<int>(std::floor(payout(weak) * 10)), low, 9999);
        b.placeLow[u] = low;
        b.placeHigh[u] = high;
    }
    b.winPop = RankBy(b.win, b.placeLow);
    b.placePop = RankBy(b.placeLow, b.placeHigh);

    // Bracket quinella, sold from nine runners on.
    b.bracketSold = n >= 9;
    b.bracket.fill(-1);
    b.bracketPop.fill(0);
    if (b.bracketSold) {
        std::array<double, 36> p{};
        std::array<int, 9> count{};
        for (int i = 0; i < n; ++i)
            ++count[static_cast<std::size_t>(brackets[static_cast<std::size_t>(i)])];
        for (int x = 0; x < n; ++x) {
            for (int y = x + 1; y < n; ++y) {
                int bx = brackets[static_cast<std::size_t>(x)],
                    by = brackets[static_cast<std::size_t>(y)];
                p[static_cast<std::size_t>(
                    BracketComboIndex(std::min(bx, by), std::max(bx, by)))] += m.Quinella(x, y);
            }
        }
        std::vector<int> odds(36, -1);
        for (int x = 1; x <= 8; ++x) {
            for (int y = x; y <= 8; ++y) {
                bool exists = x == y ? count[static_cast<std::size_t>(x)] >= 2
                                     : count[static_cast<std::size_t>(x)] > 0 &&
                                           count[static_cast<std::size_t>(y)] > 0;
                int idx = BracketComboIndex(x, y);
                if (exists)
                    odds[static_cast<std::size_t>(idx)] =
                        OddsTenths(kBracketReturn, p[static_cast<std::size_t>(idx)], 99999);
            }
        }
        std::vector<int> pop = RankBy(odds, {});
        for (std::size_t i = 0; i < 36; ++i) {
            b.bracket[i] = odds[i];
            b.bracketPop[i] = pop[i];
        }
    }

    // Trio odds of every combination of the field.
    const int combos = TrioCount(n);
    b.trio.assign(static_cast<std::size_t>(combos), -1);
    for (int a = 0; a < n; ++a) {
        for (int c2 = a + 1; c2 < n; ++c2) {
            for (int c3 = c2 + 1; c3 < n; ++c3) {
                if (m.Win(a) <= 0 || m.Win(c2) <= 0 || m.Win(c3) <= 0) continue;
                int idx = TrioIndex(a, c2, c3, n);
                b.trio[static_cast<std::size_t>(idx)] =
                    OddsTenths(kTrioReturn, m.Trio(idx), 999999);
            }
        }
    }
    b.trioPop = RankBy(b.trio, {});
    b.winVotes = poolScale * 10;
    b.placeVotes = poolScale * 6;
    b.bracketVotes = b.bracketSold ? poolScale * 3 : 0;
    b.trioVotes = poolScale * 14;
    return b;
}

}  // namespace quindle::jvsim::league
