#pragma once
// The comma text of the statistics files, as the platform's string lists read
// and write it.
//
// Reading: fields are separated by commas; an unquoted field also ends at a
// blank or control character, and blanks around fields are skipped; a field
// in double quotes keeps its commas and blanks, and a doubled quote inside it
// stands for one quote; a comma at the very end adds an empty field.
// Writing: every field in double quotes, a quote inside doubled.
//
// The texts are CP932 bytes: no trail byte of a two-byte character is a
// quote, comma or blank, so the bytes can be scanned one by one.

#include <string>
#include <string_view>
#include <vector>

namespace quindle::stats {

std::vector<std::string> SplitCommaText(std::string_view line);

// Each field quoted, joined by commas (no line end).
std::string QuotedCommaText(const std::vector<std::string>& fields);

}  // namespace quindle::stats
