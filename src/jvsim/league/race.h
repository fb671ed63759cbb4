#pragma once
// One race of the league as the simulation builds it: its card, its runners
// with their jockeys, its odds over the morning, its result and payouts.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "jvsim/league/basics.h"
#include "jvsim/league/calendar.h"
#include "jvsim/league/names.h"

namespace quindle::jvsim::league {

// Youngest-age condition codes (競走条件コード) the league uses.
inline constexpr int kNewcomer = 701;
inline constexpr int kMaiden = 703;
inline constexpr int kOneWin = 5;
inline constexpr int kTwoWins = 10;
inline constexpr int kThreeWins = 16;
inline constexpr int kOpen = 999;

// Race types (競走種別コード).
inline constexpr int kTwoYearOlds = 11;
inline constexpr int kThreeYearOlds = 12;
inline constexpr int kThreeUp = 13;
inline constexpr int kFourUp = 14;

struct RaceInfo {
    Day date = 0;
    std::string venueCode;  // "01".."10", a local track or a country
    int venue = 0;          // 1..10 for JRA venues, else 0
    int slot = 0;
    int meeting = 1;
    int dayOfMeeting = 1;
    int raceNumber = 1;
    int weekdayCode = 1;
    char kind = '7';  // '7' a JRA race, 'A' local track, 'B' overseas
    int raceType = kThreeUp;
    int condition = kOneWin;
    char grade = ' ';  // ' ', 'E' special, 'L', 'C' G3, 'B' G2, 'A' G1
    std::string symbol = "000";
    char weightType = '4';
    Surface surface = Surface::Turf;
    Turn turn = Turn::Right;
    int distance = 1600;
    int track = 17;
    std::string courseDivision = "  ";
    RaceName name;  // empty for a race without a name
    int edition = 0;
    int specialNumber = 0;
    std::array<std::int64_t, 5> prize{};  // 100 yen
    std::array<std::int64_t, 3> added{};
    int postTime = 1000;  // hhmm
    int fieldTarget = 14;
    bool filliesOnly = false;
    int weather = 1;
    int turfGoing = 1;
    int dirtGoing = 1;

    // The 16-character race key.
    std::string Key() const;
    int Going() const { return surface == Surface::Turf ? turfGoing : dirtGoing; }
    bool Graded() const { return grade == 'A' || grade == 'B' || grade == 'C'; }
};

// 異常区分コード values the league produces.
inline constexpr int kScratched = 1;  // 出走取消
inline constexpr int kPulledUp = 4;   // 競走中止

struct Runner {
    int horse = -1;
    int jockey = -1;
    int horseNumber = 0;
    int bracket = 0;
    int carried = 570;  // tenths of a kilogram
    int apprentice = 0;
    bool blinkers = false;
    int bodyWeight = 0;    // kg
    int weightChange = 0;  // kg, signed
    bool firstWeighing = false;
    int age = 3;
    // The judgement as the generator sees it.
    Pattern pattern = Pattern::None;
    int prevJockey = -1;
    bool get = false;
    bool give = false;
    // Strength in this race and the market's final view of it.
    double strength = 0;
    double market = 0;
    // Result.
    int abnormality = 0;
    int finish = 0;  // 確定着順; 0 for a runner without a position
    int passingOrder = 0;
    bool deadHeat = false;
    int timeTenths = 0;    // race time
    int behindTenths = 0;  // time behind the winner (the winner: ahead of the second, negative)
    std::string margin;    // 着差コード
    std::array<int, 4> corners{};
    int last3f = 0;   // tenths
    int winOdds = 0;  // tenths, final
    int winPopularity = 0;
    std::int64_t prize = 0;
    std::int64_t added = 0;
    int style = 2;
    int opponent = -1;  // runner index of 相手馬

    bool Started() const { return abnormality != kScratched && abnormality != 2; }
    bool Finished() const { return Started() && abnormality != kPulledUp; }
};

struct Race {
    RaceInfo info;
    std::vector<Runner> runners;  // in horse-number order
    int entered = 0;              // 登録頭数 when larger than the runners listed (a local race)
    int starters = 0;
    int finishers = 0;
    int resultsAt = 0;  // hhmm the result is official
    int front3f = 0;
    int last3f = 0;

    // Runners by index ordered by finishing position (non-finishers last).
    std::vector<int> FinishOrder() const;
    // 脚質 of a runner from its first corner position: 1 front runner,
    // 2 stalker, 3 closer, 4 deep closer; 0 without a corner position.
    int RunningStyle(const Runner& r) const;
};

}  // namespace quindle::jvsim::league
