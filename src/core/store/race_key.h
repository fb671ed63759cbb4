#pragma once
// The race key of JV-Data records (positions 12-27): year (4 digits),
// month-day (4 digits), venue code (2 characters), meeting number, day of
// the meeting and race number (2 digits each). The venue code is one of the
// venue table's codes: "01" to "10" for the central racecourses, two digits
// for local tracks ("30" to "65" and the like) and a capital letter and a
// digit for overseas venues ("A0" to "N2"). Local and overseas runs reach a
// horse's history with such keys, so every reader and checker judges a key
// by this one rule.

#include <string>
#include <string_view>

namespace quindle::store {

// True for the venue codes of the ten central (JRA) racecourses, "01" to "10".
bool IsCentralVenue(std::string_view venueCode);

// True when "yyyymmdd" is eight digits naming a day of the calendar.
bool IsRealDate(std::string_view yyyymmdd);

// Why the 16 bytes `key` (CP932) are not a race key, as a UTF-8 text naming
// the part and its record position; empty when the key is sound.
std::string RaceKeyProblem(std::string_view key);

}  // namespace quindle::store
