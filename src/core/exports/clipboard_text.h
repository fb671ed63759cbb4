#pragma once
// CopyGridToClipboard: a grid as the plain text the clipboard gets. The
// heading lines joined by CR LF, a CR LF, then every grid row from the
// heading row on, its cells joined by one TAB, each row followed by CR LF.

#include <array>
#include <string>
#include <vector>

#include "core/analysis/race_card.h"
#include "core/analysis/race_card_header.h"

namespace quindle::exports {

// The text of `heading` and `rows` (the heading row first); texts stay in the
// encoding they come in.
std::string GridClipboardText(const std::vector<std::string>& heading,
                              const std::vector<std::vector<std::string>>& rows);

// The race card's text: labels 1 to 4 of `header`, the card's column
// headings, then `rows` in the order they are shown. CP932.
std::string CardClipboardText(const analysis::RaceHeader& header,
                              const std::vector<analysis::CardRow>& rows);

}  // namespace quindle::exports
