#include "jvsim/league/field.h"

#include <algorithm>
#include <array>
#include <map>

#include "core/store/codes/formatting.h"
#include "jvsim/league/programme.h"
#include "jvsim/league/venues.h"

namespace quindle::jvsim::league {
namespace {

constexpr int kMinField = 8;
// Riders kept at every venue so that a full field of 18 can be booked.
constexpr int kMinJockeysPerVenue = 24;

// Share of horses whose connections keep the last rider when he is free,
// go back to an earlier one, or move a good horse to a better rider.
constexpr double kKeepRider = 0.87;
constexpr double kBackToRegular = 0.7;   // when the last rider was a stand-in
constexpr double kBackToEarlier = 0.55;  // of the other horses that change rider
constexpr double kUpgrade = 0.08;

bool SharedVenue(int venue) {
    return venue <= 4 || venue == 10;
}

double CentreFactor(const Horse& h, int venue) {
    if (SharedVenue(venue)) return 0.8;
    return CentralVenueAt(venue).centre == h.centre ? 1.0 : 0.25;
}

double EntryWeight(const World& world, const Horse& h, const RaceInfo& s) {
    double w = s.surface == Surface::Turf ? 0.12 + h.turfPref : 1.12 - h.turfPref;
    // A horse mostly runs where its last or its regular rider rides today.
    auto slotOf = [&](int j) {
        return j >= 0 ? world.jockeys[static_cast<std::size_t>(j)].venueToday : -1;
    };
    const int lastSlot = slotOf(h.lastJockey);
    const int mainSlot = slotOf(h.mainJockey);
    if (lastSlot == s.slot) {
        w *= 8.0;
    } else if (mainSlot == s.slot) {
        w *= 4.0;
    } else if (lastSlot >= 0 || mainSlot >= 0) {
        w *= 0.08;
    }
    double dd = (s.distance - h.bestDistance) / 500.0;
    w *= 0.25 + Exp(-dd * dd);
    w *= CentreFactor(h, s.venue);
    w *= 1.0 + (s.date - h.ready) / 21.0;
    if (s.grade == 'A') {
        w *= Exp(2.5 * h.ability);
    } else if (s.Graded() || s.grade == 'L' || s.condition == kOpen) {
        w *= Exp(1.2 * h.ability);
    }
    if (s.condition == kMaiden && h.centralStarts == 0 && !h.transfer) w *= 0.25;
    return w;
}

bool OldEnough(const Horse& h, const RaceInfo& s) {
    int age = h.AgeOn(s.date);
    switch (s.raceType) {
        case kTwoYearOlds:
            return age == 2;
        case kThreeYearOlds:
            return age == 3;
        case kThreeUp:
            return age >= 3;
        default:
            return age >= 4;
    }
}

bool RidesInJapan(const Jockey& j, Day day) {
    if (!j.ActiveOn(day)) return false;
    if (j.kind == JockeyKind::Central) return true;
    if (j.kind != JockeyKind::Foreign) return false;
    int month = YmdFromDay(day).month;
    return month == 12 || month <= 3;
}

int CarriedWeight(const RaceInfo& s, const Horse& h, int age, double tier, int apprentice) {
    const bool filly = h.sex == 2;
    int month = YmdFromDay(s.date).month;
    int kg10 = 0;
    switch (s.weightType) {
        case '1':  // handicap: the better the horse, the more it carries
            kg10 = 520 + static_cast<int>(tier * 14) * 5;
            break;
        case '3':  // by age
            kg10 = age == 2 ? 550 : 570;
            if (filly) kg10 -= 20;
            break;
        default: {  // set weights, with a penalty for wins in the allowance rule
            kg10 = age == 3 && month >= 6 ? 560 : (age == 3 ? 570 : 580);
            if (filly) kg10 -= 20;
            if (s.weightType == '2') kg10 += 10 * std::min(3, std::max(0, h.classWins - 4));
            break;
        }
    }
    if (s.grade == ' ') {
        static constexpr int kAllowance[] = {0, 10, 20, 30, 40, 0, 0, 0, 0, 20};
        if (apprentice >= 0 && apprentice <= 9) kg10 -= kAllowance[apprentice];
    }
    return kg10;
}

}  // namespace

DayPool MakeDayPool(const World& world, Day day) {
    DayPool pool;
    pool.placed.assign(world.horses.size(), 0);
    for (int i = 0; i < static_cast<int>(world.horses.size()); ++i) {
        const Horse& h = world.horses[static_cast<std::size_t>(i)];
        if (h.loc == Location::Central && h.ready <= day && h.debutFrom <= day)
            pool.ready.push_back(i);
    }
    return pool;
}

bool Eligible(const Horse& h, const RaceInfo& s, bool relaxed) {
    if (h.loc != Location::Central || h.ready > s.date || h.debutFrom > s.date) return false;
    if (!OldEnough(h, s)) return false;
    if (s.filliesOnly && h.sex != 2) return false;
    const bool young = s.raceType == kTwoYearOlds || s.raceType == kThreeYearOlds;
    switch (s.condition) {
        case kNewcomer:
            return h.centralStarts == 0 && !h.transfer;
        case kMaiden:
            return h.classWins == 0;
        case kOneWin:
            return h.classWins == 1;
        case kTwoWins:
            return h.classWins == 2;
        case kThreeWins:
            return h.classWins == 3;
        default:
            if (young) return h.classWins >= (relaxed ? 0 : 1) && h.centralStarts > 0;
            return h.classWins >= (relaxed ? 2 : 4);
    }
}

void ShareFields(const World& world, std::vector<Race>& races, const DayPool& pool) {
    std::map<std::pair<int, int>, int> demand, supply;
    for (const Race& r : races) ++demand[{r.info.raceType, r.info.condition}];
    for (const auto& entry : demand) {
        const auto& cls = entry.first;
        RaceInfo probe = races.front().info;
        probe.raceType = cls.first;
        probe.condition = cls.second;
        probe.filliesOnly = false;
        int eligible = 0;
        for (int idx : pool.ready) {
            if (Eligible(world.horses[static_cast<std::size_t>(idx)], probe, false)) ++eligible;
        }
        supply[cls] = eligible;
    }
    for (Race& r : races) {
        const std::pair<int, int> cls{r.info.raceType, r.info.condition};
        int share = supply[cls] * 9 / (10 * std::max(1, demand[cls]));
        r.info.fieldTarget = std::min(r.info.fieldTarget, std::max(kMinField, share));
    }
}

bool FillField(World& world, Race& race, DayPool& pool, Rng& rng) {
    RaceInfo& info = race.info;
    auto draw = [&](bool relaxed) {
        std::vector<std::pair<int, double>> candidates;
        for (int idx : pool.ready) {
            if (pool.placed[static_cast<std::size_t>(idx)]) continue;
            const Horse& h = world.horses[static_cast<std::size_t>(idx)];
            if (!Eligible(h, info, relaxed)) continue;
            double w = EntryWeight(world, h, info);
            if (relaxed && !Eligible(h, info, false)) w *= 0.3;
            candidates.emplace_back(idx, std::max(w, 1e-9));
        }
        if (static_cast<int>(candidates.size()) < kMinField) return false;
        int n = std::min<int>(info.fieldTarget, static_cast<int>(candidates.size()));
        // One horse at a time: trainers seldom send two horses of the same
        // last rider into one race, so such a pair is drawn less often.
        std::vector<int> chosen;
        std::vector<double> weights;
        for (int k = 0; k < n; ++k) {
            weights.clear();
            for (const auto& c : candidates) weights.push_back(c.second);
            std::size_t pick = rng.Pick(weights);
            int idx = candidates[pick].first;
            chosen.push_back(idx);
            candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
            int rider = world.horses[static_cast<std::size_t>(idx)].lastJockey;
            if (rider < 0) continue;
            for (auto& c : candidates) {
                if (world.horses[static_cast<std::size_t>(c.first)].lastJockey == rider)
                    c.second *= 0.12;
            }
        }
        // The draw for horse numbers.
        for (int i = n - 1; i > 0; --i)
            std::swap(chosen[static_cast<std::size_t>(i)],
                      chosen[rng.Below(static_cast<std::uint32_t>(i + 1))]);
        race.runners.clear();
        for (int i = 0; i < n; ++i) {
            Runner r;
            r.horse = chosen[static_cast<std::size_t>(i)];
            r.horseNumber = i + 1;
            r.bracket = store::BracketNumber(n, i + 1);
            r.age = world.horses[static_cast<std::size_t>(r.horse)].AgeOn(info.date);
            pool.placed[static_cast<std::size_t>(r.horse)] = 1;
            race.runners.push_back(r);
        }
        return true;
    };
    if (draw(false)) return true;
    if ((info.Graded() || info.grade == 'L' || info.condition == kOpen) && draw(true)) return true;
    for (auto [type, condition] : FallbackClasses(info)) {
        if (info.Graded()) break;
        SetClass(info, type, condition, rng);
        info.filliesOnly = false;
        if (info.symbol == "A21") info.symbol = "A01";
        if (draw(false)) return true;
    }
    return false;
}

std::vector<std::vector<int>> SendJockeysToVenues(World& world, const std::vector<int>& venues,
                                                  Day day, Rng& rng) {
    const int venueCount = static_cast<int>(venues.size());
    std::vector<std::vector<int>> lists(venues.size());
    for (std::size_t j = 0; j < world.jockeys.size(); ++j) {
        Jockey& jk = world.jockeys[j];
        jk.venueToday = -1;
        jk.ridesToday = 0;
        if (!RidesInJapan(jk, day) || rng.Chance(0.03)) continue;
        // Riders stay with the meeting they rode at.
        auto same = std::find(venues.begin(), venues.end(), jk.lastVenue);
        int slot = -1;
        if (same != venues.end() && rng.Chance(0.94)) {
            slot = static_cast<int>(same - venues.begin());
        } else {
            std::vector<double> w;
            for (int s = 0; s < venueCount; ++s) {
                int v = venues[static_cast<std::size_t>(s)];
                double base = SharedVenue(v) || CentralVenueAt(v).centre == jk.centre ? 1.0 : 0.2;
                if (s == 0) base *= 1.0 + 2.0 * jk.skill;
                w.push_back(base);
            }
            slot = static_cast<int>(rng.Pick(w));
        }
        jk.venueToday = slot;
        lists[static_cast<std::size_t>(slot)].push_back(static_cast<int>(j));
    }
    // Every venue needs riders enough for a full field: move the least
    // skilled riders over from the busiest venue.
    for (int guard = 0; guard < 200; ++guard) {
        auto bySize = [](const auto& a, const auto& b) { return a.size() < b.size(); };
        auto smallest = std::min_element(lists.begin(), lists.end(), bySize);
        auto largest = std::max_element(lists.begin(), lists.end(), bySize);
        if (smallest->size() >= kMinJockeysPerVenue || largest->size() <= smallest->size() + 1)
            break;
        auto weakest = std::min_element(largest->begin(), largest->end(), [&](int a, int b) {
            double sa = world.jockeys[static_cast<std::size_t>(a)].skill;
            double sb = world.jockeys[static_cast<std::size_t>(b)].skill;
            return sa != sb ? sa < sb : a < b;
        });
        int j = *weakest;
        largest->erase(weakest);
        smallest->push_back(j);
        world.jockeys[static_cast<std::size_t>(j)].venueToday =
            static_cast<int>(smallest - lists.begin());
    }
    for (std::size_t s = 0; s < lists.size(); ++s) {
        std::sort(lists[s].begin(), lists[s].end());
        for (int j : lists[s]) world.jockeys[static_cast<std::size_t>(j)].lastVenue = venues[s];
    }
    return lists;
}

void BookJockeys(World& world, Race& race, const std::vector<int>& venueJockeys, Rng& rng) {
    const int n = static_cast<int>(race.runners.size());
    std::vector<char> booked(world.jockeys.size(), 0);
    auto available = [&](int j) {
        return j >= 0 && !booked[static_cast<std::size_t>(j)] &&
               std::binary_search(venueJockeys.begin(), venueJockeys.end(), j);
    };
    auto skillOf = [&](int j) {
        return j >= 0 ? world.jockeys[static_cast<std::size_t>(j)].skill : 0.0;
    };

    // Better horses book first.
    std::vector<std::pair<double, int>> byQuality;
    for (int i = 0; i < n; ++i) {
        const Horse& h =
            world.horses[static_cast<std::size_t>(race.runners[static_cast<std::size_t>(i)].horse)];
        byQuality.emplace_back(h.ability + 0.15 * h.classWins + 0.35 * rng.Normal(), i);
    }
    std::sort(byQuality.begin(), byQuality.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<double> tierOf(static_cast<std::size_t>(n), 0.5);
    for (int p = 0; p < n; ++p) {
        tierOf[static_cast<std::size_t>(byQuality[static_cast<std::size_t>(p)].second)] =
            n > 1 ? 1.0 - static_cast<double>(p) / (n - 1) : 1.0;
    }
    std::vector<char> done(static_cast<std::size_t>(n), 0);

    auto chooseNew = [&](const Horse& h, double tier, bool allowFormer) {
        std::vector<double> w;
        std::vector<int> ids;
        const Trainer& t = world.trainers[static_cast<std::size_t>(h.trainer)];
        for (int j : venueJockeys) {
            if (!available(j) || (!allowFormer && h.RodeBy(j))) continue;
            const Jockey& jk = world.jockeys[static_cast<std::size_t>(j)];
            double weight = Exp((tier * 4.0 - 1.5) * jk.skill * 2.0);
            if (std::find(t.favouriteJockeys.begin(), t.favouriteJockeys.end(), j) !=
                t.favouriteJockeys.end())
                weight *= 2.5;
            if (jk.stableTrainer == h.trainer) weight *= 2.0;
            weight /= 1.0 + 0.12 * jk.ridesToday;
            ids.push_back(j);
            w.push_back(weight);
        }
        return ids.empty() ? -1 : ids[rng.Pick(w)];
    };
    auto chooseBack = [&](const Horse& h) {
        std::vector<double> w;
        std::vector<int> ids;
        for (std::size_t k = 0; k < h.riders.size(); ++k) {
            int j = h.riders[k];
            if (j == h.lastJockey || !available(j)) continue;
            ids.push_back(j);
            w.push_back((0.3 + skillOf(j)) * (1.0 + static_cast<double>(k) / h.riders.size()));
        }
        return ids.empty() ? -1 : ids[rng.Pick(w)];
    };

    for (const auto& entry : byQuality) {
        const int i = entry.second;
        Runner& r = race.runners[static_cast<std::size_t>(i)];
        const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
        const double tier = tierOf[static_cast<std::size_t>(i)];
        const int last = h.lastJockey;
        int choice = -1;
        if (!h.riders.empty()) {
            // A good horse takes a better rider who rode a weaker runner of
            // this race last time.
            if (tier >= 0.55 && rng.Chance(kUpgrade)) {
                int best = -1;
                for (int o = 0; o < n; ++o) {
                    if (o == i || done[static_cast<std::size_t>(o)]) continue;
                    int lo = world
                                 .horses[static_cast<std::size_t>(
                                     race.runners[static_cast<std::size_t>(o)].horse)]
                                 .lastJockey;
                    if (lo == last || !available(lo)) continue;
                    if (tierOf[static_cast<std::size_t>(o)] >= tier) continue;
                    if (skillOf(lo) < skillOf(last) + 0.05 && available(last)) continue;
                    if (best < 0 || skillOf(lo) > skillOf(best)) best = lo;
                }
                choice = best;
            }
            if (choice < 0) {
                const bool lastFree = available(last);
                if (h.mainJockey != last && available(h.mainJockey) && rng.Chance(kBackToRegular)) {
                    // The last rider stood in once; the regular rider is back.
                    choice = h.mainJockey;
                } else if (lastFree && rng.Chance(kKeepRider)) {
                    choice = last;
                } else if (rng.Chance(kBackToEarlier)) {
                    choice = chooseBack(h);
                }
            }
        }
        if (choice < 0) choice = chooseNew(h, tier, false);
        if (choice < 0) choice = chooseNew(h, tier, true);
        if (choice < 0) {
            // Every rider at the venue is booked in this race: the field is
            // larger than the riders there, which the venue minimum prevents.
            for (int j : venueJockeys) {
                if (!booked[static_cast<std::size_t>(j)]) {
                    choice = j;
                    break;
                }
            }
        }
        booked[static_cast<std::size_t>(choice)] = 1;
        done[static_cast<std::size_t>(i)] = 1;
        Jockey& jk = world.jockeys[static_cast<std::size_t>(choice)];
        ++jk.ridesToday;
        r.jockey = choice;
        r.apprentice = jk.ApprenticeCode(race.info.date);
        r.carried = CarriedWeight(race.info, h, r.age, tier, r.apprentice);
        r.blinkers = h.blinkers;
    }
}

void ClassifyRunners(const World& world, Race& race) {
    for (Runner& r : race.runners) {
        const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
        r.get = r.give = false;
        r.prevJockey = h.lastJockey;
        if (h.runs == 0 || h.lastJockey < 0) {
            r.pattern = Pattern::None;
        } else if (r.jockey == h.lastJockey) {
            r.pattern = Pattern::Renzoku;
        } else if (h.RodeBy(r.jockey)) {
            r.pattern = Pattern::NoriModori;
        } else {
            r.pattern = Pattern::TenNori;
        }
    }
    for (Runner& a : race.runners) {
        if (a.pattern != Pattern::TenNori) continue;
        for (Runner& b : race.runners) {
            if (&a != &b && b.jockey == a.prevJockey) {
                a.get = true;
                b.give = true;
            }
        }
    }
}

}  // namespace quindle::jvsim::league
