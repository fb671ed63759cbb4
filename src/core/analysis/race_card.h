#pragma once
// The race card "出馬表": one row of twenty cell texts per runner of a race,
// exactly as the card grid shows them, the heading-click sort of its rows and
// the meaning of each cell's colours. Nothing here changes the model; a front
// end paints the rows it is given and maps the styles to its colours.
//
// Every text is CP932: the sort compares the cells byte by byte, so "☆"
// (0x8199) sorts before "◎" (0x819D), and the "%2d" columns and the
// full-width blank "　" of an empty rank put rank 1 first and unranked
// runners last.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/grid_style.h"
#include "model/race_day.h"

namespace quindle::analysis {

inline constexpr int kCardColumns = 20;

// Columns of the card grid (StringGrid10).
enum CardColumn : int {
    kCardBracket = 0,      // "枠"
    kCardHorse = 1,        // "馬"
    kCardName = 2,         // "馬名"
    kCardSexAge = 3,       // "性齢"
    kCardJockey = 4,       // "騎手"
    kCardPrevJockey = 5,   // "前走騎手"
    kCardRunCount = 6,     // "走数"
    kCardPattern = 7,      // "騎乗"
    kCardGet = 8,          // "Get"
    kCardGive = 9,         // "Give"
    kCardWinMark = 10,     // "単推奨"
    kCardPlaceMark = 11,   // "複推奨"
    kCardSpacer = 12,      // never filled, no width
    kCardWinOdds = 13,     // "単ｵｯｽﾞ"
    kCardWinRank = 14,     // "順"
    kCardPlaceOdds = 15,   // "複ｵｯｽﾞ"
    kCardPlaceRank = 16,   // "順"
    kCardFinish = 17,      // "着"
    kCardPopularity = 18,  // "人"
    kCardFinalOdds = 19,   // "確ｵｯｽﾞ"
};

// The previous-race tab lists the runners with the card's first five columns.
inline constexpr int kRunnerListColumns = 5;

// Cell texts of one card row (CP932).
using CardRow = std::array<std::string, kCardColumns>;

// Heading texts of the card's columns (CP932).
const CardRow& CardHeadings();
// Column widths in pixels.
inline constexpr std::array<int, kCardColumns> kCardColumnWidths{
    20, 20, 125, 30, 60, 60, 30, 60, 40, 40, 50, 50, 0, 50, 20, 50, 20, 20, 20, 40};

// The row of runner `slot` of race `race`. A runner that does not run
// (analysis/scratched.h) shows its scratch text in place of the win odds and
// blanks in place of the place odds.
CardRow CardRowOf(const model::RaceDay& day, int race, int slot);

// The fill (CardRows): the rows of the runner slots of race `race` (its
// 登録頭数, never more than the 18 slots), row i showing slot i.
std::vector<CardRow> CardRows(const model::RaceDay& day, int race);

// Texts the card shares with the other race grids (CP932).
std::string BracketText(const model::SeImage& se);      // 枠番 "%2d"
std::string HorseNumberText(const model::SeImage& se);  // 馬番 "%2d"
std::string SexAgeText(const model::SeImage& se);       // "牡 3"
std::string MarkText(std::int32_t mark);                // "", "◎", "☆"
std::string OddsText(double odds);                      // "%5.1f", or five blanks when not above 0
std::string RankText(std::int64_t rank);                // "%2d", or "　" when below 1
// Final win odds of a 4-character field in tenths: "%5.1f", or five blanks
// when the field is blank, reads 0 or is not a number.
std::string FinalOddsText(std::string_view field);

// Sort direction flags of the card's columns and the column last clicked.
// Showing a race resets it; a heading click flips the column's flag and sorts
// descending when the flag is then 1, ascending when it is 0. So the first
// click after a race is shown sorts ascending and each further click reverses.
class CardSortState {
  public:
    static constexpr int kFlagColumns = 19;

    CardSortState() { Reset(); }

    // As after showing a race: every flag 1.
    void Reset();
    // A click on the heading of `column`. Only the columns that sort take a
    // click (1, 7, 8, 9, 10, 11, 14, 16, 17, 18); for any other it is false and
    // nothing changes.
    bool Click(int column);

    int Column() const { return column_; }
    bool Descending() const { return flags_[static_cast<std::size_t>(column_)] == 1; }
    int Flag(int column) const;

  private:
    std::array<std::uint8_t, kFlagColumns> flags_{};
    int column_ = 0;
};

// True for the columns whose heading sorts the card.
bool IsSortableCardColumn(int column);

// SortCardRows: orders `rows` by the cell texts of the recorded column in the
// recorded direction (CP932 bytes, a prefix first), then orders every run of
// equal cells by horse number, or by horse name when the column is the horse
// number. Only the rows move; showing the race again restores slot order.
void SortCardRows(std::vector<CardRow>& rows, const CardSortState& state);
// The same sort as a permutation: entry i is the index in `rows` of the row
// that the sort puts at position i. For a caller that keeps more per row than
// its texts (the runner slot).
std::vector<int> CardSortOrder(const std::vector<CardRow>& rows, const CardSortState& state);

// Byte order of two cell texts: unsigned bytes, a prefix first.
int CompareCells(std::string_view a, std::string_view b);

// Style of the heading row.
CellStyle CardHeadingStyle(int column);
// Style of cell `column` of a data row, from the row's own texts and the
// race's derived record: the "走数" cell takes the class move of the runner
// whose horse number the row shows, so a sorted row keeps its colour. The row
// of a runner that does not run is grey but for its bracket colour.
CellStyle CardCellStyle(const model::TOutData& out, const CardRow& row, int column);
// Background of the "走数" cell of the row showing horse number `horseCell`:
// by that runner's ClassMove, white when the cell holds no horse number 1-18.
Fill ClassMoveFillByHorse(const model::TOutData& out, std::string_view horseCell);

}  // namespace quindle::analysis
