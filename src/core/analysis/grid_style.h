#pragma once
// What the colours of the race grids mean, as roles. The analysis builds grid
// contents with these roles; a front end only maps each role to its colour and
// font, so the meaning of a colour (bracket, first place, class move) lives in
// one place. The colours themselves are the same in every grid.

#include <cstdint>
#include <optional>

namespace quindle::analysis {

// Background of a cell.
enum class Fill : std::uint8_t {
    White,
    Heading,  // heading row: silver
    Tooltip,  // the system's tooltip background
    Tracked,  // a tracked horse: red
    Bracket1,
    Bracket2,
    Bracket3,
    Bracket4,
    Bracket5,
    Bracket6,
    Bracket7,
    Bracket8,
    SameClass,  // class move 1: light red
    ClassUp,    // class move 2, today's class higher: light blue
    ClassDown,  // class move 3, today's class lower: yellow
    Odds,       // odds and odds ranks: pale yellow
    Result,     // result columns: pale cyan
};

// Colour of a text.
enum class Ink : std::uint8_t {
    Default,  // the grid's own text colour
    Black,
    White,
    Red,   // first place, a tracked jockey, today's jockey
    Blue,  // second and third place, the riding pattern
    Grey,  // a runner that does not run
};

enum class Align : std::uint8_t { Centre, Left };

// How one text cell of a grid is painted.
struct CellStyle {
    Fill fill = Fill::White;
    Ink ink = Ink::Default;
    bool bold = false;
    Align align = Align::Centre;

    bool operator==(const CellStyle&) const = default;
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// Background of bracket 1 to 8; white for any other number.
Fill BracketFill(int bracket);
// Background of a class move (1 same, 2 higher, 3 lower); `otherwise` for the
// rest.
Fill ClassMoveFill(int classMove, Fill otherwise);
// Ink of a finishing position or rank: red for 1, blue for 2 and 3, else black.
Ink PlaceInk(int place);

// The colour of a fill; nothing for the tooltip background, which is the
// system's.
std::optional<Rgb> FillColour(Fill fill);
// The colour of an ink; nothing for the grid's default.
std::optional<Rgb> InkColour(Ink ink);

}  // namespace quindle::analysis
