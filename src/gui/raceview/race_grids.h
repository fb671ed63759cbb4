#pragma once
// Shapes of the race grids: column counts, headings and widths as the race
// card, the past-ride table and the previous-race view define them.

#include "gui/common/string_grid.h"

namespace quindle::gui {

GridShape RaceCardGridShape();    // StringGrid10, "出馬表"
GridShape PastRideGridShape();    // StringGrid2, "過去騎乗表"
GridShape RunnerListGridShape();  // StringGrid13, runners of the race
GridShape ZensoGridShape();       // StringGrid12, horses of a runner's previous race

}  // namespace quindle::gui
