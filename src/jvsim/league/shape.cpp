#include "jvsim/league/shape.h"

namespace quindle::jvsim::league {

std::optional<LeagueSize> ParseLeagueSize(std::string_view name) {
    if (name == "small") return LeagueSize::Small;
    if (name == "demo") return LeagueSize::Demo;
    if (name == "large") return LeagueSize::Large;
    return std::nullopt;
}

std::string_view LeagueSizeName(LeagueSize size) {
    switch (size) {
        case LeagueSize::Small:
            return "small";
        case LeagueSize::Demo:
            return "demo";
        case LeagueSize::Large:
            return "large";
    }
    return "small";
}

LeagueShape ShapeFor(LeagueSize size) {
    LeagueShape s;
    s.size = size;
    switch (size) {
        case LeagueSize::Small:
            // Four weekends of history, then two weekends with everything; the
            // horses run about once a week so that a few hundred of them fill
            // the fields and still build careers of several runs.
            s.historyStart = DayFromYmd(2025, 1, 4);
            s.fullFrom = DayFromYmd(2025, 2, 1);
            s.lastDay = DayFromYmd(2025, 2, 9);
            s.preStart = DayFromYmd(2021, 1, 1);
            s.venueCounts = {2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 2, 2};
            s.initialHorses = 1700;
            s.cropSize = 0;
            s.transferHorses = 16;
            s.centralJockeys = 66;
            s.foreignJockeys = 2;
            s.overseasJockeys = 2;
            s.localJockeysPerVenue = 3;
            s.trainers = 50;
            s.owners = 60;
            s.breeders = 30;
            s.newJockeysPerYear = 0;
            s.minRestDays = 6;
            s.masterEveryWeeks = 1;
            break;
        case LeagueSize::Demo:
            // A year of history, then the first three months of 2025.
            s.historyStart = DayFromYmd(2024, 1, 6);
            s.fullFrom = DayFromYmd(2025, 1, 4);
            s.lastDay = DayFromYmd(2025, 3, 30);
            s.preStart = DayFromYmd(2019, 1, 1);
            s.initialHorses = 12500;
            s.cropSize = 4600;
            s.transferHorses = 120;
            s.centralJockeys = 132;
            s.foreignJockeys = 4;
            s.overseasJockeys = 6;
            s.localJockeysPerVenue = 5;
            s.trainers = 190;
            s.owners = 400;
            s.breeders = 160;
            s.newJockeysPerYear = 5;
            s.masterEveryWeeks = 1;
            break;
        case LeagueSize::Large:
            // Seven full years: more than 300,000 results of JRA runners.
            s.historyStart = DayFromYmd(2018, 1, 6);
            s.fullFrom = s.historyStart;
            s.lastDay = DayFromYmd(2024, 12, 29);
            s.preStart = DayFromYmd(2013, 1, 1);
            s.initialHorses = 12500;
            s.cropSize = 4600;
            s.transferHorses = 120;
            s.centralJockeys = 132;
            s.foreignJockeys = 4;
            s.overseasJockeys = 6;
            s.localJockeysPerVenue = 5;
            s.trainers = 190;
            s.owners = 400;
            s.breeders = 160;
            s.newJockeysPerYear = 5;
            // Masters twice a year: weekly masters of seven years would outweigh
            // the race data many times over.
            s.masterEveryWeeks = 26;
            break;
    }
    return s;
}

}  // namespace quindle::jvsim::league
