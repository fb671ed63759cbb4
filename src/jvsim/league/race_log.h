#pragma once
// What the generator knows of each JRA race it runs, handed out race by race
// so that a program reading the league back can be checked against the
// world that made the records rather than against the records themselves:
// who ran and rode, the riding pattern and Get/Give the generator meant, the
// result, the final win odds and the payouts.

#include <functional>
#include <string>
#include <vector>

#include "jvsim/league/basics.h"
#include "jvsim/league/payouts.h"

namespace quindle::jvsim::league {

struct Race;
struct World;

struct LoggedRunner {
    std::string pedigree;        // 血統登録番号, 10 digits
    std::string jockeyCode;      // today's rider
    std::string prevJockeyCode;  // rider of the horse's latest recorded run; empty without one
    int horseNumber = 0;
    int birthYear = 0;
    // Records in the horse's run history before this race (JRA, local and
    // overseas runs alike).
    int runsBefore = 0;
    Pattern pattern = Pattern::None;
    bool get = false;
    bool give = false;
    int abnormality = 0;    // 異常区分コード
    int finish = 0;         // 確定着順, 0 without a position
    int winOdds = 0;        // final, in tenths; 0 for a runner without odds
    int winPopularity = 0;  // 0 for a runner without odds
};

struct LoggedRace {
    std::string key;                    // the 16-character race key
    std::vector<LoggedRunner> runners;  // in horse-number order
    Payouts payouts;
};

// Called once per JRA race, in the order the races are run; the horses'
// histories do not hold the race yet.
using RaceLog = std::function<void(const LoggedRace&)>;

LoggedRace LogRace(const World& world, const Race& race, const Payouts& payouts);

}  // namespace quindle::jvsim::league
