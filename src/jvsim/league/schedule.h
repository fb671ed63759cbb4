#pragma once
// The race days of a league: every weekend of the racing year with two or
// three venues, each venue's meeting number (開催回) and day of the meeting
// (開催日目) counted as the service counts them.

#include <vector>

#include "jvsim/league/calendar.h"
#include "jvsim/league/shape.h"

namespace quindle::jvsim::league {

struct VenueDay {
    int venue = 0;  // 1..10
    int slot = 0;   // 0 the day's main venue
    int meeting = 0;
    int dayOfMeeting = 0;
};

struct RaceDay {
    Day date = 0;
    int weekdayCode = 1;    // 曜日コード: 1 Saturday, 2 Sunday
    int weekendOfYear = 0;  // 0-based
    std::vector<VenueDay> venues;
    bool full = false;      // entry lists, trio odds, mining data
    bool realtime = false;  // real-time announcements, time-series odds
};

// The Saturdays of the racing weekends of `year`: from the first Saturday on
// or after 4 January to the last one on or before 28 December.
std::vector<Day> RacingSaturdays(int year);

// The race days of the league, in date order.
std::vector<RaceDay> BuildRaceDays(const LeagueShape& shape);

}  // namespace quindle::jvsim::league
