#pragma once
// The view of the previous-race winners "前走勝ち上り": one runner's
// ZensoMembers (filled by the search in load/previous_race_search.h) as the
// texts of the previous-race grid and its labels.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/grid_style.h"
#include "core/analysis/race_card.h"
#include "core/model/race_day.h"

namespace quindle::analysis {

// The first 18 bytes of a horse name (CP932), as the previous-race texts show it.
std::string_view First18(std::string_view name);
// "%2d" of `n`.
std::string TwoDigits(std::int64_t n);

// --- The previous-race grids ------------------------------------------------------

inline constexpr int kZensoColumns = 7;
enum ZensoColumn : int {
    kZensoBracket = 0,     // "枠"
    kZensoHorse = 1,       // "馬"
    kZensoName = 2,        // "馬名"
    kZensoPrevFinish = 3,  // "前着"
    kZensoNextRace = 4,    // "次走"
    kZensoNextName = 5,    // "次走レース名"
    kZensoNextFinish = 6,  // "次着"
};
using ZensoGridRow = std::array<std::string, kZensoColumns>;  // CP932

// Headings and widths of the grid of a runner's previous race (StringGrid12).
const ZensoGridRow& ZensoHeadings();
inline constexpr std::array<int, kZensoColumns> kZensoColumnWidths{20, 20, 130, 30, 125, 85, 30};

// Headings of the runner list (StringGrid13): the card's first five.
const std::array<std::string, kRunnerListColumns>& RunnerListHeadings();

// What PreviousRaceView shows for one runner (texts CP932). All empty for a
// runner without a previous race.
struct ZensoView {
    std::string selUmaLabel;       // SelUmaLabel: the runner's name, first 18 bytes
    std::string selUmaZensoLabel;  // SelUmaZensoLabel: date, venue, race and name
    std::string kachiAgariLabel;   // kachiAgariLabel: UpCount "%2d"
    std::vector<ZensoGridRow> rows;

    bool operator==(const ZensoView&) const = default;
};

// PreviousRaceView: the previous race of the runner in row `zensoRow` (1 to 18)
// of the runner list of race `race`. A row outside 1 to 18 shows nothing.
ZensoView PreviousRaceView(const model::RaceDay& day, int race, int zensoRow);

CellStyle ZensoHeadingStyle(int column);
// Style of a cell of the previous-race grid: bracket colours, "前着" and
// "次着" bold in the place colours.
CellStyle ZensoCellStyle(const ZensoGridRow& row, int column);
// Style of a cell of the runner list (the card's first five cells of a row).
CellStyle RunnerListCellStyle(const CardRow& row, int column);

}  // namespace quindle::analysis
