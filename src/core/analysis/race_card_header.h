#pragma once
// The header of a shown race: the race facts above the race card (venue,
// race number, date and post time, name, field and course, conditions,
// prizes, odds time), as the texts of the header labels. The card's own
// heading line is labels 1 to 4.

#include <array>
#include <string>

#include "core/model/race_day.h"

namespace quindle::analysis {

// Texts are CP932.
struct RaceHeader {
    std::string bashoLabel;    // venue, two characters
    std::string raceLabel;     // race number without leading blanks
    bool turfPanel = false;    // Panel3 green (a turf track), else maroon
    std::string label1;        // date, weekday, meeting, race, post time, weather, going
    std::string label2;        // edition and race name
    std::string label3;        // field, finishers, distance, track, grade, type, symbol
    std::string label4;        // weight rule and conditions
    std::string label6;        // prize money of places 1 to 5
    std::string label7;        // added prize money of places 1 to 3
    std::string tfwTimeLabel;  // "hh:mm" of the race's win odds; empty for final odds

    // Labels 1 to 4: the heading line of the race card.
    std::array<std::string, 4> CardHeading() const { return {label1, label2, label3, label4}; }
};

RaceHeader RaceHeaderOf(const model::RaceDay& day, int race);

}  // namespace quindle::analysis
