#pragma once
// Venue names: the racecourse and country codes of JV-Data in three widths.

#include <span>
#include <string>
#include <string_view>

namespace quindle::store {

// The name of venue `code` (2 bytes, CP932) in `style`:
//   1 one character, 2 bytes (the past-ride grid; "A2" is "日" and a blank),
//   2 two characters padded with half-width blanks to 4 bytes (day-file names,
//     status texts),
//   3 three characters padded to 6 bytes (master-data windows).
// A code without a name gives half-width blanks of the style's width; a style
// other than 1 to 3 gives the empty text.
std::string VenueName(std::string_view code, int style);

// Every venue code the table knows, in table order.
std::span<const std::string_view> VenueCodes();

}  // namespace quindle::store
