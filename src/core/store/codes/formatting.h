#pragma once
// Display formatting of numeric record fields and small text operations.
// Texts are CP932 bytes; widths and positions count bytes.

#include <string>
#include <string_view>

namespace quindle::store {

// Bracket (枠番) of horse number `horse` in a field of `runners`. The result
// is 1 to 8 for 1 <= horse <= runners <= 18.
int BracketNumber(int runners, int horse);

// A 4-character time of minutes (1), seconds (2) and tenths (1) as "m ss.t"
// in 5 characters: "1234" gives "123.4", "0095" gives "0 9.5". "9999",
// "0000", a blank time or "999" after the first character (no time) give five
// blanks. The time difference of a runner, whose first character is its
// sign, is formatted the same way.
std::string FormatRaceTime(std::string_view text);

// The number right-aligned in as many characters as `text` has; a value of 0
// gives that many blanks.
std::string PadNumber(std::string_view text);

// The number in tenths with one decimal, right-aligned in a field one
// character narrower than `text` ("0035" gives "3.5"); 0 gives as many
// blanks as `text` has characters.
std::string FormatTenths(std::string_view text);
// As FormatTenths with a field one character wider than `text` ("0035"
// gives "  3.5"); 0 still gives as many blanks as `text` has characters.
std::string FormatTenthsWide(std::string_view text);

// The number right-aligned in `width` characters; with `blankZero`, 0 gives
// the empty text.
std::string FormatWidth(std::string_view text, int width, bool blankZero);

// "hhmm" moved by `minutes` (which may be negative) as "hhmm"; empty for a
// blank time. There is no wrap at midnight: "2350" + 20 is "2410".
std::string AddMinutes(std::string_view hhmm, int minutes);

// `text` with the bytes from 1-based `position` on replaced by `insert`, byte
// for byte; an insert running past the end lengthens the text. A position
// outside 1 to size + 1 leaves the text as it is.
std::string OverwriteAt(std::string_view text, std::string_view insert, int position);

// `text` without its full-width blanks "　".
std::string StripFullWidthSpaces(std::string_view text);

}  // namespace quindle::store
