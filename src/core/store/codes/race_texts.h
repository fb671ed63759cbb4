#pragma once
// Race texts: grade, race type, race symbol, conditions and class of a race,
// from the codes of its RA record. Codes and results are CP932 bytes.

#include <span>
#include <string>
#include <string_view>

namespace quindle::store {

// "G1", "G2", "G3", "重賞", "特別", "JG1", "JG2", "JG3", "List", padded with
// half-width blanks to 5 bytes; other codes two full-width blanks and a blank.
std::string GradeName(std::string_view code);

// Race type ("サラ系３歳以上") padded with full-width blanks to 16 bytes; eight
// full-width blanks for other codes. 8 is the only style; others give empty.
std::string RaceTypeName(std::string_view code, int style);
// Race type in half-width form ("ｻﾗ系3歳以上") padded to 15 bytes; the code is
// read as a number; other codes give empty.
std::string RaceTypeLongName(std::string_view code);

// Race symbol ("(混合)牝(指定)") padded with full-width blanks to 24 bytes;
// codes outside the table, "000" among them, give 12 full-width blanks.
std::string RaceSymbolName(std::string_view code);
// Every race-symbol code the table knows, in table order.
std::span<const std::string_view> RaceSymbolCodes();

// Class of a race condition code read as a number ("1勝ｸﾗｽ", "新馬", ...);
// empty for other numbers.
std::string ConditionName(std::string_view code);

// The age and class line of a race, from its race-type code and the condition
// codes for two-, three-, four- and five-year-olds and up ("3歳上1勝ｸﾗｽ").
std::string RaceConditionText(std::string_view type, std::string_view c2, std::string_view c3,
                              std::string_view c4, std::string_view c5);

// Class label of a past race for the past-ride grid, from its youngest-age
// condition code, grade code and three-character race name.
std::string RaceClassLabel(std::string_view condition, std::string_view grade,
                           std::string_view shortName);

// Two-digit class level ("09" for a G1 down to "01" for a newcomer race), used
// to compare the classes of two races; two blanks when neither code ranks.
std::string ClassLevel(std::string_view grade, std::string_view condition);

}  // namespace quindle::store
