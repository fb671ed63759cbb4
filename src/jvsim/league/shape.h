#pragma once
// The size presets of a league: how long it runs, how many horses, jockeys
// and trainers it holds, and which days carry which data.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jvsim/league/calendar.h"

namespace quindle::jvsim::league {

enum class LeagueSize { Small, Demo, Large };

std::optional<LeagueSize> ParseLeagueSize(std::string_view name);
std::string_view LeagueSizeName(LeagueSize size);

struct LeagueShape {
    LeagueSize size = LeagueSize::Small;
    // Local-track careers of horses that join the league later begin here.
    Day preStart = 0;
    // The first JRA race day. Days before `fullFrom` carry results, payouts
    // and final win odds only (the history that gives horses their careers).
    Day historyStart = 0;
    // From this day on every race day also has entry lists, final trio odds
    // and mining predictions.
    Day fullFrom = 0;
    Day lastDay = 0;
    // The last `realtimeDays` race days have real-time announcements and the
    // time-series odds folder.
    int realtimeDays = 2;
    // Venues per race day, cycled over the race days; empty: the yearly
    // calendar's two or three venues.
    std::vector<int> venueCounts;
    int initialHorses = 0;   // central horses at the start (ages 2 to 8)
    int cropSize = 0;        // two-year-olds registered every 1 January
    int transferHorses = 0;  // horses with a local career joining the league
    int centralJockeys = 0;
    int foreignJockeys = 0;   // short-term licences, December to March
    int overseasJockeys = 0;  // ride JRA horses abroad only
    int localJockeysPerVenue = 0;
    int trainers = 0;
    int owners = 0;
    int breeders = 0;
    int newJockeysPerYear = 0;
    int minRestDays = 13;
    int masterEveryWeeks = 1;
    int nowHhmm = 1300;  // the simulated "now" on the last day
};

LeagueShape ShapeFor(LeagueSize size);

}  // namespace quindle::jvsim::league
