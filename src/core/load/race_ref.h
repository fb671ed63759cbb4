#pragma once
// A race of the loaded day as the retrievals, the schedule and their reports
// name it: its index in the day, its race key, venue and race number, and the
// race-list text. Made once from the race's RA image, so that no one past
// this point reads the record again or splits a key apart.

#include <string>
#include <string_view>

#include "core/model/race_day.h"

namespace quindle::load {

struct RaceRef {
    int index = -1;     // race index in the day's model
    std::string key;    // the 16-character race key (CP932 digits)
    std::string venue;  // venue code, two characters
    int number = 0;     // race number
    std::string label;  // race-list text "中山 1R" (UTF-8)

    // The race date "yyyymmdd", the key of the day's results and mining.
    std::string_view Date() const;
    // The key reads as a positive number of its full width.
    bool UsableKey() const;
    // The date reads as a positive number of its full width.
    bool UsableDate() const;
};

// The race whose RA image is `ra` (CP932; any length, a short one gives blank
// fields), at race index `index`.
RaceRef RaceRefOfRecord(std::string_view ra, int index);
// Race index `race` of `day`.
RaceRef RaceRefOf(const model::RaceDay& day, int race);

// The venue name (two characters) and the race number "%2d" of status texts:
// "中山 1" (UTF-8).
std::string VenueRaceText(std::string_view venueCode, int number);

}  // namespace quindle::load
