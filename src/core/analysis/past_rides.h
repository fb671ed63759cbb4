#pragma once
// The past-ride table "過去騎乗表": for every runner of a race, its bracket,
// horse number, name with sex, age, pattern, jockey and weight, today's
// result, and its last twenty runs side by side, each in three lines (date,
// venue and class; field, track, distance, popularity and finish; jockey,
// weight and margin). The jockey of a past run is red when he is today's
// jockey, so the riding pattern can be read off the row.
//
// The grid holds no texts of its own: every data cell is painted from the
// model. This module turns the model into painted cells (texts in CP932 with
// their ink, size and place, the background and the class-move box), so the
// painting only draws what it is given.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/grid_style.h"
#include "core/model/race_day.h"

namespace quindle::analysis {

inline constexpr int kPastRideColumns = 26;
inline constexpr int kPastRideFixedColumns = 4;
// Columns of the grid (StringGrid2): 0 "枠", 1 "馬", 2 "馬名", 3 "結果", 4 and
// 5 empty and without width, 6 + k past run k (0 the most recent).
inline constexpr int kPastBracketColumn = 0;
inline constexpr int kPastHorseColumn = 1;
inline constexpr int kPastNameColumn = 2;
inline constexpr int kPastResultColumn = 3;
inline constexpr int kPastFirstRunColumn = 6;

// Sizes of the grid in pixels.
inline constexpr int kPastRideDefaultWidth = 100;
inline constexpr int kPastRideRowHeight = 35;
inline constexpr int kPastRideHeadingHeight = 17;
inline constexpr std::array<int, kPastFirstRunColumn> kPastRideFixedWidths{25, 25, 140, 70, 0, 0};

// Headings: "枠", "馬", "馬名", "結果", "", "", "前走", "前走2" ... "前走20" (CP932).
const std::array<std::string, kPastRideColumns>& PastRideHeadings();

// One text drawn on a line of a cell.
struct TextRun {
    std::string text;  // CP932
    Ink ink = Ink::Black;
    int points = 8;
    bool bold = false;
    // Where the text starts: `x` pixels after the line's start, right of the
    // cell's left edge, or left of its right edge.
    enum class Anchor : std::uint8_t { LineStart, Left, Right };
    Anchor anchor = Anchor::LineStart;
    int x = 0;

    bool operator==(const TextRun&) const = default;
};

// One line of a cell. Lines follow each other by the text height less one
// pixel; `nudge` moves this line that many pixels further down (negative: up).
struct TextLine {
    std::vector<TextRun> runs;
    int nudge = 0;

    bool operator==(const TextLine&) const = default;
};

// A painted cell: the background, then the class-move box (from 100 pixels
// right of the left edge and 25 below the top to the bottom-right corner,
// white outline), then the lines starting at the left edge plus the grid-line
// width plus one pixel plus `indent`, and at last a black line along the
// bottom edge.
struct PaintedCell {
    Fill fill = Fill::White;
    std::optional<Fill> classBox;
    int indent = 0;
    std::vector<TextLine> lines;
    bool bottomLine = true;

    bool operator==(const PaintedCell&) const = default;
};

inline constexpr int kClassBoxLeft = 100;
inline constexpr int kClassBoxTop = 25;

using PastRideRow = std::array<PaintedCell, kPastRideColumns>;

// The cells of runner `slot` of race `race`.
PastRideRow PastRideRowOf(const model::RaceDay& day, int race, int slot);
// Rows of every runner slot of the race (its 登録頭数, 0 to 18).
std::vector<PastRideRow> PastRideRows(const model::RaceDay& day, int race);

// Single cells, for a painter that asks cell by cell.
PaintedCell PastRideCell(const model::RaceDay& day, int race, int slot, int column);
// Past run `past` (0 to 19) of the runner.
PaintedCell PastRunCell(const model::RaceDay& day, int race, int slot, int past);

// The weight text of a 負担重量 field in tenths of a kilogram ("55.0"; blanks
// when it reads 0).
std::string WeightText(const model::SeImage& se);

}  // namespace quindle::analysis
