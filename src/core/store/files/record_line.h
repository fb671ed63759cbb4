#pragma once
// A JV-Data record as a line of a local file.
//
// A record ends in CR LF and has its type's fixed length; the line is the
// record without the CR LF. Every line of a file of one record type therefore
// has one length, and the files can be read back as arrays of fixed-size
// records. A record that would break this (wrong length, no CR LF at its end,
// a line break inside) is refused, never written.

#include <optional>
#include <string>
#include <string_view>

#include "core/util/result.h"

namespace quindle::store {

// Ok when `record` has the length of its type (positions 1-2) and ends in
// CR LF with no other line break; otherwise the reason, naming the type, the
// expected and the actual length.
Status CheckRecord(std::string_view record);

// The line of a checked record: the record without its CR LF.
std::string_view LineOfRecord(std::string_view record);

// The line with positions 3-11 (data kind and creation date) overwritten by
// "000000000", so lines of one type and day differ only from the race key on
// and sorting the lines orders them by key.
std::string NormalisedLine(std::string_view line);

// Number of SE slots in a venue's day file: 12 races of 18 horses.
inline constexpr int kRacesPerVenue = 12;
inline constexpr int kHorsesPerRace = 18;
inline constexpr int kSlotsPerVenue = kRacesPerVenue * kHorsesPerRace;

// Slot of race `race` horse `horse` in an SE day file (race 1 horse 1 is 0,
// race 12 horse 18 is 215); nothing outside races 1-12 and horses 1-18, so a
// runner can never overwrite another race's slot.
std::optional<int> SlotIndex(int race, int horse);
// The slot of an SE record or line (race at positions 26-27, horse at 29-30).
std::optional<int> SlotOfRecord(std::string_view record);

}  // namespace quindle::store
