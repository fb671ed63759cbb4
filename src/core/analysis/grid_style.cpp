#include "core/analysis/grid_style.h"

#include <array>

namespace quindle::analysis {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

// Bracket colours 1 to 8: white, grey, red, blue, yellow, green, orange,
// magenta.
constexpr std::array<Rgb, 8> kBracketColours{{
    kWhite,
    {128, 128, 128},
    kRed,
    kBlue,
    {255, 255, 0},
    {0, 128, 0},
    {255, 128, 0},
    {255, 0, 255},
}};

}  // namespace

Fill BracketFill(int bracket) {
    if (bracket < 1 || bracket > 8) return Fill::White;
    return static_cast<Fill>(static_cast<int>(Fill::Bracket1) + bracket - 1);
}

Fill ClassMoveFill(int classMove, Fill otherwise) {
    switch (classMove) {
        case 1:
            return Fill::SameClass;
        case 2:
            return Fill::ClassUp;
        case 3:
            return Fill::ClassDown;
        default:
            return otherwise;
    }
}

Ink PlaceInk(int place) {
    if (place == 1) return Ink::Red;
    if (place == 2 || place == 3) return Ink::Blue;
    return Ink::Black;
}

std::optional<Rgb> FillColour(Fill fill) {
    switch (fill) {
        case Fill::White:
            return kWhite;
        case Fill::Heading:
            return Rgb{192, 192, 192};
        case Fill::Tooltip:
            return std::nullopt;
        case Fill::Tracked:
            return kRed;
        case Fill::Bracket1:
        case Fill::Bracket2:
        case Fill::Bracket3:
        case Fill::Bracket4:
        case Fill::Bracket5:
        case Fill::Bracket6:
        case Fill::Bracket7:
        case Fill::Bracket8:
            return kBracketColours[static_cast<int>(fill) - static_cast<int>(Fill::Bracket1)];
        case Fill::SameClass:
            return Rgb{255, 119, 119};
        case Fill::ClassUp:
            return Rgb{166, 202, 240};
        case Fill::ClassDown:
            return Rgb{255, 255, 0};
        case Fill::Odds:
            return Rgb{255, 255, 166};
        case Fill::Result:
            return Rgb{162, 255, 255};
    }
    return kWhite;
}

std::optional<Rgb> InkColour(Ink ink) {
    switch (ink) {
        case Ink::Default:
            return std::nullopt;
        case Ink::Black:
            return kBlack;
        case Ink::White:
            return kWhite;
        case Ink::Red:
            return kRed;
        case Ink::Blue:
            return kBlue;
        case Ink::Grey:
            return Rgb{160, 160, 160};
    }
    return std::nullopt;
}

}  // namespace quindle::analysis
