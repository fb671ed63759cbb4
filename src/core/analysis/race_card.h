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
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/grid_style.h"
#include "core/model/race_day.h"

namespace quindle::analysis {

// Columns of the card grid (StringGrid10), in their order.
enum CardColumn : int {
    kCardBracket,
    kCardHorse,
    kCardName,
    kCardSexAge,
    kCardJockey,
    kCardPrevJockey,
    kCardRunCount,
    kCardPattern,
    kCardGet,
    kCardGive,
    kCardWinMark,
    kCardPlaceMark,
    kCardSpacer,  // never filled, no width
    kCardWinOdds,
    kCardWinRank,
    kCardPlaceOdds,
    kCardPlaceRank,
    kCardFinish,
    kCardPopularity,
    kCardFinalOdds,
    // Columns the window shows only when the user chooses them; the
    // clipboard text, the CSV files and the terminal's card leave them out.
    kCardCarriedWeight,
    kCardBodyWeight,
    kCardTrainer,
    kCardPlaceRange,
};

// One column of the card: its heading (UTF-8), its width in pixels, whether a
// click on its heading sorts the card, and the member that carries its cell
// in the terminal's JSON (empty: the column is left out there). The window
// may show a clearer heading of its own (`gridHeading`, empty: the heading)
// and explains every column by `tip`. An optional column shows only when
// chosen, right after the column `after`.
struct CardColumnSpec {
    CardColumn id;
    std::string_view heading;
    int width;
    bool sortable;
    std::string_view jsonName;
    std::string_view tip;
    std::string_view gridHeading = {};
    bool optional = false;
    CardColumn after = kCardBracket;
};

// The card's columns. Everything else about a column (the count, the
// headings, the widths, the sorting headings, the JSON members) is read from
// here; a new column is a row here and its cell text in CardRowOf.
inline constexpr CardColumnSpec kCardColumnTable[] = {
    {kCardBracket, "枠", 20, false, "bracket", "枠番 (背景は枠の色)"},
    {kCardHorse, "馬", 20, true, "horse", "馬番 (クリックで馬番順に並べ替え)"},
    {kCardName, "馬名", 125, false, "name", "馬名"},
    {kCardSexAge, "性齢", 30, false, "sexAge", "性別と馬齢"},
    {kCardJockey, "騎手", 60, false, "jockey", "今回の騎手"},
    {kCardPrevJockey, "前走騎手", 60, false, "prevJockey", "前走で騎乗した騎手"},
    {kCardRunCount, "走数", 30, false, "runCount",
     "騎乗パターンの判定に使った過去の出走数。背景はクラスの比較: 赤=前走と同じクラス、"
     "青=今回が上のクラス、黄=今回が下のクラス"},
    {kCardPattern, "騎乗", 60, true, "pattern",
     "今回の騎手の騎乗パターン: テン乗り (初めて騎乗)、連続騎乗 (前走と同じ騎手)、"
     "乗り戻り (以前に乗った騎手が戻った)"},
    {kCardGet, "Get", 40, true, "get",
     "○: テン乗りで、前走の騎手が今日は別の馬に乗る馬 (騎手を得た側)"},
    {kCardGive, "Give", 40, true, "give",
     "×: 別の馬の前走の騎手が乗り替わってきた馬 (騎手を譲られた側)。消しの印ではありません"},
    {kCardWinMark, "単推奨", 50, true, "winMark",
     "単勝の推奨印: ◎=騎手推奨表が騎手・騎乗パターン・人気の組で推す馬、"
     "☆=◎のうちレースの荒れ具合 (3連複1番人気のオッズ) に合う人気の馬"},
    {kCardPlaceMark, "複推奨", 50, true, "placeMark",
     "複勝の推奨印: ◎=騎手推奨表が騎手・騎乗パターン・人気の組で推す馬、"
     "☆=◎のうちレースの荒れ具合 (3連複1番人気のオッズ) に合う人気の馬"},
    {kCardSpacer, "", 0, false, "", ""},
    {kCardWinOdds, "単ｵｯｽﾞ", 50, false, "winOdds", "取得した最新の単勝オッズ"},
    {kCardWinRank, "順", 20, true, "winRank", "単勝オッズの人気順 (最新のオッズ)", "単人気"},
    {kCardPlaceOdds, "複ｵｯｽﾞ", 50, false, "placeOdds", "取得した最新の複勝オッズ (下限)"},
    {kCardPlaceRank, "順", 20, true, "placeRank", "複勝オッズの人気順 (最新のオッズ)", "複人気"},
    {kCardFinish, "着", 20, true, "finish", "確定着順"},
    {kCardPopularity, "人", 20, true, "popularity", "確定した単勝人気", "確人気"},
    {kCardFinalOdds, "確ｵｯｽﾞ", 40, false, "finalOdds", "確定単勝オッズ"},
    {kCardCarriedWeight, "斤量", 35, false, "", "負担重量 (kg)", {}, true, kCardSexAge},
    {kCardBodyWeight,
     "馬体重",
     55,
     false,
     "",
     "馬体重 (kg) と前走からの増減",
     {},
     true,
     kCardCarriedWeight},
    {kCardTrainer, "調教師", 60, false, "", "調教師", {}, true, kCardPrevJockey},
    {kCardPlaceRange,
     "複ｵｯｽﾞ幅",
     60,
     false,
     "",
     "複勝オッズの下限と上限",
     {},
     true,
     kCardPlaceOdds},
};

inline constexpr int kCardColumns = static_cast<int>(std::size(kCardColumnTable));

// Each row sits at the position its id names.
consteval bool CardTableInOrder() {
    for (int c = 0; c < kCardColumns; ++c) {
        if (kCardColumnTable[c].id != c) return false;
    }
    return true;
}
static_assert(CardTableInOrder(), "kCardColumnTable lists the columns in their enum order");

// The columns every card has, in front of the optional ones: the layout of
// the clipboard text, the CSV files and the terminal's card.
inline constexpr int kCardStandardColumns = [] {
    int count = 0;
    while (count < kCardColumns && !kCardColumnTable[count].optional) ++count;
    return count;
}();
consteval bool OptionalColumnsLast() {
    for (int c = kCardStandardColumns; c < kCardColumns; ++c) {
        if (!kCardColumnTable[c].optional) return false;
    }
    return true;
}
static_assert(OptionalColumnsLast(), "the optional card columns follow the standard ones");

// The previous-race tab lists the runners with the card's columns up to the
// jockey.
inline constexpr int kRunnerListColumns = kCardJockey + 1;

// Cell texts of one card row (CP932).
using CardRow = std::array<std::string, kCardColumns>;

// Heading texts of the card's columns (CP932).
const CardRow& CardHeadings();
// The standard columns of a row: the texts the clipboard, the CSV files and
// the terminal show.
std::vector<std::string> StandardCells(const CardRow& row);
// The column the user names by its heading (UTF-8), if it is optional.
std::optional<CardColumn> OptionalCardColumn(std::string_view heading);
// Column widths in pixels.
std::vector<int> CardColumnWidths(int count = kCardColumns);

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
// 馬体重 and its change since the last run: "480(+4)", "480(±0)", "480" on a
// first run or when the change was not weighed; empty when the weight is
// not known (blank, 0 or 999).
std::string BodyWeightText(const model::SeImage& se);
// The place odds as a range "1.2-1.6"; the low end alone without a high one;
// empty without odds.
std::string OddsRangeText(double low, double high);

// Sort direction flags of the card's columns and the column last clicked.
// Showing a race resets it; a heading click flips the column's flag and sorts
// descending when the flag is then 1, ascending when it is 0. So the first
// click after a race is shown sorts ascending and each further click reverses.
class CardSortState {
  public:
    // A flag for each column up to the last that sorts.
    static constexpr int kFlagColumns = [] {
        int last = 0;
        for (const CardColumnSpec& column : kCardColumnTable) {
            if (column.sortable) last = column.id;
        }
        return last + 1;
    }();

    CardSortState() { Reset(); }

    // As after showing a race: every flag 1.
    void Reset();
    // A click on the heading of `column`. Only the columns that sort take a
    // click (IsSortableCardColumn); for any other it is false and nothing
    // changes.
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
