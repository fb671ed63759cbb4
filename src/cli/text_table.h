#pragma once
// Printing grids of CP932 cells on a terminal: columns padded to their
// widest cell, and JSON strings. A CP932 text is as many terminal columns
// wide as it has bytes (half-width characters take one byte, full-width
// ones two), so padding counts bytes before the text becomes UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace quindle::cli {

// One UTF-8 line per row: every cell padded with blanks to the widest cell of
// its column, columns two blanks apart, trailing blanks dropped.
std::vector<std::string> AlignColumns(const std::vector<std::vector<std::string>>& cp932Rows);

// `utf8` as a JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);

// A CP932 text as UTF-8 without its trailing half-width blanks.
std::string Shown(std::string_view cp932);

}  // namespace quindle::cli
